// Golden runs: sweeps over the simulated cell with one or two reversible
// couples, measured through the real run on the virtual clock (sim-fast, the
// default noise and converter errors), then analysed with the default
// settings. Each couple must be found once, at E0 - dE/2, as wide as the
// finite-amplitude reversible theory (Parry and Osteryoung) says, and two
// couples as high as each other as that theory says: in the ratio of
// n C (s - 1) / (s + 1), s = exp(nF dE / 2RT).
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <iostream>

#include "analysis/record_curve.h"
#include "core/app_paths.h"
#include "factory_texts.h"
#include "graph/scaling.h"
#include "instrument/instrument.h"
#include "instrument/port_backend.h"
#include "instrument/tvicport.h"
#include "measurement/instrument_run.h"
#include "run_to_end.h"
#include "synthetic_curves.h"

namespace {

constexpr double kE0 = 0.100;
// The converters as the hardware calibration leaves them. Uncalibrated, the
// simulated card's zero and gain errors move every potential by up to 2 mV
// (a gain error of about 1 % on the 500 mV range), more than the tolerance.
const QString kCalibrated = QStringLiteral(",errors=0");

struct SimulatedSweep {
  QTemporaryDir folder;
  MeasurementRecord record;
  TVicPort port;
  Instrument instrument;
  InstrumentRun run{instrument};
  RunSession session{record, run};

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
    runToEnd(session);
    EXPECT_EQ(record.document.pointIndex, record.params.pulseNumber - 1);
  }
  ~SimulatedSweep() {
    port.Close();
    setProgramFolder(QString());
  }
};

struct Golden {
  int n;
  int amplitude;  // mV, signed
  bool falling;
  const char *cell;
};

std::string sweepName(bool falling, int amplitude) {
  return std::string(falling ? "Falling" : "Rising") + (amplitude < 0 ? "Minus" : "Plus") +
         std::to_string(std::abs(amplitude)) + "mV";
}

std::string goldenName(const testing::TestParamInfo<Golden> &info) {
  return sweepName(info.param.falling, info.param.amplitude) + "_n" + std::to_string(info.param.n);
}

// The peak height of a couple in the theory, up to a factor common to all.
double theoreticalHeight(int n, double concentration, double amplitude) {
  const double s = std::exp(n * amplitude / 2 / synthetic::thermalVoltage());
  return n * concentration * (s - 1) / (s + 1);
}

class GoldenRun : public testing::TestWithParam<Golden> {};

}  // namespace

TEST_P(GoldenRun, CoupleFoundOnceWhereAndAsWideAsTheTheorySays) {
  const Golden g = GetParam();
  SimulatedSweep sim(g.cell + kCalibrated, g.falling ? "350" : "-150", g.falling ? "-150" : "350",
                     QString::number(g.amplitude));
  const std::string name = goldenName({g, 0});
  const double amplitude = g.amplitude * 0.001;
  const std::vector<Peak> peaks = recordPeaks(sim.record, AnalysisSettings());
  ASSERT_EQ(peaks.size(), 1u);
  const Peak &p = peaks[0];
  const double expectedPotential = kE0 - amplitude / 2;
  const double expectedWidth = synthetic::dpvWidth(g.n, amplitude);
  const double positionError = p.potential - expectedPotential;
  const double widthError = (p.width - expectedWidth) / expectedWidth;
  std::cout << "[golden] " << goldenName({g, 0}) << ": potential error " << positionError * 1000 << " mV, width "
            << p.width * 1000 << " mV vs " << expectedWidth * 1000 << " mV (" << widthError * 100 << " %), height "
            << p.height << " A\n";
  EXPECT_NEAR(p.potential, expectedPotential, std::fabs(sim.record.params.pulseStep) / 2 + 0.0005);
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

INSTANTIATE_TEST_SUITE_P(OneCouple, GoldenRun,
                         testing::Values(Golden{1, 10, false, "n=1,C=1.2"}, Golden{1, 25, false, "n=1,C=1.2"},
                                         Golden{1, 50, false, "n=1,C=1.2"}, Golden{2, 10, false, "n=2,C=0.6"},
                                         Golden{2, 25, false, "n=2,C=0.6"}, Golden{2, 50, false, "n=2,C=0.6"},
                                         Golden{1, 10, true, "n=1,C=1.2"}, Golden{1, 25, true, "n=1,C=1.2"},
                                         Golden{1, 50, true, "n=1,C=1.2"}, Golden{2, 10, true, "n=2,C=0.6"},
                                         Golden{2, 25, true, "n=2,C=0.6"}, Golden{2, 50, true, "n=2,C=0.6"},
                                         Golden{1, -10, true, "n=1,C=1.2"}, Golden{1, -25, true, "n=1,C=1.2"},
                                         Golden{1, -50, true, "n=1,C=1.2"}, Golden{2, -10, true, "n=2,C=0.6"},
                                         Golden{2, -25, true, "n=2,C=0.6"}, Golden{2, -50, true, "n=2,C=0.6"}),
                         goldenName);

TEST(GoldenBlank, NoCoupleNoPeak) {
  for (bool falling : {false, true}) {
    for (const char *amplitude : {"50", "-25"}) {
      SimulatedSweep sim(QStringLiteral("C=0") + kCalibrated, falling ? "350" : "-150", falling ? "-150" : "350",
                         amplitude);
      EXPECT_TRUE(recordPeaks(sim.record, AnalysisSettings()).empty()) << falling << " " << amplitude;
      Curve c = recordCurve(sim.record);
      c.peakSign = 0;
      EXPECT_TRUE(findPeaks(c, AnalysisSettings()).empty()) << falling << " " << amplitude;
    }
  }
}

TEST(GoldenFactory, FactoryParametersFindTheCouple) {
  // The parameters of a fresh program (50 mV pulses, 0.5 mV steps) over the
  // simulated instrument as shipped (converter errors too), analysed with the
  // default settings.
  SimulatedSweep sim(QString(), "-200", "400", "50", "10");
  const std::vector<Peak> peaks = recordPeaks(sim.record, AnalysisSettings());
  ASSERT_EQ(peaks.size(), 1u);
  EXPECT_NEAR(peaks[0].potential, kE0 - 0.025, 0.00025 + 0.0005);
  EXPECT_NEAR(peaks[0].width, synthetic::dpvWidth(1, 0.050), 0.05 * synthetic::dpvWidth(1, 0.050));
  EXPECT_GT(peaks[0].height, 30e-6);
}

namespace {

struct Couple {
  double e0;  // V
  int n;
  double concentration;  // mmol/L
};

struct TwoCouples {
  Couple first, second;
  int amplitude;  // mV, signed
  bool falling;
};

QString cellText(const TwoCouples &t) {
  QStringList couples;
  for (const Couple &c : {t.first, t.second})
    couples << QStringLiteral("E0=%1,n=%2,C=%3").arg(c.e0).arg(c.n).arg(c.concentration);
  return couples.join(QLatin1Char(';'));
}

std::string twoCouplesName(const testing::TestParamInfo<TwoCouples> &info) {
  const TwoCouples &t = info.param;
  return sweepName(t.falling, t.amplitude) + "_n" + std::to_string(t.first.n) + "n" + std::to_string(t.second.n);
}

class GoldenTwoCouples : public testing::TestWithParam<TwoCouples> {};

}  // namespace

TEST_P(GoldenTwoCouples, EachFoundOnceAndAsHighAsTheTheorySays) {
  const TwoCouples t = GetParam();
  // Within 500 mV of zero the potentiostat stays on its finer potential range.
  SimulatedSweep sim(cellText(t) + kCalibrated, t.falling ? "500" : "-250", t.falling ? "-250" : "500",
                     QString::number(t.amplitude));
  const double amplitude = t.amplitude * 0.001;
  const std::vector<Peak> peaks = recordPeaks(sim.record, AnalysisSettings());
  ASSERT_EQ(peaks.size(), 2u);
  const Couple couples[2] = {t.first, t.second};
  std::cout << "[golden] " << twoCouplesName({t, 0}) << ":";
  for (int i = 0; i < 2; ++i) {
    const Couple &c = couples[i];
    const double expectedWidth = synthetic::dpvWidth(c.n, amplitude);
    const double widthError = (peaks[i].width - expectedWidth) / expectedWidth;
    std::cout << " couple " << i + 1 << " potential error " << (peaks[i].potential - (c.e0 - amplitude / 2)) * 1000
              << " mV, width error " << widthError * 100 << " %;";
    EXPECT_NEAR(peaks[i].potential, c.e0 - amplitude / 2, std::fabs(sim.record.params.pulseStep) / 2 + 0.0005) << i;
    EXPECT_NEAR(widthError, 0, c.n == 1 ? 0.05 : 0.08) << i;
    EXPECT_EQ(peaks[i].height > 0, amplitude > 0) << i;
  }
  const double ratio = peaks[0].height / peaks[1].height;
  const double expectedRatio = theoreticalHeight(t.first.n, t.first.concentration, amplitude) /
                               theoreticalHeight(t.second.n, t.second.concentration, amplitude);
  const double ratioError = ratio / expectedRatio - 1;
  std::cout << " height ratio " << ratio << " vs " << expectedRatio << " (" << ratioError * 100 << " %)\n";
  EXPECT_NEAR(ratioError, 0, 0.08);
}

namespace {
const Couple kOneElectron{0.0, 1, 1.2}, kTwoElectrons{0.250, 2, 0.6};
const Couple kTwoElectronsFirst{0.0, 2, 0.6}, kOneElectronSecond{0.250, 1, 1.2};
}  // namespace

INSTANTIATE_TEST_SUITE_P(TwoCouples250mVApart, GoldenTwoCouples,
                         testing::Values(TwoCouples{kOneElectron, kTwoElectrons, 10, false},
                                         TwoCouples{kOneElectron, kTwoElectrons, 25, false},
                                         TwoCouples{kOneElectron, kTwoElectrons, 50, false},
                                         TwoCouples{kOneElectron, kTwoElectrons, 10, true},
                                         TwoCouples{kOneElectron, kTwoElectrons, 25, true},
                                         TwoCouples{kOneElectron, kTwoElectrons, 50, true},
                                         TwoCouples{kOneElectron, kTwoElectrons, -10, true},
                                         TwoCouples{kOneElectron, kTwoElectrons, -25, true},
                                         TwoCouples{kOneElectron, kTwoElectrons, -50, true},
                                         TwoCouples{kTwoElectronsFirst, kOneElectronSecond, 10, false},
                                         TwoCouples{kTwoElectronsFirst, kOneElectronSecond, 25, false},
                                         TwoCouples{kTwoElectronsFirst, kOneElectronSecond, 50, false},
                                         TwoCouples{kTwoElectronsFirst, kOneElectronSecond, 10, true},
                                         TwoCouples{kTwoElectronsFirst, kOneElectronSecond, 25, true},
                                         TwoCouples{kTwoElectronsFirst, kOneElectronSecond, 50, true},
                                         TwoCouples{kTwoElectronsFirst, kOneElectronSecond, -10, true},
                                         TwoCouples{kTwoElectronsFirst, kOneElectronSecond, -25, true},
                                         TwoCouples{kTwoElectronsFirst, kOneElectronSecond, -50, true}),
                         twoCouplesName);

TEST(GoldenTwoCouplesBlank, CoupleWithoutConcentrationAddsNoPeak) {
  SimulatedSweep sim(QStringLiteral("E0=0,C=0;E0=0.25,n=2,C=0.6") + kCalibrated, "-250", "500", "25");
  const std::vector<Peak> peaks = recordPeaks(sim.record, AnalysisSettings());
  ASSERT_EQ(peaks.size(), 1u);
  EXPECT_NEAR(peaks[0].potential, 0.25 - 0.0125, 0.001);
}
