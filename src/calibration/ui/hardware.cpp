#include "calibration/ui/hardware.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "calibration/ui/dialog_controls.h"

TDeviceCal *DeviceCal = nullptr;

TDeviceCal::TDeviceCal(Instrument &instrument, QWidget *parent, ReadoutClock &clock)
    : ReadoutDialog(parent, QStringLiteral("DeviceCal"), QStringLiteral("Hardware calibration"), QSize(330, 234), 300),
      calibration_(instrument, clock) {
  DeviceCal = this;

  GroupBox1 = new QGroupBox(QStringLiteral(" Calibration of current "), this);
  GroupBox1->setGeometry(8, 8, 185, 105);
  Label1 = makeLabel(QStringLiteral("Current range"), GroupBox1, 8, 28);
  ComboBox1 = makeList(GroupBox1, 96, 24, 81);
  Label2 = makeLabel(QStringLiteral("Zero (-50 .. 50)"), GroupBox1, 8, 52);
  Edit1 = makeEdit(GroupBox1, 96, 48, 81);
  Label3 = makeLabel(QStringLiteral("Factor (0.9 .. 1.1)"), GroupBox1, 8, 76);
  Edit2 = makeEdit(GroupBox1, 96, 72, 81);

  GroupBox2 = new QGroupBox(QStringLiteral(" Calibration of potential "), this);
  GroupBox2->setGeometry(8, 120, 185, 105);
  Label7 = makeLabel(QStringLiteral("Potential range"), GroupBox2, 8, 28);
  ComboBox2 = makeList(GroupBox2, 96, 24, 81);
  Label4 = makeLabel(QStringLiteral("Zero (-50 .. 50)"), GroupBox2, 8, 60);
  Edit3 = makeEdit(GroupBox2, 96, 56, 81);
  Label5 = makeLabel(QStringLiteral("Factor (0.9 .. 1.1)"), GroupBox2, 8, 84);
  Edit4 = makeEdit(GroupBox2, 96, 80, 81);

  GroupBox3 = new QGroupBox(QStringLiteral(" Read current "), this);
  GroupBox3->setGeometry(200, 8, 121, 89);
  Panel1 = makeReadoutPanel(GroupBox3, QRect(8, 24, 105, 25), 16, QColor(221, 219, 183), QFrame::Raised);
  Button2 = new QPushButton(QStringLiteral("Set zero"), GroupBox3);
  Button2->setGeometry(48, 64, 59, 17);
  Button2->setAutoDefault(false);

  GroupBox4 = new QGroupBox(QStringLiteral(" Electrode potential "), this);
  GroupBox4->setGeometry(200, 104, 121, 57);
  Edit5 = makeEdit(GroupBox4, 8, 24, 73);
  Edit5->setText(QStringLiteral("0"));
  Label6 = makeLabel(QStringLiteral("[mV]"), GroupBox4, 88, 28);

  Button1 = new QPushButton(QStringLiteral("&Close"), this);
  Button1->setGeometry(232, 192, 75, 25);
  Button1->setDefault(true);

  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TDeviceCal::ComboBox1Change);
  connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TDeviceCal::FormActivate);
  connect(Edit1, &QLineEdit::textChanged, this, &TDeviceCal::Edit1Change);
  connect(Edit2, &QLineEdit::textChanged, this, &TDeviceCal::Edit2Change);
  connect(Edit3, &QLineEdit::textChanged, this, &TDeviceCal::Edit3Change);
  connect(Edit4, &QLineEdit::textChanged, this, &TDeviceCal::Edit4Change);
  connect(Edit5, &QLineEdit::textChanged, this, &TDeviceCal::Edit5Change);
  connect(Button2, &QPushButton::clicked, this, &TDeviceCal::Button2Click);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  FormCreate();
}

void TDeviceCal::FormCreate() {
  const QSignalBlocker quiet1(ComboBox1);
  const QSignalBlocker quiet2(ComboBox2);
  ComboBox1->addItems(calibration_.currentRangeNames());
  ComboBox2->addItems(HardwareCalibration::potentialRangeNames());
  ComboBox1->setCurrentIndex(0);
  ComboBox2->setCurrentIndex(0);
}

void TDeviceCal::takeModelRanges() {
  if (!calibration_.takeModelRanges()) return;
  const QSignalBlocker quiet(ComboBox1);
  ComboBox1->clear();
  ComboBox1->addItems(calibration_.currentRangeNames());
  ComboBox1->setCurrentIndex(0);
}

TDeviceCal::~TDeviceCal() {
  if (DeviceCal == this) DeviceCal = nullptr;
}

void TDeviceCal::opened() {
  takeModelRanges();
  FormActivate();
}

void TDeviceCal::FormActivate() {
  calibration_.selectPotentialRange(ComboBox2->currentIndex());
  putStoredText(Edit1, calibration_.currZeroText());
  putStoredText(Edit2, calibration_.currFactText());
  putStoredText(Edit3, calibration_.dacZeroText());
  putStoredText(Edit4, calibration_.dacFactText());
  startTimer1();
  calibration_.activate();
}

void TDeviceCal::FormDeactivate() {
  Timer1->stop();
  calibration_.deactivate();
}

void TDeviceCal::ComboBox1Change() {
  calibration_.selectCurrentRange(ComboBox1->currentIndex());
  FormActivate();
}

void TDeviceCal::Edit1Change() {
  calibration_.setCurrZeroText(Edit1->text());
  FormActivate();
}

void TDeviceCal::Edit2Change() {
  calibration_.setCurrFactText(Edit2->text());
  FormActivate();
}

void TDeviceCal::Edit3Change() {
  calibration_.setDacZeroText(Edit3->text());
  FormActivate();
}

void TDeviceCal::Edit4Change() {
  calibration_.setDacFactText(Edit4->text());
  FormActivate();
}

void TDeviceCal::Edit5Change() { calibration_.setElectrodePotentialText(Edit5->text()); }

void TDeviceCal::Timer1Timer() { Panel1->setText(calibration_.tick()); }

void TDeviceCal::Button2Click() {
  if (const auto zeroText = calibration_.setZero()) Edit1->setText(*zeroText);
}
