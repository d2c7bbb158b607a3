#pragma once
// What follows a run from the user-interface side: its start, each point once
// it is complete, and its end. The run delivers the points between its polls,
// never from inside its polling loop, so an observer may write to a file.

#include <cstdint>

#include "core/measurement_record.h"

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // The run starts with the parameters, description and date-time the record
  // now holds.
  virtual void runStarted(const MeasurementRecord &record) = 0;
  // Point `index` is complete with `value` in amperes; points come in order.
  virtual void pointCompleted(int32_t index, double value) = 0;
  // The run has ended (by itself or stopped); every completed point came before.
  virtual void runEnded() = 0;
};
