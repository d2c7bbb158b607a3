#pragma once
// The "Electrode potential in open circuit" display: the electrode potential
// read on the potential meter every 300 ms, in large digits, with the meter
// range in use. Escape closes it.

#include <QDialog>

#include "calibration/open_circuit_readout.h"

class Instrument;
class QLabel;
class QPushButton;
class QTimer;
struct MeasurementRecord;

class Tshowsem : public QDialog {
  Q_OBJECT
 public:
  // The meter range follows the potential axis held in `record`.
  Tshowsem(Instrument &instrument, MeasurementRecord &record, QWidget *parent = nullptr,
           ReadoutClock &clock = steadyReadoutClock());
  ~Tshowsem() override;

  const OpenCircuitReadout &readout() const { return readout_; }

  void FormActivate();
  void FormDeactivate();
  void Timer1Timer();

  QLabel *Panel1;
  QLabel *Label1, *Label2;
  QPushButton *Button1;
  QTimer *Timer1;

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  void FormKeyDown(QKeyEvent *event);

  OpenCircuitReadout readout_;
};

extern Tshowsem *showsem;
