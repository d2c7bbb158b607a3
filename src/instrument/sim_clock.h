#pragma once
// Time for the simulated instrument. Every port access takes time, as on a
// real ISA-speed parallel port: the real-time clock waits it out, the virtual
// clock just adds it, so tests run fast and give the same result every time.

#include <chrono>
#include <cstdint>

class SimClock {
 public:
  virtual ~SimClock() = default;
  // Seconds since the clock was made.
  virtual double now() const = 0;
  // Called once per port access.
  virtual void portAccess() = 0;
};

class RealTimeClock : public SimClock {
 public:
  explicit RealTimeClock(double accessSeconds = 1e-6);
  double now() const override;
  void portAccess() override;

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point start_;
  Clock::time_point nextAccess_;
  Clock::duration accessTime_;
};

class VirtualClock : public SimClock {
 public:
  explicit VirtualClock(double accessSeconds = 1e-6);
  double now() const override { return static_cast<double>(nanoseconds_) * 1e-9; }
  void portAccess() override { nanoseconds_ += accessNanoseconds_; }
  void advance(double seconds) { nanoseconds_ += static_cast<int64_t>(seconds * 1e9 + 0.5); }

 private:
  int64_t nanoseconds_ = 0;
  int64_t accessNanoseconds_;
};
