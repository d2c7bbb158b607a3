#include <gtest/gtest.h>

#include "qstring_print.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "graph/scaling.h"
#include "measurement/run_session.h"
#include "run_to_end.h"
#include "sweep_record.h"

namespace {

// An instrument whose timer advances a fixed step per access and whose current
// follows the applied potential, so every sample is predictable. Only the
// acquisition thread uses it; the test reads it once the run has stopped.
class ScriptedInstrument : public RunInstrument {
 public:
  double step = 1e-4;  // seconds per instrument access
  double time = 0;
  bool counting = false;
  double potential = 0;
  int onCalls = 0, offCalls = 0;
  double onPotential = 0;
  // Once the timer passes `stallAt`, one access takes `stallSeconds` more
  // (the thread held up, say).
  double stallAt = -1, stallSeconds = 0;
  // Each pause: when it began and how long it was.
  std::vector<std::pair<double, double>> pauses;
  // The timer stands still here until the test lets it go on.
  std::atomic<double> holdAt{1e9};

  void advance() {
    if (!counting) return;
    while (time + step > holdAt.load()) std::this_thread::sleep_for(std::chrono::microseconds(50));
    time += step;
    if (stallAt >= 0 && time > stallAt) {
      time += stallSeconds;
      stallAt = -1;
    }
  }
  void PotentiostatOn(int, double, double, double p) override {
    ++onCalls;
    onPotential = p;
    potential = p;
  }
  void PotentiostatOff() override { ++offCalls; }
  void PotentiostatSetPotential(double p) override {
    potential = p;
    advance();
  }
  double PotentiostatGetCurrent() override {
    advance();
    return potential * 1e-6;  // 1 uA per volt
  }
  void TimerStart() override { counting = true; }
  void TimerStop() override { counting = false; }
  void TimerReset() override { time = 0; }
  double GetTime() override {
    advance();
    return time;
  }
  void Pause(double seconds) override {
    pauses.emplace_back(time, seconds);
    if (counting) time += seconds;
  }
  bool VirtualTime() const override { return true; }
};

struct Drawn {
  double potential, current;
  bool valid;
};

struct ScriptedRun {
  MeasurementRecord &record;
  ScriptedInstrument instrument;
  std::atomic<int64_t> nowMs{0};
  std::vector<Drawn> drawn;
  RunSession session{record, instrument, [this] { return nowMs.load(); }};

  explicit ScriptedRun(MeasurementRecord &r) : record(r) {
    session.setDrawPoint([this](double e, double i, bool valid) { drawn.push_back({e, i, valid}); });
  }
  void untilEnd() {
    EXPECT_FALSE(deliverUntil(session, [] { return false; })) << "the sweep did not end";
    session.stop();
  }
  bool until(const std::function<bool()> &done) { return deliverUntil(session, done); }
};

// The sweep to its end, the instrument holding the thread 8 ms at `seconds`.
void runStalledFor8msAt(ScriptedRun &run, double seconds) {
  run.instrument.step = 1e-5;
  run.instrument.stallAt = seconds;
  run.instrument.stallSeconds = 0.008;
  run.session.start();
  run.untilEnd();
}

// What an observer of the run is told, in order.
struct RecordedRun : RunObserver {
  std::vector<std::string> events;
  std::vector<std::pair<int32_t, double>> points;
  QString startedDateTime;
  int32_t startedPulseNumber = -1;

  void runStarted(const MeasurementRecord &record) override {
    events.push_back("start");
    startedDateTime = record.document.runDateTime;
    startedPulseNumber = record.params.pulseNumber;
  }
  void pointCompleted(int32_t index, double value) override {
    events.push_back("point");
    points.emplace_back(index, value);
  }
  void runEnded() override { events.push_back("end"); }
};

}  // namespace

TEST(Acquisition, SweepStoresEveryPointAndEndsByItself) {
  MeasurementRecord r = sweepRecord("-100", "100", "50", "50");
  ASSERT_EQ(r.params.pulseNumber, 40);
  ASSERT_TRUE(sweepProblem(r).isEmpty());
  ScriptedRun run(r);
  run.session.start();
  EXPECT_EQ(r.runState, RunMeasuring);
  EXPECT_EQ(r.display.panels.status, "Measuring");
  run.untilEnd();
  EXPECT_EQ(run.instrument.onCalls, 1);
  EXPECT_DOUBLE_EQ(run.instrument.onPotential, -0.1);
  EXPECT_EQ(r.runState, RunIdle);
  EXPECT_EQ(r.document.pointIndex, 39);
  EXPECT_EQ(r.document.points.size(), 40u);
  // First drawn point is the pen placement at the start potential and 0 A.
  ASSERT_EQ(run.drawn.size(), 41u);
  EXPECT_DOUBLE_EQ(run.drawn[0].potential, -0.1);
  EXPECT_DOUBLE_EQ(run.drawn[0].current, 0.0);
  for (const Drawn &d : run.drawn) EXPECT_TRUE(d.valid);
  // The current follows the potential at 1 uA/V: each point is the pulse, 50 mV.
  for (size_t i = 0; i < r.document.points.size(); ++i) EXPECT_NEAR(r.document.points[i], 0.05e-6, 1e-15) << i;
  EXPECT_DOUBLE_EQ(run.drawn.back().potential, -0.1 + 39 * 0.005);
  EXPECT_EQ(run.instrument.offCalls, 1);
  EXPECT_FALSE(run.instrument.counting);
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_TRUE(r.display.panels.status.isEmpty());
}

TEST(Acquisition, ZeroAccumulationWritesNoValues) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "0");
  ScriptedRun run(r);
  run.session.start();
  run.untilEnd();
  EXPECT_EQ(r.document.pointIndex, r.params.pulseNumber - 1);
  for (double v : r.document.points) EXPECT_EQ(v, 0.0);
  EXPECT_EQ(r.display.panels.analysis, "");  // cleared by stop
}

TEST(Acquisition, ShortPeriodsCompleteEveryPoint) {
  MeasurementRecord r = sweepRecord("0", "100", "10", "50");  // 100 points of 10 ms
  ScriptedRun run(r);
  run.session.start();
  run.untilEnd();
  EXPECT_EQ(r.document.pointIndex, 99);
  EXPECT_EQ(run.drawn.size(), 101u);
  EXPECT_EQ(run.session.statistics().invalidPoints, 0);
}

TEST(Acquisition, PointWithoutSamplesKeepsZeroAndIsDrawnAsAGap) {
  // Each access costs 4 ms, so 5 % windows of a 10 ms period get no samples.
  MeasurementRecord r = sweepRecord("0", "20", "10", "5");
  ScriptedRun run(r);
  run.instrument.step = 4e-3;
  run.session.start();
  run.untilEnd();
  EXPECT_EQ(r.document.pointIndex, r.params.pulseNumber - 1);
  for (double v : r.document.points) EXPECT_EQ(v, 0.0);
  for (size_t i = 1; i < run.drawn.size(); ++i) EXPECT_FALSE(run.drawn[i].valid) << i;
}

TEST(Acquisition, StartClearsValuesOfAnEarlierRecord) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "0");
  r.document.points.assign(100, 7.0);
  ScriptedRun run(r);
  run.session.start();
  EXPECT_EQ(r.document.points.size(), static_cast<size_t>(r.params.pulseNumber));
  for (double v : r.document.points) EXPECT_EQ(v, 0.0);
}

TEST(Acquisition, PreelectrolysisThenSweep) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "50");
  r.texts.preTime = "2";
  r.texts.prePot = "-800";
  r.params.preTime = 2;
  r.params.prePotential = -0.8;
  ScriptedRun run(r);
  run.session.start();
  EXPECT_EQ(r.runState, RunPreelectrolysis);
  EXPECT_EQ(r.display.panels.status, "Preelectrolysis");
  ASSERT_TRUE(run.until([&] { return r.display.panels.time == "2.0 s"; }));
  // The countdown is told once the cell is on; the timer waits.
  EXPECT_DOUBLE_EQ(run.instrument.onPotential, -0.8);
  EXPECT_FALSE(run.instrument.counting);
  run.nowMs = 500;
  ASSERT_TRUE(run.until([&] { return r.display.panels.time == "1.5 s"; }));
  EXPECT_EQ(r.display.panels.potential, "-800 mV");
  EXPECT_EQ(r.display.panels.status, "Preelectrolysis");
  run.nowMs = 2000;
  ASSERT_TRUE(run.until([&] { return r.runState == RunMeasuring; }));
  EXPECT_EQ(r.display.panels.status, "Measuring");
  EXPECT_TRUE(r.display.panels.time.isEmpty());
  run.untilEnd();
  EXPECT_EQ(r.document.pointIndex, r.params.pulseNumber - 1);
}

TEST(Acquisition, StopDuringPreelectrolysisLeavesNoPoint) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "50");
  r.params.preTime = 10;
  ScriptedRun run(r);
  RecordedRun seen;
  run.session.setObserver(&seen);
  run.session.start();
  ASSERT_TRUE(run.until([&] { return !r.display.panels.time.isEmpty(); }));
  run.session.stop();
  EXPECT_EQ(r.document.pointIndex, 0);
  EXPECT_EQ(r.runState, RunIdle);
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_EQ(run.instrument.offCalls, 1);
  EXPECT_FALSE(run.instrument.counting);
  EXPECT_EQ(seen.events, (std::vector<std::string>{"start", "end"}));
}

TEST(Acquisition, ParametersChangedDuringTheRunDoNotReachIt) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "50");
  const int32_t points = r.params.pulseNumber;
  ScriptedRun run(r);
  run.session.start();
  r.texts.potEnd = "5000";
  r.texts.period = "1";
  XYFactors(r);  // the controls stay editable during a run
  ASSERT_GT(r.params.pulseNumber, points);
  run.untilEnd();
  EXPECT_EQ(r.document.points.size(), static_cast<size_t>(points));
  EXPECT_EQ(r.document.pointIndex, points - 1);
}

TEST(Acquisition, AStoppedInstrumentTimerDoesNotHangStop) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "50");
  ScriptedRun run(r);
  run.instrument.step = 0;  // the instrument timer never counts
  run.session.start();
  EXPECT_FALSE(deliverUntil(
      run.session, [&] { return r.document.pointIndex > 0; }, 0.1));
  run.session.stop();
  EXPECT_EQ(r.document.pointIndex, 0);
  EXPECT_EQ(r.runState, RunIdle);
  EXPECT_EQ(run.instrument.offCalls, 1);
}

TEST(Acquisition, RefusesSweepsWithoutValidPoints) {
  MeasurementRecord r = sweepRecord("0", "0", "50", "10");
  EXPECT_FALSE(sweepProblem(r).isEmpty());
  r = sweepRecord("0", "5000", "50", "10");
  r.texts.sweep = "0.0001";
  XYFactors(r);
  EXPECT_GT(r.params.pulseNumber, kMaxRunPoints);
  EXPECT_FALSE(sweepProblem(r).isEmpty());
  r = sweepRecord("0", "100", "0", "10");
  EXPECT_FALSE(sweepProblem(r).isEmpty());
}

TEST(Acquisition, CountsPointsWithoutSamples) {
  MeasurementRecord r = sweepRecord("0", "20", "10", "5");
  ScriptedRun run(r);
  run.instrument.step = 4e-3;
  run.session.start();
  run.untilEnd();
  EXPECT_EQ(run.session.statistics().points, r.params.pulseNumber);
  EXPECT_EQ(run.session.statistics().pointsWithoutSamples, r.params.pulseNumber);
  EXPECT_EQ(run.session.statistics().invalidPoints, r.params.pulseNumber);
  EXPECT_TRUE(run.session.summary().startsWith("20 points, 20 invalid, 20 without samples, 0.0 readings per point"))
      << run.session.summary().toStdString();

  MeasurementRecord full = sweepRecord("0", "20", "10", "50");
  ScriptedRun good(full);
  good.session.start();
  good.untilEnd();
  EXPECT_EQ(good.session.statistics().pointsWithoutSamples, 0);
  EXPECT_EQ(good.session.statistics().invalidPoints, 0);
  EXPECT_GT(good.session.statistics().readingsPerPoint(), 1.0);
}

TEST(Acquisition, PausesFallBetweenTheWindowsAndEndBeforeTheNextOpens) {
  for (const char *accumulation : {"10", "50", "80"}) {
    MeasurementRecord r = sweepRecord("0", "100", "50", accumulation);
    ScriptedRun run(r);
    run.instrument.step = 1e-5;
    run.session.start();
    run.untilEnd();
    const double T = 0.05, window = r.params.accumulationFraction / 2 * T;
    ASSERT_FALSE(run.instrument.pauses.empty()) << accumulation;
    for (const auto &[from, length] : run.instrument.pauses) {
      // Both windows end on half periods: none may be open during a pause.
      const double half = std::floor(from / (T / 2)) * (T / 2);
      for (const double end : {half + T / 2, half + T})
        EXPECT_TRUE(from + length + 1e-9 < end - window || from >= end) << accumulation << "% at " << from;
      EXPECT_LE(length, 0.01);
    }
    EXPECT_EQ(run.session.statistics().invalidPoints, 0) << accumulation;
    EXPECT_GT(run.session.statistics().readingsPerPoint(), 1.0) << accumulation;
  }
}

TEST(Acquisition, ALateWriteMakesAnInvalidPointThatIsStoredButNotDrawn) {
  // 50 ms periods, 50 %: windows of 12.5 ms. Point 5's pulse is due at
  // 275 ms and its window opens at 287.5 ms; written after 281.25 ms it is late.
  MeasurementRecord r = sweepRecord("-100", "100", "50", "50");
  ScriptedRun run(r);
  runStalledFor8msAt(run, 0.275);
  EXPECT_EQ(run.session.statistics().invalidPoints, 1);
  EXPECT_EQ(run.session.statistics().pointsWithoutSamples, 0);
  ASSERT_EQ(run.drawn.size(), 41u);
  for (size_t i = 1; i < run.drawn.size(); ++i) EXPECT_EQ(run.drawn[i].valid, i != 6) << i;
  // Its windows still got samples: the value is stored as measured.
  EXPECT_NEAR(r.document.points[5], 0.05e-6, 1e-15);

  // A base step written late: point 10's, due at 500 ms, whose window opens at 512.5 ms.
  MeasurementRecord late = sweepRecord("-100", "100", "50", "50");
  ScriptedRun base(late);
  runStalledFor8msAt(base, 0.5);
  EXPECT_EQ(base.session.statistics().invalidPoints, 1);
  ASSERT_EQ(base.drawn.size(), 41u);
  EXPECT_FALSE(base.drawn[11].valid);
}

TEST(Acquisition, NewDuringARunDoesNotSendTheSweepBack) {
  MeasurementRecord r = sweepRecord("-100", "100", "50", "50");
  ScriptedRun run(r);
  run.instrument.holdAt = 0.2;
  run.session.start();
  ASSERT_TRUE(run.until([&] { return r.document.pointIndex > 2; }));
  const int32_t reached = r.document.pointIndex;
  r.document.pointIndex = 0;  // what New does to the record
  run.instrument.holdAt = 1e9;
  ASSERT_TRUE(run.until([&] { return r.document.pointIndex > 0; }));
  EXPECT_GT(r.document.pointIndex, reached);
  run.untilEnd();
  EXPECT_EQ(r.document.pointIndex, r.params.pulseNumber - 1);
  for (size_t i = 0; i < r.document.points.size(); ++i) EXPECT_NEAR(r.document.points[i], 0.05e-6, 1e-15) << i;
}

TEST(Acquisition, PointsAfterASaveMakeTheRecordUnsavedAgain) {
  MeasurementRecord r = sweepRecord("-100", "100", "50", "50");
  ScriptedRun run(r);
  run.instrument.holdAt = 0.2;
  run.session.start();
  ASSERT_TRUE(run.until([&] { return run.session.statistics().points > 0; }));
  r.document.dataSaved = true;  // saved while measuring
  const int32_t saved = run.session.statistics().points;
  run.instrument.holdAt = 1e9;
  ASSERT_TRUE(run.until([&] { return run.session.statistics().points > saved; }));
  EXPECT_FALSE(r.document.dataSaved);
  run.session.stop();
}

TEST(Acquisition, TheObserverGetsEachPointOnceInOrderAsItIsTaken) {
  MeasurementRecord r = sweepRecord("-100", "100", "10", "50");  // 200 points, several per delivery
  r.document.runDateTime = "1/2/26 3:04 PM";
  ScriptedRun run(r);
  RecordedRun seen;
  run.session.setObserver(&seen);
  run.session.start();
  EXPECT_EQ(seen.events, std::vector<std::string>{"start"});
  // The run's own date-time, set as it starts.
  EXPECT_NE(seen.startedDateTime, "1/2/26 3:04 PM");
  EXPECT_EQ(seen.startedDateTime, r.document.runDateTime);
  EXPECT_FALSE(r.display.runHint.isEmpty());
  EXPECT_EQ(seen.startedPulseNumber, 200);
  while (run.session.deliver()) {
    // After each delivery the observer has every completed point, none more.
    ASSERT_EQ(seen.points.size(), static_cast<size_t>(run.session.statistics().points));
    r.document.pointIndex = 0;  // New during the run changes nothing of what is told
  }
  run.session.stop();
  run.session.stop();  // a second stop tells nothing
  ASSERT_EQ(seen.points.size(), 200u);
  for (size_t i = 0; i < seen.points.size(); ++i) {
    EXPECT_EQ(seen.points[i].first, static_cast<int32_t>(i));
    EXPECT_EQ(seen.points[i].second, r.document.points[i]) << i;
  }
  EXPECT_EQ(seen.events.back(), "end");
  EXPECT_EQ(std::count(seen.events.begin(), seen.events.end(), "end"), 1);
}
