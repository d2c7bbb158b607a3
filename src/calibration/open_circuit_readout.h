#pragma once
// What the open-circuit display does, without the window: the cell on the
// potential meter in the smallest range that holds the measurement's
// potential axis, and the smoothed potential reading in millivolts.

#include <QString>

#include "calibration/readout_clock.h"
#include "calibration/smoothed_reading.h"

class Instrument;
struct MeasurementRecord;

class OpenCircuitReadout {
 public:
  OpenCircuitReadout(Instrument &instrument, const MeasurementRecord &record,
                     ReadoutClock &clock = steadyReadoutClock());

  // Meter on in the range fitted to the record's maxAbsPotential; the
  // smoothing starts from one fresh reading.
  void activate();
  void deactivate();
  // Name of the meter range in use ("5 V" .. "200 mV").
  QString rangeName() const;

  // One timer tick: returns the readout text, millivolts with 1 decimal.
  QString tick();
  double readPotential() const { return readPotential_.value(); }

 private:
  Instrument &instrument_;
  const MeasurementRecord &record_;
  ReadoutClock &clock_;
  SmoothedReading readPotential_;
};
