#pragma once
// The reading of the calibration and open-circuit dialogs: at every timer tick
// the instrument is read over and over for 155 ms, and the mean is blended half
// and half with the previous reading, so noise settles while a change still
// shows within a few ticks.

#include <functional>

#include "calibration/readout_clock.h"

constexpr double kAveragingWindowMs = 155.0;

// Mean of `read()` called again and again until `windowMs` have passed on
// `clock` since the first call began; at least one call.
double averageReadings(const std::function<double()> &read, ReadoutClock &clock, double windowMs = kAveragingWindowMs);

class SmoothedReading {
 public:
  double value() const { return value_; }
  // Starts the smoothing again from `value`.
  void restart(double value) { value_ = value; }
  // One tick: averages `read` for 155 ms, blends it in, returns the new value.
  double update(const std::function<double()> &read, ReadoutClock &clock);

 private:
  double value_ = 0;
};
