#pragma once
// What the acquisition thread tells the window, through the run's queue.

#include <cstdint>

struct RunEvent {
  enum class Kind : uint8_t {
    Preelectrolysis,  // the countdown: secondsLeft, value = the cell current now
    SweepStarted,     // the preelectrolysis is over; point 0 is being measured
    Point,            // point `index` is complete
    Ended,            // timer stopped, cell off; nothing follows
  };
  Kind kind = Kind::Point;
  // Point: both windows got samples, so `value` is a measurement.
  bool sampled = false;
  // Point: sampled, and its base step and pulse were written on time.
  bool valid = false;
  // Ended: the sweep reached its last point (not stopped).
  bool completed = false;
  int32_t index = 0;
  int32_t baseReadings = 0;
  double potential = 0;  // V: the point's base potential
  double value = 0;      // A
  double secondsLeft = 0;
};
