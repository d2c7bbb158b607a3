#pragma once
// What the potential meter calibration dialog does, without the window: the
// cell on the potential meter in the chosen range, the zero and factor texts
// of that range, the smoothed potential reading and "Set zero".

#include <QString>
#include <QStringList>
#include <optional>

#include "calibration/readout_clock.h"
#include "calibration/smoothed_reading.h"

class Instrument;

class MeterCalibration {
 public:
  explicit MeterCalibration(Instrument &instrument, ReadoutClock &clock = steadyReadoutClock());

  // The meter ranges of the model selected now ("5 V" .. "200 mV").
  QStringList rangeNames() const { return rangeNames_; }
  void selectRange(int index);

  QString zeroText() const;
  QString factorText() const;
  // Each stores the text as typed and converts the calibration again.
  void setZeroText(const QString &text);
  void setFactorText(const QString &text);

  // Meter on in the chosen range; the smoothing starts from one fresh reading.
  void activate();
  void deactivate();

  // One timer tick: returns the readout text of the smoothed potential.
  QString tick();
  double readPotential() const { return readPotential_.value(); }

  // The present reading becomes the zero of the range: moves the meter
  // offset and returns the zero text for the zero edit. Nothing happens (no
  // text) while the meter scale is 0, as with a factor of 0.
  std::optional<QString> setZero();

 private:
  Instrument &instrument_;
  ReadoutClock &clock_;
  QStringList rangeNames_;
  int rangeIndex_ = 0;
  SmoothedReading readPotential_;
};
