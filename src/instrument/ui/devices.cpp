#include "instrument/ui/devices.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "core/main_settings.h"
#include "instrument/port_backend.h"

TDevice *Device = nullptr;

namespace {

using LayoutScale = TDevice::LayoutScale;

LayoutScale scaleFor(const QFont &font) {
  const QFontMetrics metrics(font);
  LayoutScale scale;
  scale.x = qMax(1.0, metrics.horizontalAdvance(QStringLiteral("Programmable timer:")) / 98.0);
  scale.y = qMax(1.0, metrics.height() / 13.0);
  return scale;
}

QLabel *makeLabel(QWidget *parent, const LayoutScale &scale, const QString &text, int left, int top, int width) {
  auto *label = new QLabel(text, parent);
  label->setGeometry(scale(left, top, width, 16));
  return label;
}

QString statusText(UnitStatus status) {
  switch (status) {
    case UnitStatus::Ok:
      return QStringLiteral("OK");
    case UnitStatus::NotReady:
      return QStringLiteral("not ready");
    case UnitStatus::Testing:
      break;
  }
  return QStringLiteral("testing");
}

}  // namespace

TDevice::TDevice(QWidget *parent) : QDialog(parent) {
  Device = this;
  setWindowTitle(QStringLiteral("Measurement device test"));
  scale_ = scaleFor(font());
  const LayoutScale &scale = scale_;
  setFixedSize(scale(0, 0, 252, 202).size());

  SelDevice = new QComboBox(this);
  SelDevice->setGeometry(scale(8, 8, 233, 22));
  for (int i = 0; i < kModelCount; ++i) SelDevice->addItem(QString::fromLatin1(deviceModel(i).listEntry));

  GroupBox1 = new QGroupBox(QStringLiteral(" Device status "), this);
  GroupBox1->setGeometry(scale(8, 40, 233, 113));
  Label13 = makeLabel(GroupBox1, scale, QStringLiteral("Communication port:"), 8, 20, 104);
  Label14 = makeLabel(GroupBox1, scale, QString(), 112, 20, 64);
  Label1 = makeLabel(GroupBox1, scale, QStringLiteral("Potentiostat:"), 8, 40, 104);
  Label2 = makeLabel(GroupBox1, scale, QString(), 112, 40, 64);
  Label3 = makeLabel(GroupBox1, scale, QStringLiteral("testing"), 176, 40, 55);
  Label4 = makeLabel(GroupBox1, scale, QStringLiteral("A/D converter:"), 8, 56, 104);
  Label5 = makeLabel(GroupBox1, scale, QString(), 112, 56, 64);
  Label6 = makeLabel(GroupBox1, scale, QStringLiteral("testing"), 176, 56, 55);
  Label7 = makeLabel(GroupBox1, scale, QStringLiteral("D/A converter:"), 8, 72, 104);
  Label8 = makeLabel(GroupBox1, scale, QString(), 112, 72, 64);
  Label9 = makeLabel(GroupBox1, scale, QStringLiteral("testing"), 176, 72, 55);
  Label10 = makeLabel(GroupBox1, scale, QStringLiteral("Programmable timer:"), 8, 88, 104);
  Label11 = makeLabel(GroupBox1, scale, QString(), 112, 88, 64);
  Label12 = makeLabel(GroupBox1, scale, QStringLiteral("testing"), 176, 88, 55);

  // Which port backend answers, so a simulated instrument is never taken
  // for the real one.
  BackendLabel = new QLabel(this);
  BackendLabel->setWordWrap(true);
  BackendLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  Button1 = new QPushButton(QStringLiteral("&Close"), this);
  Button1->setDefault(true);
  placeBackendText();
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

  Timer1 = new QTimer(this);
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, &TDevice::Timer1Timer);

  FormCreate();
  connect(SelDevice, &QComboBox::currentIndexChanged, this, &TDevice::SelDeviceChange);
}

TDevice::~TDevice() {
  FormDestroy();
  if (Device == this) Device = nullptr;
}

void TDevice::FormCreate() {
  const int stored = readSelectedDevice(IniFile(settingsFile()));
  SelDevice->setCurrentIndex(stored >= 0 && stored < kModelCount ? stored : -1);
  SelDeviceChange();
}

void TDevice::SelDeviceChange() {
  const int index = SelDevice->currentIndex();
  if (index < 0) return;
  QString error;
  const bool saved = instrument_.SelDeviceChange(index, &error);
  const DeviceModel &m = instrument_.model();
  Label2->setText(QString::fromLatin1(m.potentiostatLabel));
  Label5->setText(QString::fromLatin1(m.converterLabel));
  Label8->setText(QString::fromLatin1(m.converterLabel));
  Label11->setText(QString::fromLatin1(m.timerLabel));
  Label14->setText(QString::fromLatin1(m.portLabel));
  if (electrodesMaxHandler_) electrodesMaxHandler_(m.maxElectrodes);
  if (!saved) showWriteError(error);
}

int TDevice::selectedDeviceIndex() const { return SelDevice->currentIndex(); }

void TDevice::selectDevice(int index) { SelDevice->setCurrentIndex(index); }

void TDevice::setElectrodesMaxHandler(std::function<void(int)> handler) {
  electrodesMaxHandler_ = std::move(handler);
  if (electrodesMaxHandler_ && instrument_.hasModel()) electrodesMaxHandler_(instrument_.model().maxElectrodes);
}

bool TDevice::DeviceTest() {
  const bool ok = instrument_.DeviceTest();
  showTestResult();
  return ok;
}

void TDevice::showTestResult() {
  const DeviceTestResult &r = instrument_.lastTest();
  Label3->setText(statusText(r.potentiostat));
  Label6->setText(statusText(r.adConverter));
  Label9->setText(statusText(r.daConverter));
  Label12->setText(statusText(r.timer));
}

bool TDevice::saveCalibration(QString *error) { return instrument_.saveCalibration(error); }

void TDevice::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  QString error;
  if (!saveCalibration(&error)) showWriteError(error);
}

void TDevice::showWriteError(const QString &error) {
  QMessageBox::critical(isVisible() ? this : parentWidget(), QStringLiteral("Error"), error);
}

void TDevice::FormActivate() { Timer1->start(); }

void TDevice::FormDeactivate() { Timer1->stop(); }

void TDevice::Timer1Timer() {
  if (runActive_ && runActive_()) return;
  DeviceTest();
}

void TDevice::placeBackendText() {
  const QRect beside = scale_(8, 158, 150, 40);
  const QRect button = scale_(164, 168, 75, 25);
  if (BackendLabel->heightForWidth(beside.width()) <= beside.height()) {
    BackendLabel->setGeometry(beside);
    Button1->setGeometry(button);
    setFixedSize(scale_(0, 0, 252, 202).size());
    return;
  }
  // A longer text, such as the reason a port cannot be opened, takes the
  // whole width and pushes the button down, so all of it shows.
  const QRect wide = scale_(8, 158, 233, 0);
  const int height = BackendLabel->heightForWidth(wide.width());
  BackendLabel->setGeometry(wide.x(), wide.y(), wide.width(), height);
  const int buttonTop = wide.y() + height + qRound(6 * scale_.y);
  Button1->setGeometry(button.x(), buttonTop, button.width(), button.height());
  setFixedSize(scale_(0, 0, 252, 0).width(), buttonTop + button.height() + qRound(9 * scale_.y));
}

void TDevice::showEvent(QShowEvent *event) {
  BackendLabel->setText(portBackendDescription());
  placeBackendText();
  showTestResult();
  FormActivate();
  QDialog::showEvent(event);
}

void TDevice::hideEvent(QHideEvent *event) {
  FormDeactivate();
  QDialog::hideEvent(event);
}

void TDevice::changeEvent(QEvent *event) {
  if (event->type() == QEvent::ActivationChange && isVisible()) {
    if (isActiveWindow())
      FormActivate();
    else
      FormDeactivate();
  }
  QDialog::changeEvent(event);
}
