#pragma once
// The "Potential meter calibration" dialog: zero and factor of the four
// ranges of the potential meter, with the potential read every 200 ms while
// it is open and a button that takes the reading as the zero.

#include "calibration/meter_calibration.h"
#include "calibration/ui/readout_dialog.h"

class Instrument;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TPotCal : public ReadoutDialog {
  Q_OBJECT
 public:
  explicit TPotCal(Instrument &instrument, QWidget *parent = nullptr, ReadoutClock &clock = steadyReadoutClock());
  ~TPotCal() override;

  const MeterCalibration &calibration() const { return calibration_; }

  void FormActivate() override;
  void FormDeactivate() override;
  void ZeroEditChange();
  void FactorEditChange();
  void Timer1Timer() override;
  void Button4Click();

  QGroupBox *GroupBox1, *GroupBox2;
  QLabel *Label1, *Label2, *Label3;
  QComboBox *PotRangeBox;
  QLineEdit *ZeroEdit, *FactorEdit;
  QLabel *Panel1;
  QPushButton *Button3, *Button4;

 private:
  void FormCreate();

  MeterCalibration calibration_;
};

extern TPotCal *PotCal;
