#include "calibration/ui/sem.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include "calibration/ui/dialog_controls.h"

Tshowsem *showsem = nullptr;

Tshowsem::Tshowsem(Instrument &instrument, MeasurementRecord &record, QWidget *parent, ReadoutClock &clock)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      readout_(instrument, record, clock) {
  showsem = this;
  setObjectName(QStringLiteral("showsem"));
  setWindowTitle(QStringLiteral("Electrode potential in open circuit"));
  useDialogFont(this);
  setFixedSize(250, 130);

  Panel1 = makeReadoutPanel(this, QRect(8, 8, 233, 57), 40, QColor(192, 192, 192), QFrame::Sunken);
  Panel1->setText(QStringLiteral("0.0 mV"));
  Label1 = new QLabel(QStringLiteral("Potential range: "), this);
  Label1->move(8, 72);
  Label1->adjustSize();
  Label2 = new QLabel(this);
  Label2->setGeometry(88, 72, 73, 13);
  Button1 = new QPushButton(QStringLiteral("Close"), this);
  Button1->setGeometry(168, 96, 75, 25);
  Button1->setDefault(true);

  Timer1 = new QTimer(this);
  Timer1->setInterval(300);

  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Timer1, &QTimer::timeout, this, &Tshowsem::Timer1Timer);
}

Tshowsem::~Tshowsem() {
  if (showsem == this) showsem = nullptr;
}

void Tshowsem::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormActivate();
}

void Tshowsem::hideEvent(QHideEvent *event) {
  if (!event->spontaneous()) FormDeactivate();
  QDialog::hideEvent(event);
}

void Tshowsem::keyPressEvent(QKeyEvent *event) { FormKeyDown(event); }

void Tshowsem::FormActivate() {
  readout_.activate();
  if (!Timer1->isActive()) Timer1->start();
  Label2->setText(readout_.rangeName());
}

void Tshowsem::FormDeactivate() {
  readout_.deactivate();
  Timer1->stop();
}

void Tshowsem::Timer1Timer() { Panel1->setText(readout_.tick()); }

void Tshowsem::FormKeyDown(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}
