#pragma once
// The "Hardware calibration" dialog: zero and factor of every current range
// and every potential range of the potentiostat, with the current read every
// 300 ms while it is open and a button that takes the reading as the zero.

#include <QDialog>

#include "calibration/hardware_calibration.h"

class Instrument;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class TDeviceCal : public QDialog {
  Q_OBJECT
 public:
  // Lists the current ranges of the model `instrument` has selected; each
  // opening lists them again when the model has changed.
  explicit TDeviceCal(Instrument &instrument, QWidget *parent = nullptr,
                      ReadoutClock &clock = steadyReadoutClock());
  ~TDeviceCal() override;

  const HardwareCalibration &calibration() const { return calibration_; }

  void FormActivate();
  void FormDeactivate();
  void ComboBox1Change();
  void Edit1Change();
  void Edit2Change();
  void Edit3Change();
  void Edit4Change();
  void Edit5Change();
  void Timer1Timer();
  void Button2Click();

  QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
  QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
  QComboBox *ComboBox1, *ComboBox2;
  QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5;
  QLabel *Panel1;
  QPushButton *Button1, *Button2;
  QTimer *Timer1;

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

 private:
  void FormCreate();
  void takeModelRanges();

  HardwareCalibration calibration_;
};

extern TDeviceCal *DeviceCal;
