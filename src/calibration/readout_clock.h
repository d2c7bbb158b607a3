#pragma once
// The clock the readout dialogs average against. It must not follow changes
// of the wall clock (midnight, time zone, NTP steps), or an averaging window
// could stretch or end at once.

class ReadoutClock {
 public:
  virtual ~ReadoutClock() = default;
  // Milliseconds since an arbitrary fixed point.
  virtual double nowMs() = 0;
};

// std::chrono::steady_clock: monotonic, never set back.
class SteadyReadoutClock : public ReadoutClock {
 public:
  double nowMs() override;
};

// The clock the dialogs use unless a test gives them another.
ReadoutClock &steadyReadoutClock();
