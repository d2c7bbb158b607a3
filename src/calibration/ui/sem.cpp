#include "calibration/ui/sem.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "calibration/ui/dialog_controls.h"

Tshowsem *showsem = nullptr;

Tshowsem::Tshowsem(Instrument &instrument, MeasurementRecord &record, QWidget *parent, ReadoutClock &clock)
    : ReadoutDialog(parent, QStringLiteral("showsem"), QStringLiteral("Electrode potential in open circuit"),
                    QSize(250, 130), 300),
      readout_(instrument, record, clock) {
  showsem = this;

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

  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

Tshowsem::~Tshowsem() {
  if (showsem == this) showsem = nullptr;
}

void Tshowsem::keyPressEvent(QKeyEvent *event) { FormKeyDown(event); }

void Tshowsem::FormActivate() {
  readout_.activate();
  startTimer1();
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
