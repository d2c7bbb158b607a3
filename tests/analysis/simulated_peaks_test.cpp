// Golden runs: sweeps over the simulated cell with one reversible couple,
// measured through the real run on the virtual clock (sim-fast, the default
// noise and converter errors), then analysed with the default settings. The
// couple must be found once, at E0 - dE/2, as wide as the finite-amplitude
// reversible theory (Parry and Osteryoung) says.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <iostream>

#include "analysis/record_curve.h"
#include "app/app_paths.h"
#include "factory_texts.h"
#include "graph/scaling.h"
#include "instrument/instrument.h"
#include "instrument/port_backend.h"
#include "instrument/tvicport.h"
#include "measurement/acquisition.h"
#include "measurement/instrument_run.h"
#include "synthetic_curves.h"

namespace {

constexpr double kE0 = 0.100;

struct SimulatedSweep {
  QTemporaryDir folder;
  MeasurementRecord record;
  TVicPort port;
  Instrument instrument;
  InstrumentRun run{instrument};
  int64_t nowMs = 0;
  Acquisition acquisition{record, run, [this] { return nowMs; }};

  // Sweeps from `start` to `end` (mV) at `speed` (mV/s; 20 gives 1 mV steps)
  // with pulses of `amplitude` (mV), the other parameters as a fresh program
  // has them.
  SimulatedSweep(const QString &cell, const QString &start, const QString &end, const QString &amplitude,
                 const QString &speed = QStringLiteral("20")) {
    setProgramFolder(folder.path());
    QString error;
    EXPECT_TRUE(selectPortBackend("sim-fast", cell, &error)) << error.toStdString();
    port.Open();
    instrument.SelDeviceChange(0);
    EXPECT_TRUE(instrument.DeviceTest());
    record.texts = factoryTexts();
    record.texts.potStart = start;
    record.texts.potEnd = end;
    record.texts.sweep = speed;
    record.texts.amplitude = amplitude;
    XYFactors(record);
    acquisition.start();
    for (int ticks = 0; ticks < 100000 && acquisition.tick(); ++ticks) {
    }
    acquisition.stop();
    EXPECT_EQ(record.pointIndex, record.pulseNumber - 1);
  }
  ~SimulatedSweep() {
    port.Close();
    setProgramFolder(QString());
  }
};

struct Golden {
  int n;
  int amplitude;     // mV, signed
  bool falling;
  const char *cell;
};

std::string goldenName(const testing::TestParamInfo<Golden> &info) {
  const Golden &g = info.param;
  return std::string(g.falling ? "Falling" : "Rising") + (g.amplitude < 0 ? "Minus" : "Plus") +
         std::to_string(std::abs(g.amplitude)) + "mV_n" + std::to_string(g.n);
}

class GoldenRun : public testing::TestWithParam<Golden> {};

}  // namespace

TEST_P(GoldenRun, CoupleFoundOnceWhereAndAsWideAsTheTheorySays) {
  const Golden g = GetParam();
  SimulatedSweep sim(g.cell, g.falling ? "350" : "-150", g.falling ? "-150" : "350", QString::number(g.amplitude));
  const double amplitude = g.amplitude * 0.001;
  const std::vector<Peak> peaks = recordPeaks(sim.record, AnalysisSettings());
  ASSERT_EQ(peaks.size(), 1u);
  const Peak &p = peaks[0];
  const double expectedPotential = kE0 - amplitude / 2;
  const double expectedWidth = synthetic::dpvWidth(g.n, amplitude);
  const double positionError = p.potential - expectedPotential;
  const double widthError = (p.width - expectedWidth) / expectedWidth;
  std::cout << "[golden] " << goldenName({g, 0}) << ": potential error " << positionError * 1000
            << " mV, width " << p.width * 1000 << " mV vs " << expectedWidth * 1000 << " mV ("
            << widthError * 100 << " %), height " << p.height << " A\n";
  EXPECT_NEAR(p.potential, expectedPotential, std::fabs(sim.record.pulseStep) / 2 + 0.0005);
  EXPECT_NEAR(widthError, 0, g.n == 1 ? 0.05 : 0.08);
  // A differential pulse peak has the sign of the pulse.
  EXPECT_EQ(p.height > 0, amplitude > 0);
  EXPECT_EQ(p.area > 0, amplitude > 0);

  // Told nothing of the pulse, the analysis reads the same peak off the curve.
  Curve unsigned_ = recordCurve(sim.record);
  unsigned_.peakSign = 0;
  const std::vector<Peak> again = findPeaks(unsigned_, AnalysisSettings());
  ASSERT_EQ(again.size(), 1u);
  EXPECT_DOUBLE_EQ(again[0].potential, p.potential);
  EXPECT_DOUBLE_EQ(again[0].height, p.height);
}

INSTANTIATE_TEST_SUITE_P(
    OneCouple, GoldenRun,
    testing::Values(Golden{1, 10, false, "n=1,C=1.2"}, Golden{1, 25, false, "n=1,C=1.2"}, Golden{1, 50, false, "n=1,C=1.2"},
                    Golden{2, 10, false, "n=2,C=0.6"}, Golden{2, 25, false, "n=2,C=0.6"}, Golden{2, 50, false, "n=2,C=0.6"},
                    Golden{1, 10, true, "n=1,C=1.2"}, Golden{1, 25, true, "n=1,C=1.2"}, Golden{1, 50, true, "n=1,C=1.2"},
                    Golden{2, 10, true, "n=2,C=0.6"}, Golden{2, 25, true, "n=2,C=0.6"}, Golden{2, 50, true, "n=2,C=0.6"},
                    Golden{1, -10, true, "n=1,C=1.2"}, Golden{1, -25, true, "n=1,C=1.2"}, Golden{1, -50, true, "n=1,C=1.2"},
                    Golden{2, -10, true, "n=2,C=0.6"}, Golden{2, -25, true, "n=2,C=0.6"}, Golden{2, -50, true, "n=2,C=0.6"}),
    goldenName);

TEST(GoldenBlank, NoCoupleNoPeak) {
  for (bool falling : {false, true}) {
    for (const char *amplitude : {"50", "-25"}) {
      SimulatedSweep sim("C=0", falling ? "350" : "-150", falling ? "-150" : "350", amplitude);
      EXPECT_TRUE(recordPeaks(sim.record, AnalysisSettings()).empty()) << falling << " " << amplitude;
      Curve c = recordCurve(sim.record);
      c.peakSign = 0;
      EXPECT_TRUE(findPeaks(c, AnalysisSettings()).empty()) << falling << " " << amplitude;
    }
  }
}

TEST(GoldenFactory, FactoryParametersFindTheCouple) {
  // The parameters of a fresh program (50 mV pulses, 0.5 mV steps) over the
  // default cell, analysed with the default settings.
  SimulatedSweep sim(QString(), "-200", "400", "50", "10");
  const std::vector<Peak> peaks = recordPeaks(sim.record, AnalysisSettings());
  ASSERT_EQ(peaks.size(), 1u);
  EXPECT_NEAR(peaks[0].potential, kE0 - 0.025, 0.00025 + 0.0005);
  EXPECT_NEAR(peaks[0].width, synthetic::dpvWidth(1, 0.050), 0.05 * synthetic::dpvWidth(1, 0.050));
  EXPECT_GT(peaks[0].height, 30e-6);
}
