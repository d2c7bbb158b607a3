#pragma once
// Display smoothing ("Damping"): a first-order recursion over the points,
// s(0) = value(0), s(i) = s(i - 1) * factor + value(i) * rest.
// The graph, the nearest-point search, the data text view and the report
// all smooth through this, so they show the same curve.

#include "core/measurement_record.h"

// Sets dampingFactor and dampingRest from the damping text and unit; the time
// between two points (the pulse period) is the step of the "ms" and "s" units.
void computeDampingWeights(MeasurementRecord &record);

// The weight k for a damping value d in the unit item `unitIndex`
// (-1: none selected) and the time step t in seconds, limited to 0..1.
double dampingWeight(double d, int unitIndex, double t);

class DisplaySmoothing {
 public:
  DisplaySmoothing(double factor, double rest) : factor_(factor), rest_(rest) {}
  explicit DisplaySmoothing(const MeasurementRecord &record)
      : DisplaySmoothing(record.params.dampingFactor, record.params.dampingRest) {}

  // The smoothed value after `value`; the first value is taken as it is.
  double next(double value) {
    value_ = started_ ? value_ * factor_ + value * rest_ : value;
    started_ = true;
    return value_;
  }

 private:
  double factor_, rest_;
  double value_ = 0;
  bool started_ = false;
};
