#include "measurement/acquisition.h"

#include <algorithm>

#include "instrument/port_backend.h"

namespace {
// The loop sleeps only where nothing is due for longer than this, and wakes
// this long before the next window opens or the next write is due.
constexpr double kShortestPause = 0.001;
constexpr double kWakeEarly = 0.003;
// No pause is longer, so a stop is seen at once.
constexpr double kLongestPause = 0.01;
// How often the preelectrolysis countdown is told.
constexpr int64_t kCountdownMs = 100;

// A write must come before its window opens by the window's own length, or a
// late pulse puts its charging current into the window. Where the time from
// the write's due time to the opening is shorter than two windows (large
// accumulations), half of that time must be left; a window that opens before
// its write is due cannot be timed.
bool writtenOnTime(double writtenAt, double due, double opens, double window) {
  const double room = opens - due;
  if (!(room > 0)) return true;
  return writtenAt <= opens - std::min(window, room / 2);
}
}  // namespace

Acquisition::Acquisition(RunInstrument &instrument, const RunPlan &plan, RunEventQueue &events,
                         const std::atomic<bool> &stopRequested, Clock clock)
    : instrument_(instrument), plan_(plan), events_(events), stopRequested_(stopRequested), clock_(std::move(clock)) {}

void Acquisition::run() {
  const bool pre = plan_.preTime != 0;
  instrument_.PotentiostatOn(plan_.electrodes, plan_.currentRange, plan_.potentialRange,
                             pre ? plan_.prePotential : plan_.sweepStart);
  bool going = true;
  if (pre) {
    going = preelectrolysis();
    if (going) {
      instrument_.PotentiostatSetPotential(plan_.sweepStart);
      RunEvent started;
      started.kind = RunEvent::Kind::SweepStarted;
      push(started);
    }
  }
  bool completed = false;
  if (going) {
    instrument_.TimerReset();
    instrument_.TimerStart();
    completed = sweep();
  }
  instrument_.TimerStop();
  instrument_.PotentiostatOff();
  RunEvent ended;
  ended.kind = RunEvent::Kind::Ended;
  ended.completed = completed;
  push(ended);
}

bool Acquisition::preelectrolysis() {
  const int64_t startMs = clock_();
  int64_t nextCountdownMs = startMs;
  while (!stopRequested()) {
    const int64_t now = clock_();
    const double left = plan_.preTime - (now - startMs) / 1000.0;
    if (left <= 0) return true;
    if (now >= nextCountdownMs) {
      RunEvent countdown;
      countdown.kind = RunEvent::Kind::Preelectrolysis;
      countdown.secondsLeft = left;
      countdown.value = instrument_.PotentiostatGetCurrent();
      push(countdown);
      nextCountdownMs = now + kCountdownMs;
    }
    sleepSeconds(std::min(kLongestPause, left));
  }
  return false;
}

bool Acquisition::sweep() {
  const double T = plan_.pulsePeriod;
  const double halfWindow = plan_.accumulation / 2;
  point_ = 0;
  basePotential_ = plan_.sweepStart;
  baseSum_ = pulseSum_ = 0;
  baseCount_ = pulseCount_ = 0;
  baseWrittenAt_ = 0;  // before the timer started
  pulseWrittenAt_ = -1;
  while (!stopRequested()) {
    const double t = instrument_.GetTime();
    const double n = point_;
    const bool inBase = (n + 0.5 - halfWindow) * T < t && t < (n + 0.5) * T;
    const bool inPulse = (n + 1 - halfWindow) * T < t && t < (n + 1) * T;
    if (inBase) {
      baseSum_ += instrument_.PotentiostatGetCurrent();
      ++baseCount_;
    }
    if (inPulse) {
      pulseSum_ += instrument_.PotentiostatGetCurrent();
      ++pulseCount_;
    }
    if (t > (n + 0.5) * T) {
      instrument_.PotentiostatSetPotential(basePotential_ + plan_.pulseAmplitude);
      if (pulseWrittenAt_ < 0) pulseWrittenAt_ = t;
    }
    if (t > (n + 1) * T) {
      if (!completePoint(t)) return true;
      continue;
    }
    if (inBase || inPulse) continue;
    const double pause = nextSlot(t) - t - kWakeEarly;
    if (pause > kShortestPause) instrument_.Pause(std::min(pause, kLongestPause));
  }
  return false;
}

double Acquisition::nextSlot(double t) const {
  const double T = plan_.pulsePeriod;
  const double n = point_;
  const double halfWindow = plan_.accumulation / 2;
  // A slot the reading equals exactly is still to come: its bounds are exclusive.
  for (const double slot : {(n + 0.5 - halfWindow) * T, (n + 0.5) * T, (n + 1 - halfWindow) * T, (n + 1) * T})
    if (slot >= t) return slot;
  return t;
}

bool Acquisition::completePoint(double t) {
  const double T = plan_.pulsePeriod;
  const double n = point_;
  const double window = plan_.accumulation / 2 * T;
  RunEvent point;
  point.kind = RunEvent::Kind::Point;
  point.index = point_;
  point.potential = basePotential_;
  point.baseReadings = baseCount_;
  point.sampled = baseCount_ > 0 && pulseCount_ > 0;
  if (point.sampled) point.value = pulseSum_ / pulseCount_ - baseSum_ / baseCount_;
  point.valid = point.sampled && writtenOnTime(baseWrittenAt_, n * T, (n + 0.5) * T - window, window) &&
                writtenOnTime(pulseWrittenAt_, (n + 0.5) * T, (n + 1) * T - window, window);
  push(point);
  baseSum_ = pulseSum_ = 0;
  baseCount_ = pulseCount_ = 0;
  if (point_ + 1 >= plan_.pulseNumber) return false;
  ++point_;
  basePotential_ = point_ * plan_.pulseStep + plan_.sweepStart;
  instrument_.PotentiostatSetPotential(basePotential_);
  baseWrittenAt_ = t;
  pulseWrittenAt_ = -1;
  return true;
}

void Acquisition::push(const RunEvent &event) {
  while (!events_.push(event)) sleepSeconds(0.001);
}
