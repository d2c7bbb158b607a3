#pragma once
// A measurement run as the window and `dpv --measure` both drive it: start
// puts the run's parameters aside and starts the acquisition thread; deliver,
// called on the caller's thread as often as it likes, takes the completed
// points into the record and shows them; stop ends the thread and switches
// the cell off. The record is touched on the caller's thread only.

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "core/measurement_record.h"
#include "measurement/acquisition.h"
#include "measurement/run_instrument.h"
#include "measurement/run_observer.h"
#include "measurement/run_plan.h"
#include "measurement/thread_priority.h"

class RunSession {
 public:
  // Draws a completed point; an invalid one is drawn as a gap.
  using DrawPoint = std::function<void(double potential, double current, bool valid)>;
  using Clock = Acquisition::Clock;

  // Without a clock the preelectrolysis is timed on the monotonic clock.
  RunSession(MeasurementRecord &record, RunInstrument &instrument, Clock clock = Clock());
  // Stops a run still going on.
  ~RunSession();
  RunSession(const RunSession &) = delete;
  RunSession &operator=(const RunSession &) = delete;

  void setDrawPoint(DrawPoint drawPoint) { drawPoint_ = std::move(drawPoint); }
  // Told of the run's start, of each completed point in order, and of its end.
  void setObserver(RunObserver *observer) { observer_ = observer; }

  // Starts the run with the parameters now in the record (they are kept for
  // the whole run): sizes and zero-fills the storage and starts the
  // acquisition thread. The caller has checked sweepProblem().
  void start();
  // Takes what the acquisition completed since the last call into the record,
  // the drawing, the panels and the observer. False once the sweep has ended
  // by itself; the caller then stops the run.
  bool deliver();
  // Asks the acquisition to stop and waits for it (one pass of its loop):
  // the timer is stopped and the cell off. The record keeps its points.
  void stop();

  bool running() const { return record_.runState != RunIdle; }
  ThreadPriority priority() const { return priority_; }

  // How the sampling went. A point is invalid when one of its windows got no
  // sample or its base step or pulse was written late.
  struct Statistics {
    int32_t points = 0;
    int32_t invalidPoints = 0;
    int32_t pointsWithoutSamples = 0;
    int64_t baseReadings = 0;
    double readingsPerPoint() const { return points > 0 ? double(baseReadings) / points : 0; }
  };
  const Statistics &statistics() const { return statistics_; }
  // "600 points, 0 invalid, 0 without samples, 32.3 readings per point".
  QString summary() const;

 private:
  void takeEvents();
  void apply(const RunEvent &event);
  // Stores and draws a point and tells the observer; returns the stored value.
  double storePoint(const RunEvent &point);
  void showPoint(const RunEvent &point, double stored);

  MeasurementRecord &record_;
  RunInstrument &instrument_;
  Clock clock_;
  DrawPoint drawPoint_;
  RunObserver *observer_ = nullptr;
  RunPlan plan_;
  Statistics statistics_;
  ThreadPriority priority_ = ThreadPriority::Normal;

  std::unique_ptr<RunEventQueue> events_;
  std::unique_ptr<Acquisition> acquisition_;
  std::thread thread_;
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> finished_{false};
  bool ended_ = false;
};
