#include "calibration/ui/pmtcal.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "calibration/ui/dialog_controls.h"

TPotCal *PotCal = nullptr;

TPotCal::TPotCal(Instrument &instrument, QWidget *parent, ReadoutClock &clock)
    : ReadoutDialog(parent, QStringLiteral("PotCal"), QStringLiteral("Potential meter calibration"), QSize(348, 179),
                    200),
      calibration_(instrument, clock) {
  PotCal = this;

  GroupBox1 = new QGroupBox(QStringLiteral(" Calibration of potential "), this);
  GroupBox1->setGeometry(8, 8, 169, 105);
  Label1 = makeLabel(QStringLiteral("Potential range"), GroupBox1, 8, 28);
  PotRangeBox = makeList(GroupBox1, 96, 24, 65);
  Label2 = makeLabel(QStringLiteral("Zero (-100 .. 100)"), GroupBox1, 8, 52);
  ZeroEdit = makeEdit(GroupBox1, 96, 48, 65);
  Label3 = makeLabel(QStringLiteral("Factor (0.9 .. 1.1)"), GroupBox1, 8, 76);
  FactorEdit = makeEdit(GroupBox1, 96, 72, 65);

  GroupBox2 = new QGroupBox(QStringLiteral(" Read potential "), this);
  GroupBox2->setGeometry(184, 8, 153, 105);
  Panel1 = makeReadoutPanel(GroupBox2, QRect(8, 24, 137, 33), 21, QColor(192, 192, 192), QFrame::Sunken);
  Panel1->setText(QStringLiteral("0.0 mV"));
  Button4 = new QPushButton(QStringLiteral("&Set zero"), GroupBox2);
  Button4->setGeometry(64, 72, 75, 25);
  Button4->setAutoDefault(false);

  Button3 = new QPushButton(QStringLiteral("&Close"), this);
  Button3->setGeometry(248, 144, 75, 25);
  Button3->setAutoDefault(false);

  connect(PotRangeBox, &QComboBox::currentIndexChanged, this, &TPotCal::FormActivate);
  connect(ZeroEdit, &QLineEdit::textChanged, this, &TPotCal::ZeroEditChange);
  connect(FactorEdit, &QLineEdit::textChanged, this, &TPotCal::FactorEditChange);
  connect(Button4, &QPushButton::clicked, this, &TPotCal::Button4Click);
  connect(Button3, &QPushButton::clicked, this, &QDialog::accept);

  FormCreate();
}

void TPotCal::FormCreate() {
  const QSignalBlocker quiet(PotRangeBox);
  PotRangeBox->addItems(calibration_.rangeNames());
  PotRangeBox->setCurrentIndex(0);
}

TPotCal::~TPotCal() {
  if (PotCal == this) PotCal = nullptr;
}

void TPotCal::FormActivate() {
  calibration_.selectRange(PotRangeBox->currentIndex());
  putStoredText(ZeroEdit, calibration_.zeroText());
  putStoredText(FactorEdit, calibration_.factorText());
  startTimer1();
  calibration_.activate();
}

void TPotCal::FormDeactivate() {
  Timer1->stop();
  calibration_.deactivate();
}

void TPotCal::ZeroEditChange() {
  calibration_.setZeroText(ZeroEdit->text());
  FormActivate();
}

void TPotCal::FactorEditChange() {
  calibration_.setFactorText(FactorEdit->text());
  FormActivate();
}

void TPotCal::Timer1Timer() { Panel1->setText(calibration_.tick()); }

void TPotCal::Button4Click() {
  const auto zeroText = calibration_.setZero();
  if (!zeroText) return;
  ZeroEdit->setText(*zeroText);
  // Stored again in case the edit already showed this text and raised no change.
  calibration_.setZeroText(ZeroEdit->text());
}
