#include "instrument/sim_clock.h"

RealTimeClock::RealTimeClock(double accessSeconds)
    : start_(Clock::now()),
      nextAccess_(start_),
      accessTime_(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(accessSeconds))) {}

double RealTimeClock::now() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

void RealTimeClock::portAccess() {
  Clock::time_point t = Clock::now();
  while (t < nextAccess_) t = Clock::now();
  nextAccess_ = t + accessTime_;
}

VirtualClock::VirtualClock(double accessSeconds)
    : accessNanoseconds_(static_cast<int64_t>(accessSeconds * 1e9 + 0.5)) {}
