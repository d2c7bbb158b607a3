#pragma once
// The acquisition of a differential pulse run: preelectrolysis, the polling
// loop over the instrument timer, point completion and the end of the sweep.
// It works on the record and the instrument only; the main window drives it
// from its timer, the command line drives it in a loop.

#include <QString>
#include <cstdint>
#include <functional>

#include "core/measurement_record.h"
#include "measurement/run_instrument.h"
#include "measurement/run_observer.h"

// Largest number of points a run may have, so the storage stays in memory.
inline constexpr int32_t kMaxRunPoints = 10000000;

// Why the parameter texts cannot give a sweep, or an empty text when they can.
// The record's derived numbers must be those of its texts (XYFactors).
QString sweepProblem(const MeasurementRecord &record);

class Acquisition {
 public:
  using DrawPoint = std::function<void(double potential, double current)>;
  // Milliseconds of a monotonic clock.
  using Clock = std::function<int64_t()>;

  Acquisition(MeasurementRecord &record, RunInstrument &instrument, Clock clock);

  void setDrawPoint(DrawPoint drawPoint) { drawPoint_ = std::move(drawPoint); }
  // Told of the run's start, of its completed points after each tick, and of its end.
  void setObserver(RunObserver *observer) { observer_ = observer; }

  // Starts the run with the parameters now in the record (they are kept for
  // the whole run): sizes the storage, switches the cell on, and starts the
  // preelectrolysis or the sweep. The caller has checked sweepProblem().
  void start();
  // One tick of the acquisition timer. Returns false once the sweep has ended
  // by itself; the caller then stops the run.
  bool tick();
  // Stops the timer and switches the cell off; the record keeps its points.
  void stop();

  bool running() const { return record_.runState != RunIdle; }

  // How the sampling went: points completed so far, those that got no sample
  // in one of their windows, and the base-window readings summed over all.
  struct Statistics {
    int32_t points = 0;
    int32_t pointsWithoutSamples = 0;
    int64_t baseReadings = 0;
    double readingsPerPoint() const { return points > 0 ? double(baseReadings) / points : 0; }
  };
  const Statistics &statistics() const { return statistics_; }

 private:
  void preelectrolysisTick();
  bool sweepTick();
  bool completePoint();
  // Hands the points completed since the last time to the observer.
  void deliverCompletedPoints();
  // True when no sampling window is open at `t` or opens soon after it.
  bool pauseFits(double t) const;

  MeasurementRecord &record_;
  RunInstrument &instrument_;
  Clock clock_;
  DrawPoint drawPoint_;
  RunObserver *observer_ = nullptr;
  // Points handed to the observer so far; -1 while no run is going on for it.
  int32_t delivered_ = -1;
  Statistics statistics_;
  // The point being measured. The run keeps its own count, so New during a
  // run (which empties the record's index) does not send the sweep back.
  int32_t point_ = 0;

  // Parameters frozen at the start of the run.
  struct Plan {
    double sweepStart = 0, pulseStep = 0, pulseAmplitude = 0, pulsePeriod = 0, accumulation = 0;
    double preTime = 0, prePotential = 0;
    int32_t pulseNumber = 0;
  } plan_;
};
