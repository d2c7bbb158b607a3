#pragma once
// The acquisition of a differential pulse run, as the acquisition thread does
// it: cell on, preelectrolysis, the polling loop over the instrument timer,
// timer stop and cell off. It is the only user of the instrument while it
// runs and tells the window what happens through the run's queue only. The
// loop never allocates, locks or calls into Qt.

#include <atomic>
#include <cstdint>
#include <functional>

#include "measurement/run_event.h"
#include "measurement/run_instrument.h"
#include "measurement/run_plan.h"
#include "measurement/spsc_queue.h"

using RunEventQueue = SpscQueue<RunEvent>;

class Acquisition {
 public:
  // Milliseconds of a monotonic clock, for the preelectrolysis countdown.
  using Clock = std::function<int64_t()>;

  Acquisition(RunInstrument &instrument, const RunPlan &plan, RunEventQueue &events,
              const std::atomic<bool> &stopRequested, Clock clock);

  // The whole run. Returns after the last point, or within one pass of the
  // polling loop (or 10 ms of a pause) once a stop is asked for; the last
  // event it queues is Ended.
  void run();

 private:
  bool preelectrolysis();
  bool sweep();
  // Stores point n and steps on; false when it was the last one.
  bool completePoint(double t);
  // The next time, from `t` on, at which the loop has to act for the present point.
  double nextSlot(double t) const;
  bool stopRequested() const { return stopRequested_.load(std::memory_order_relaxed); }
  // Waits while the window has not taken the earlier events yet; a point is never dropped.
  void push(const RunEvent &event);

  RunInstrument &instrument_;
  const RunPlan plan_;
  RunEventQueue &events_;
  const std::atomic<bool> &stopRequested_;
  Clock clock_;

  // The point being measured and its accumulators.
  int32_t point_ = 0;
  double basePotential_ = 0, baseSum_ = 0, pulseSum_ = 0;
  int32_t baseCount_ = 0, pulseCount_ = 0;
  // Instrument times at which the point's base step and its first pulse were
  // written; negative while not written.
  double baseWrittenAt_ = 0, pulseWrittenAt_ = -1;
};
