#include "calibration/readout_clock.h"

#include <chrono>

double SteadyReadoutClock::nowMs() {
  static_assert(std::chrono::steady_clock::is_steady, "the readout clock must be monotonic");
  const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double, std::milli>(sinceEpoch).count();
}

ReadoutClock &steadyReadoutClock() {
  static SteadyReadoutClock clock;
  return clock;
}
