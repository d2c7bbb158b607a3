#pragma once
// The "Hardware calibration" dialog: zero and factor of every current range
// and every potential range of the potentiostat, with the current read every
// 300 ms while it is open and a button that takes the reading as the zero.

#include "calibration/hardware_calibration.h"
#include "calibration/ui/readout_dialog.h"

class Instrument;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TDeviceCal : public ReadoutDialog {
  Q_OBJECT
 public:
  // Lists the current ranges of the model `instrument` has selected; each
  // opening lists them again when the model has changed.
  explicit TDeviceCal(Instrument &instrument, QWidget *parent = nullptr, ReadoutClock &clock = steadyReadoutClock());
  ~TDeviceCal() override;

  const HardwareCalibration &calibration() const { return calibration_; }

  void FormActivate() override;
  void FormDeactivate() override;
  void ComboBox1Change();
  void Edit1Change();
  void Edit2Change();
  void Edit3Change();
  void Edit4Change();
  void Edit5Change();
  void Timer1Timer() override;
  void Button2Click();

  QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
  QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
  QComboBox *ComboBox1, *ComboBox2;
  QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5;
  QLabel *Panel1;
  QPushButton *Button1, *Button2;

 protected:
  // The model may have changed in the device window since the last opening.
  void opened() override;

 private:
  void FormCreate();
  void takeModelRanges();

  HardwareCalibration calibration_;
};

extern TDeviceCal *DeviceCal;
