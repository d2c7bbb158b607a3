// The hardware calibration logic on the simulated instrument.
#include <gtest/gtest.h>

#include "calibration/hardware_calibration.h"
#include "calibration_test_support.h"
#include "core/numbers.h"

namespace {

constexpr double kOneMilliampCountsPerAmpere = 1 / 9.76e-7;

void ticks(HardwareCalibration &cal, int count) {
  for (int i = 0; i < count; ++i) cal.tick();
}

// Sets the zero of the chosen current range so that the cell at rest reads
// `amperes` steadily, and lets the smoothing settle on it.
void holdSteadyReading(HardwareCalibration &cal, Instrument &instrument, double amperes) {
  cal.setCurrZeroText(QStringLiteral("0"));
  cal.activate();
  ticks(cal, 30);
  const double restCounts = cal.readCurrent() / instrument.currScale();
  cal.setCurrZeroText(formatFixed(amperes / instrument.currScale() - restCounts, 4));
  cal.activate();
  ticks(cal, 30);
}

}  // namespace

TEST(HardwareCalibration, OneNanoampRangeOfModel1UsesTheLastRow) {
  SimBench bench(1);
  HardwareCalibration cal(bench.instrument, bench.clock());
  ASSERT_EQ(cal.currentRangeNames().size(), 7);
  EXPECT_EQ(cal.currentRangeNames().last(), QStringLiteral("1 nA"));
  EXPECT_EQ(cal.firstRangeIndex(), 3);
  cal.selectCurrentRange(6);
  EXPECT_STREQ(cal.row().range, "1 nA");
  EXPECT_DOUBLE_EQ(cal.row().rangeValue, 1e-9);
  EXPECT_STREQ(cal.row().unit, " nA");
  EXPECT_EQ(cal.row().decimals, 4);
  cal.activate();
  EXPECT_EQ(bench.instrument.currentRange(), 6);
  EXPECT_EQ(bench.sim().currentRange(), 6);
  EXPECT_TRUE(cal.tick().endsWith(QStringLiteral(" nA")));
}

TEST(HardwareCalibration, ListsAllEightRangesOfModel0) {
  SimBench bench(0);
  HardwareCalibration cal(bench.instrument, bench.clock());
  EXPECT_EQ(cal.currentRangeNames(),
            QStringList({"1 A", "100 mA", "10 mA", "1 mA", "100 uA", "10 uA", "1 uA", "100 nA"}));
  EXPECT_EQ(cal.firstRangeIndex(), 0);
  EXPECT_EQ(HardwareCalibration::potentialRangeNames(), QStringList({"5 V", "2 V", "0.5 V", "0.2 V"}));
}

TEST(HardwareCalibration, ChosenListEntriesSwitchThePotentiostatToTheirRanges) {
  SimBench bench(2);
  HardwareCalibration cal(bench.instrument, bench.clock());
  for (int i = 0; i < 7; ++i)
    for (int j = 0; j < 4; ++j) {
      cal.selectCurrentRange(i);
      cal.selectPotentialRange(j);
      cal.activate();
      EXPECT_EQ(bench.instrument.currentRange(), i);
      EXPECT_EQ(bench.instrument.potentialRange(), j);
      EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Potentiostat);
    }
  cal.deactivate();
  EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Off);
}

TEST(HardwareCalibration, ZeroErrorShowsAtRestAndSetZeroBringsTheReadingToZero) {
  SimBench bench(2);
  HardwareCalibration cal(bench.instrument, bench.clock());
  cal.activate();
  const QString first = cal.tick();
  ticks(cal, 30);
  // The simulated "1 mA" range of model 2 reads 5 counts low at rest.
  EXPECT_NEAR(cal.readCurrent(), -5 * 9.76e-7, 1e-9);
  EXPECT_EQ(cal.tick(), QStringLiteral("-0.0049 mA"));
  EXPECT_NE(first, cal.tick());  // the first tick after opening shows half the average

  const std::optional<QString> zero = cal.setZero();
  ASSERT_TRUE(zero);
  EXPECT_EQ(*zero, QStringLiteral("5.00"));
  cal.setCurrZeroText(*zero);
  cal.activate();
  // The smoothing is not reset: the readout halves towards zero at each tick.
  const double before = cal.readCurrent();
  cal.tick();
  EXPECT_NEAR(cal.readCurrent(), before / 2, 1e-10);
  ticks(cal, 30);
  EXPECT_EQ(cal.tick(), QStringLiteral("0.0000 mA"));
}

TEST(HardwareCalibration, FirstTickAfterTheFirstOpeningShowsHalfTheAverage) {
  SimBench bench(2);
  HardwareCalibration cal(bench.instrument, bench.clock());
  cal.activate();
  // Past the charging of the cell, the reading is the steady zero error.
  averageReadings([&] { return bench.instrument.PotentiostatGetCurrent(); }, bench.clock());
  cal.tick();
  EXPECT_NEAR(cal.readCurrent(), -5 * 9.76e-7 / 2, 1e-12);
  // Reopening continues from the last reading (the cell charges again, a
  // few hundredths of a count on average).
  cal.deactivate();
  cal.activate();
  cal.tick();
  EXPECT_NEAR(cal.readCurrent(), -5 * 9.76e-7 * 3 / 4, 5e-8);
}

struct SetZeroCase {
  int model;
  double countsMoved;  // change of adcOffset
};

TEST(HardwareCalibration, SetZeroWithASteadyTenMicroampsMovesTheOffsetByTenCounts) {
  const SetZeroCase cases[] = {{2, +1e-5 * kOneMilliampCountsPerAmpere}, {1, -1e-5 * kOneMilliampCountsPerAmpere}};
  for (const SetZeroCase &c : cases) {
    SCOPED_TRACE(c.model);
    SimBench bench(c.model);
    HardwareCalibration cal(bench.instrument, bench.clock());
    EXPECT_EQ(cal.currentRangeNames().first(), QStringLiteral("1 mA"));
    holdSteadyReading(cal, bench.instrument, 1e-5);
    EXPECT_NEAR(cal.readCurrent(), 1e-5, 1e-9);
    EXPECT_EQ(cal.tick(), QStringLiteral("0.0100 mA"));

    const double offset = bench.instrument.adcOffset();
    const std::optional<QString> zero = cal.setZero();
    ASSERT_TRUE(zero);
    EXPECT_NEAR(bench.instrument.adcOffset() - offset, c.countsMoved, 0.01);
    EXPECT_NEAR(std::abs(c.countsMoved), 10.2, 0.05);
    EXPECT_EQ(*zero, formatFixed(2048 - bench.instrument.adcOffset(), 2));
  }
}

TEST(HardwareCalibration, TypedFactorScalesTheReadingAtOnce) {
  SimBench bench(2);
  HardwareCalibration cal(bench.instrument, bench.clock());
  holdSteadyReading(cal, bench.instrument, 1e-5);
  cal.setCurrFactText(QStringLiteral("1.1"));
  EXPECT_EQ(bench.instrument.calibration().currFactText[0], QStringLiteral("1.1"));
  cal.activate();
  EXPECT_NEAR(bench.instrument.currScale(), 9.76e-7 * 1.1, 1e-15);
  EXPECT_NEAR(bench.instrument.PotentiostatGetCurrent(), 1.1e-5, 1e-9);
  cal.tick();
  EXPECT_NEAR(cal.readCurrent(), 0.5 * 1.1e-5 + 0.5 * 1e-5, 1e-9);
}

TEST(HardwareCalibration, SetZeroWithAFactorOfZeroChangesNothing) {
  const char *factors[] = {"0", "0.0e3", "-0", "abc", ""};
  for (const char *factor : factors) {
    SCOPED_TRACE(factor);
    SimBench bench(2);
    HardwareCalibration cal(bench.instrument, bench.clock());
    holdSteadyReading(cal, bench.instrument, 1e-5);
    const QString zeroText = bench.instrument.calibration().currZeroText[0];
    cal.setCurrFactText(QLatin1String(factor));
    cal.activate();
    ASSERT_EQ(bench.instrument.currScale(), 0);
    const double offset = bench.instrument.adcOffset();
    EXPECT_FALSE(cal.setZero());
    EXPECT_EQ(bench.instrument.adcOffset(), offset);
    EXPECT_EQ(bench.instrument.calibration().currZeroText[0], zeroText);
  }
}

TEST(HardwareCalibration, EditedTextsGoToTheChosenRangesOfTheStore) {
  SimBench bench(0);
  HardwareCalibration cal(bench.instrument, bench.clock());
  cal.selectCurrentRange(5);
  cal.selectPotentialRange(2);
  cal.setCurrZeroText(QStringLiteral("-12.5"));
  cal.setCurrFactText(QStringLiteral("1,02"));
  cal.setDacZeroText(QStringLiteral("3"));
  cal.setDacFactText(QStringLiteral("0.95"));
  const CalibrationStore &store = bench.instrument.calibration();
  EXPECT_EQ(store.currZeroText[5], QStringLiteral("-12.5"));
  EXPECT_EQ(store.currFactText[5], QStringLiteral("1,02"));  // kept as typed
  EXPECT_EQ(store.dacZeroText[2], QStringLiteral("3"));
  EXPECT_EQ(store.dacFactText[2], QStringLiteral("0.95"));
  EXPECT_DOUBLE_EQ(store.currZero[5], -12.5);
  EXPECT_DOUBLE_EQ(store.dacFact[2], 0.95);
  EXPECT_EQ(cal.currZeroText(), QStringLiteral("-12.5"));
  EXPECT_EQ(cal.dacFactText(), QStringLiteral("0.95"));
  cal.activate();
  EXPECT_DOUBLE_EQ(bench.instrument.adcOffset(), 2048 + 12.5);
  EXPECT_DOUBLE_EQ(bench.instrument.dacOffset(), 2048 - 3);
}

TEST(HardwareCalibration, ElectrodePotentialReachesTheCellAtTheNextTick) {
  SimBench bench(2);
  HardwareCalibration cal(bench.instrument, bench.clock());
  cal.activate();
  EXPECT_EQ(bench.sim().dacCode(), 2048);
  cal.setElectrodePotentialText(QStringLiteral("250"));
  EXPECT_DOUBLE_EQ(cal.electrodePotential(), 0.25);
  EXPECT_EQ(bench.sim().dacCode(), 2048);
  cal.tick();
  EXPECT_EQ(bench.sim().dacCode(), 2150);  // 0.25 V / 2.44 mV per count above 2048
  cal.setElectrodePotentialText(QStringLiteral("-100.5"));
  EXPECT_DOUBLE_EQ(cal.electrodePotential(), -0.1005);
}
