#pragma once
// The "Electrode potential in open circuit" display: the electrode potential
// read on the potential meter every 300 ms, in large digits, with the meter
// range in use. Escape closes it.

#include "calibration/open_circuit_readout.h"
#include "calibration/ui/readout_dialog.h"

class Instrument;
class QLabel;
class QPushButton;
struct MeasurementRecord;

class Tshowsem : public ReadoutDialog {
  Q_OBJECT
 public:
  // The meter range follows the potential axis held in `record`.
  Tshowsem(Instrument &instrument, MeasurementRecord &record, QWidget *parent = nullptr,
           ReadoutClock &clock = steadyReadoutClock());
  ~Tshowsem() override;

  const OpenCircuitReadout &readout() const { return readout_; }

  void FormActivate() override;
  void FormDeactivate() override;
  void Timer1Timer() override;

  QLabel *Panel1;
  QLabel *Label1, *Label2;
  QPushButton *Button1;

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  void FormKeyDown(QKeyEvent *event);

  OpenCircuitReadout readout_;
};

extern Tshowsem *showsem;
