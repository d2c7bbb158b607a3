// Runs over the simulated instrument on its virtual clock, through the real
// instrument operations and bus transfers.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <algorithm>
#include <atomic>

#include "factory_texts.h"
#include "graph/scaling.h"
#include "instrument/instrument.h"
#include "instrument/port_backend.h"
#include "instrument/tvicport.h"
#include "measurement/instrument_run.h"
#include "qstring_print.h"
#include "run_to_end.h"

namespace {

struct SimulatedRun {
  MeasurementRecord record;
  TVicPort port;
  Instrument instrument;
  InstrumentRun run{instrument};
  std::atomic<int64_t> nowMs{0};
  RunSession session{record, run, [this] { return nowMs.load(); }};

  SimulatedRun(const QString &cell, const char *start, const char *end, const char *speed, const char *amplitude) {
    QString error;
    EXPECT_TRUE(selectPortBackend("sim-fast", cell, &error)) << error.toStdString();
    port.Open();
    instrument.SelDeviceChange(0);
    EXPECT_TRUE(instrument.DeviceTest());
    MeasurementRecord &r = record;
    r.texts = factoryTexts();
    r.texts.potStart = start;
    r.texts.potEnd = end;
    r.texts.sweep = speed;
    r.texts.amplitude = amplitude;
    r.texts.accumulation = "20";
    XYFactors(r);
  }
  ~SimulatedRun() { port.Close(); }

  void runToEnd() { ::runToEnd(session); }
  // Potential of the largest point in magnitude (reduction peaks are negative),
  // after the first tenth of the sweep, where the switch-on transient decays.
  double peakPotential() const {
    const auto from = record.document.points.begin() + record.document.points.size() / 10;
    const auto peak = std::max_element(from, record.document.points.end(),
                                       [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    return record.pointPotential(static_cast<int32_t>(peak - record.document.points.begin()));
  }
  double widthAtHalfHeight() const {
    const double half = *std::max_element(record.document.points.begin(), record.document.points.end()) / 2;
    int32_t first = -1, last = -1;
    for (int32_t i = 0; i < static_cast<int32_t>(record.document.points.size()); ++i)
      if (record.document.points[i] >= half) {
        if (first < 0) first = i;
        last = i;
      }
    return (last - first) * std::fabs(record.params.pulseStep);
  }
};

}  // namespace

TEST(SimulatedRun, ReversiblePeakOfTheSimulatedCouple) {
  struct Case {
    const char *cell;
    double e0;
    int n;
  } cases[] = {{"noise=0,errors=0", 0.100, 1}, {"E0=0.25,n=2,noise=0,errors=0", 0.25, 2}};
  for (const Case &c : cases) {
    SimulatedRun sim(c.cell, "-200", "500", "20", "10");  // 1 mV steps
    sim.runToEnd();
    const MeasurementRecord &r = sim.record;
    EXPECT_EQ(static_cast<int32_t>(r.document.points.size()), r.params.pulseNumber);
    EXPECT_EQ(r.document.pointIndex, r.params.pulseNumber - 1);
    EXPECT_EQ(sim.session.statistics().points, r.params.pulseNumber);
    EXPECT_EQ(sim.session.statistics().pointsWithoutSamples, 0);
    EXPECT_EQ(sim.session.statistics().invalidPoints, 0);
    EXPECT_NEAR(sim.peakPotential(), c.e0 - 0.005, r.params.pulseStep + 1e-9) << c.cell;
    EXPECT_NEAR(sim.widthAtHalfHeight(), 0.0904 / c.n, 0.1 * 0.0904 / c.n) << c.cell;
  }
}

TEST(SimulatedRun, FallingSweepFindsTheSamePeak) {
  SimulatedRun sim("noise=0,errors=0", "500", "-200", "20", "-10");
  sim.runToEnd();
  EXPECT_EQ(sim.record.document.pointIndex, sim.record.params.pulseNumber - 1);
  EXPECT_DOUBLE_EQ(sim.record.pointPotential(0), 0.5);
  // A negative pulse on a falling sweep: a reduction peak at E0 + 5 mV.
  EXPECT_NEAR(sim.peakPotential(), 0.105, 0.003);
  EXPECT_LT(*std::min_element(sim.record.document.points.begin(), sim.record.document.points.end()), -1e-6);
}

TEST(SimulatedRun, PreelectrolysisThenSweep) {
  SimulatedRun sim("noise=0,errors=0", "-200", "300", "100", "10");
  sim.record.texts.preTime = "5";
  sim.record.texts.prePot = "-300";
  sim.record.params.preTime = 5;
  sim.record.params.prePotential = -0.3;
  sim.session.start();
  EXPECT_EQ(sim.record.runState, RunPreelectrolysis);
  ASSERT_TRUE(deliverUntil(sim.session, [&] { return !sim.record.display.panels.time.isEmpty(); }));
  EXPECT_EQ(sim.record.display.panels.time, "5.0 s");
  EXPECT_EQ(sim.record.display.panels.potential, "-300 mV");
  EXPECT_TRUE(sim.record.display.panels.current.endsWith(" uA"));
  sim.nowMs = 5000;
  EXPECT_FALSE(deliverUntil(sim.session, [] { return false; }));
  sim.session.stop();
  EXPECT_EQ(sim.record.document.pointIndex, sim.record.params.pulseNumber - 1);
  EXPECT_EQ(sim.session.statistics().pointsWithoutSamples, 0);
  EXPECT_EQ(sim.session.statistics().invalidPoints, 0);
}

TEST(SimulatedRun, ZeroAccumulationAndShortPeriods) {
  {
    SimulatedRun sim("noise=0,errors=0", "-100", "100", "100", "10");
    sim.record.texts.accumulation = "0";
    XYFactors(sim.record);
    sim.runToEnd();
    EXPECT_EQ(sim.record.document.pointIndex, sim.record.params.pulseNumber - 1);
    EXPECT_EQ(sim.session.statistics().pointsWithoutSamples, sim.record.params.pulseNumber);
    for (double v : sim.record.document.points) EXPECT_EQ(v, 0.0);
  }
  {
    // 5 ms periods: windows of 0.25 ms, a write due every 2.5 ms.
    SimulatedRun sim("noise=0,errors=0", "-100", "100", "100", "10");
    sim.record.texts.period = "5";
    XYFactors(sim.record);
    ASSERT_EQ(sim.record.params.pulseNumber, 400);
    sim.runToEnd();
    EXPECT_EQ(sim.record.document.pointIndex, 399);
    EXPECT_EQ(sim.session.statistics().pointsWithoutSamples, 0);
    EXPECT_EQ(sim.session.statistics().invalidPoints, 0);
  }
}
