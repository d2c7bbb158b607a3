#include <gtest/gtest.h>

#include "qstring_print.h"

#include <cmath>
#include <vector>

#include "factory_texts.h"
#include "graph/scaling.h"
#include "measurement/acquisition.h"

namespace {

// An instrument whose timer advances a fixed step per access and whose current
// follows the applied potential, so every sample is predictable.
class ScriptedInstrument : public RunInstrument {
 public:
  double step = 1e-4;  // seconds per instrument access
  double time = 0;
  bool counting = false;
  double potential = 0;
  int onCalls = 0, offCalls = 0;
  double onPotential = 0;

  void advance() {
    if (counting) time += step;
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
};

MeasurementRecord sweepRecord(const char *start, const char *end, const char *period, const char *accumulation) {
  MeasurementRecord r;
  r.texts = factoryTexts();
  r.texts.currMin = "-10";
  r.texts.currMax = "10";
  r.texts.potStart = start;
  r.texts.potEnd = end;
  r.texts.sweep = "100";
  r.texts.period = period;
  r.texts.accumulation = accumulation;
  XYFactors(r);
  return r;
}

struct ScriptedRun {
  MeasurementRecord &record;
  ScriptedInstrument instrument;
  int64_t nowMs = 0;
  std::vector<std::pair<double, double>> drawn;
  Acquisition acquisition{record, instrument, [this] { return nowMs; }};

  explicit ScriptedRun(MeasurementRecord &r) : record(r) {
    acquisition.setDrawPoint([this](double e, double i) { drawn.emplace_back(e, i); });
  }
  int ticksUntilEnd(int limit = 100000) {
    int ticks = 0;
    while (ticks < limit) {
      ++ticks;
      if (!acquisition.tick()) {
        acquisition.stop();
        break;
      }
    }
    return ticks;
  }
};

}  // namespace

TEST(Acquisition, SweepStoresEveryPointAndEndsByItself) {
  MeasurementRecord r = sweepRecord("-100", "100", "50", "50");
  ASSERT_EQ(r.params.pulseNumber, 40);
  ASSERT_TRUE(sweepProblem(r).isEmpty());
  ScriptedRun run(r);
  run.acquisition.start();
  EXPECT_EQ(r.runState, RunMeasuring);
  EXPECT_EQ(r.display.panels.status, "Measuring");
  EXPECT_DOUBLE_EQ(run.instrument.onPotential, -0.1);
  run.ticksUntilEnd();
  EXPECT_EQ(r.runState, RunIdle);
  EXPECT_EQ(r.document.pointIndex, 39);
  EXPECT_EQ(r.document.points.size(), 40u);
  // First drawn point is the pen placement at the start potential and 0 A.
  ASSERT_EQ(run.drawn.size(), 41u);
  EXPECT_DOUBLE_EQ(run.drawn[0].first, -0.1);
  EXPECT_DOUBLE_EQ(run.drawn[0].second, 0.0);
  // The current follows the potential at 1 uA/V: each point is the pulse, 50 mV.
  for (size_t i = 0; i < r.document.points.size(); ++i) EXPECT_NEAR(r.document.points[i], 0.05e-6, 1e-15) << i;
  EXPECT_DOUBLE_EQ(run.drawn.back().first, -0.1 + 39 * 0.005);
  EXPECT_EQ(run.instrument.offCalls, 1);
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_TRUE(r.display.panels.status.isEmpty());
}

TEST(Acquisition, ZeroAccumulationWritesNoValues) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "0");
  ScriptedRun run(r);
  run.acquisition.start();
  run.ticksUntilEnd();
  EXPECT_EQ(r.document.pointIndex, r.params.pulseNumber - 1);
  for (double v : r.document.points) EXPECT_EQ(v, 0.0);
  EXPECT_EQ(r.display.panels.analysis, "");  // cleared by stop
}

TEST(Acquisition, ShortPeriodCompletesSeveralPointsPerTick) {
  MeasurementRecord r = sweepRecord("0", "100", "10", "50");  // 100 points of 10 ms
  ScriptedRun run(r);
  run.acquisition.start();
  const int ticks = run.ticksUntilEnd();
  EXPECT_LE(ticks, 11);
  EXPECT_EQ(r.document.pointIndex, 99);
  EXPECT_EQ(run.drawn.size(), 101u);
}

TEST(Acquisition, PointWithoutSamplesKeepsZero) {
  // Each access costs 4 ms, so 5 % windows of a 10 ms period get no samples.
  MeasurementRecord r = sweepRecord("0", "20", "10", "5");
  ScriptedRun run(r);
  run.instrument.step = 4e-3;
  run.acquisition.start();
  run.ticksUntilEnd();
  EXPECT_EQ(r.document.pointIndex, r.params.pulseNumber - 1);
  for (double v : r.document.points) EXPECT_EQ(v, 0.0);
}

TEST(Acquisition, StartClearsValuesOfAnEarlierRecord) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "0");
  r.document.points.assign(100, 7.0);
  ScriptedRun run(r);
  run.acquisition.start();
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
  run.acquisition.start();
  EXPECT_EQ(r.runState, RunPreelectrolysis);
  EXPECT_DOUBLE_EQ(run.instrument.onPotential, -0.8);
  EXPECT_FALSE(run.instrument.counting);
  run.nowMs = 500;
  EXPECT_TRUE(run.acquisition.tick());
  EXPECT_EQ(r.display.panels.time, "1.5 s");
  EXPECT_EQ(r.display.panels.potential, "-800 mV");
  EXPECT_EQ(r.display.panels.status, "Preelectrolysis");
  run.nowMs = 2000;
  run.acquisition.tick();
  EXPECT_EQ(r.runState, RunMeasuring);
  EXPECT_EQ(r.display.panels.status, "Measuring");
  EXPECT_TRUE(r.display.panels.time.isEmpty());
  run.ticksUntilEnd();
  EXPECT_EQ(r.document.pointIndex, r.params.pulseNumber - 1);
}

TEST(Acquisition, StopDuringPreelectrolysisLeavesNoPoint) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "50");
  r.params.preTime = 10;
  ScriptedRun run(r);
  run.acquisition.start();
  run.acquisition.tick();
  run.acquisition.stop();
  EXPECT_EQ(r.document.pointIndex, 0);
  EXPECT_EQ(r.runState, RunIdle);
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_EQ(run.instrument.offCalls, 1);
}

TEST(Acquisition, ParametersChangedDuringTheRunDoNotReachIt) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "50");
  const int32_t points = r.params.pulseNumber;
  ScriptedRun run(r);
  run.acquisition.start();
  run.acquisition.tick();
  r.texts.potEnd = "5000";
  r.texts.period = "1";
  XYFactors(r);  // the controls stay editable during a run
  ASSERT_GT(r.params.pulseNumber, points);
  run.ticksUntilEnd();
  EXPECT_EQ(r.document.points.size(), static_cast<size_t>(points));
  EXPECT_EQ(r.document.pointIndex, points - 1);
}

TEST(Acquisition, StoppedTimerDoesNotHangATick) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "50");
  ScriptedInstrument instrument;
  instrument.step = 0;  // the instrument timer never counts
  int64_t ms = 0;
  Acquisition acquisition(r, instrument, [&] { return ms++; });  // the monotonic clock moves on
  acquisition.start();
  EXPECT_TRUE(acquisition.tick());
  EXPECT_EQ(r.document.pointIndex, 0);
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
  run.acquisition.start();
  run.ticksUntilEnd();
  EXPECT_EQ(run.acquisition.statistics().points, r.params.pulseNumber);
  EXPECT_EQ(run.acquisition.statistics().pointsWithoutSamples, r.params.pulseNumber);

  MeasurementRecord full = sweepRecord("0", "20", "10", "50");
  ScriptedRun good(full);
  good.acquisition.start();
  good.ticksUntilEnd();
  EXPECT_EQ(good.acquisition.statistics().pointsWithoutSamples, 0);
  EXPECT_GT(good.acquisition.statistics().readingsPerPoint(), 1.0);
}

TEST(Acquisition, TickEndsWhereNoWindowOpensSoon) {
  // 50 ms periods with 10 % windows: a tick may end only in the long gaps.
  MeasurementRecord r = sweepRecord("0", "100", "50", "10");
  ScriptedRun run(r);
  run.instrument.step = 1e-5;
  run.acquisition.start();
  const double T = 0.05, window = 0.1 / 2 * T;
  for (int i = 0; i < 10 && run.acquisition.tick(); ++i) {
    const double t = run.instrument.time;
    const double phase = std::fmod(t, T / 2);  // both windows end on half periods
    EXPECT_TRUE(phase + 0.02 < T / 2 - window || phase < 1e-4) << "tick ended at " << t;
  }
}

TEST(Acquisition, NewDuringARunDoesNotSendTheSweepBack) {
  MeasurementRecord r = sweepRecord("-100", "100", "50", "50");
  ScriptedRun run(r);
  run.acquisition.start();
  run.acquisition.tick();
  run.acquisition.tick();
  const int32_t reached = r.document.pointIndex;
  ASSERT_GT(reached, 2);
  r.document.pointIndex = 0;  // what New does to the record
  run.acquisition.tick();
  EXPECT_GE(r.document.pointIndex, reached);
  run.ticksUntilEnd();
  EXPECT_EQ(r.document.pointIndex, r.params.pulseNumber - 1);
  for (size_t i = 0; i < r.document.points.size(); ++i) EXPECT_NEAR(r.document.points[i], 0.05e-6, 1e-15) << i;
}

TEST(Acquisition, PointsAfterASaveMakeTheRecordUnsavedAgain) {
  MeasurementRecord r = sweepRecord("-100", "100", "50", "50");
  ScriptedRun run(r);
  run.acquisition.start();
  run.acquisition.tick();
  r.document.dataSaved = true;  // saved while measuring
  run.acquisition.tick();
  EXPECT_FALSE(r.document.dataSaved);
}
