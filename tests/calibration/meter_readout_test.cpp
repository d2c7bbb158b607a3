// The potential meter calibration and the open-circuit display on the
// simulated instrument.
#include <gtest/gtest.h>

#include "calibration/meter_calibration.h"
#include "calibration/open_circuit_readout.h"
#include "calibration_test_support.h"
#include "graph/scaling.h"

namespace {

const QString kRestingCell = QStringLiteral("C=0,noise=0,pnoise=0,rest=-0.05");

// The texts that correct the simulated meter's error in `range`.
void correctMeterRange(SimBench &bench, int range) {
  CalibrationStore &store = bench.instrument.calibration();
  const RangeError e = bench.sim().meterError(range);
  store.adcZeroText[range] = QString::number(e.zero);
  store.adcFactText[range] = QString::number(e.gain);
  bench.instrument.SetCalibration();
}

}  // namespace

TEST(MeterCalibration, EachListEntrySwitchesTheMeterToItsOwnRange) {
  SimBench bench(0);
  MeterCalibration cal(bench.instrument, bench.clock());
  EXPECT_EQ(cal.rangeNames(), QStringList({"5 V", "2 V", "500 mV", "200 mV"}));
  for (int k = 0; k < 4; ++k) {
    cal.selectRange(k);
    cal.activate();
    EXPECT_EQ(bench.instrument.meterRange(), k);
    EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Meter);
  }
  cal.deactivate();
  EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Off);
}

struct MeterFormatCase {
  int range;
  const char *text;
};

TEST(MeterCalibration, ReadsVoltsInTwoVoltsAndMillivoltsInFiveHundredMillivolts) {
  const MeterFormatCase cases[] = {{1, "-0.0503 V"}, {2, "-50.08 mV"}};
  for (const MeterFormatCase &c : cases) {
    SCOPED_TRACE(c.range);
    SimBench bench(1, kRestingCell);
    correctMeterRange(bench, c.range);
    MeterCalibration cal(bench.instrument, bench.clock());
    cal.selectRange(c.range);
    cal.activate();
    EXPECT_EQ(cal.tick(), QLatin1String(c.text));
  }
}

TEST(MeterCalibration, ZeroErrorShowsAtRestAndSetZeroBringsTheNextReadoutToZero) {
  SimBench bench(2);
  MeterCalibration cal(bench.instrument, bench.clock());
  cal.selectRange(1);
  cal.activate();
  EXPECT_EQ(cal.tick(), QStringLiteral("-0.0029 V"));  // 3 counts low
  const std::optional<QString> zero = cal.setZero();
  ASSERT_TRUE(zero);
  EXPECT_DOUBLE_EQ(bench.instrument.meterOffset(), 2045);
  EXPECT_EQ(*zero, QStringLiteral("3.00"));
  cal.setZeroText(*zero);
  EXPECT_EQ(bench.instrument.calibration().adcZeroText[1], QStringLiteral("3.00"));
  cal.activate();  // smoothing starts again from one fresh reading
  EXPECT_EQ(cal.tick(), QStringLiteral("0.0000 V"));
}

TEST(MeterCalibration, TypedFactorScalesTheReadingAtOnce) {
  SimBench bench(0, kRestingCell);
  MeterCalibration cal(bench.instrument, bench.clock());
  cal.selectRange(3);
  cal.activate();
  const double reading = cal.readPotential();
  cal.setFactorText(QStringLiteral("1.1"));
  EXPECT_EQ(bench.instrument.calibration().adcFactText[3], QStringLiteral("1.1"));
  cal.activate();
  EXPECT_NEAR(cal.readPotential(), 1.1 * reading, 1e-12);
}

TEST(MeterCalibration, SetZeroWithAFactorOfZeroChangesNothing) {
  const char *factors[] = {"0", "0e5", "x"};
  for (const char *factor : factors) {
    SCOPED_TRACE(factor);
    SimBench bench(1, kRestingCell);
    MeterCalibration cal(bench.instrument, bench.clock());
    cal.activate();
    cal.tick();
    cal.setFactorText(QLatin1String(factor));
    cal.activate();
    ASSERT_EQ(bench.instrument.meterScale(), 0);
    const double offset = bench.instrument.meterOffset();
    EXPECT_FALSE(cal.setZero());
    EXPECT_EQ(bench.instrument.meterOffset(), offset);
    EXPECT_EQ(cal.zeroText(), QStringLiteral("0"));
  }
}

struct OpenCircuitRangeCase {
  const char *potStart;  // mV
  const char *potEnd;
  const char *rangeName;
};

TEST(OpenCircuitReadout, ChoosesTheSmallestMeterRangeHoldingThePotentialAxis) {
  const OpenCircuitRangeCase cases[] = {
      {"-200", "100", "200 mV"}, {"-300", "0", "500 mV"}, {"100", "-200", "200 mV"}, {"-500", "500", "500 mV"},
      {"0", "2000", "2 V"},      {"-2001", "0", "5 V"},   {"-6000", "5500", "5 V"},  {"0", "5000.1", "5 V"},
  };
  for (const OpenCircuitRangeCase &c : cases) {
    SCOPED_TRACE(c.potStart);
    SimBench bench(0);
    MeasurementRecord record;
    record.texts.potStart = QLatin1String(c.potStart);
    record.texts.potEnd = QLatin1String(c.potEnd);
    XYFactors(record);
    OpenCircuitReadout readout(bench.instrument, record, bench.clock());
    readout.activate();
    EXPECT_EQ(readout.rangeName(), QLatin1String(c.rangeName));
    EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Meter);
  }
}

TEST(OpenCircuitReadout, ShowsMillivoltsWithOneDecimalInEveryRange) {
  SimBench bench(2, kRestingCell);
  correctMeterRange(bench, 0);
  correctMeterRange(bench, 3);
  MeasurementRecord record;
  OpenCircuitReadout readout(bench.instrument, record, bench.clock());
  record.params.maxAbsPotential = 0.2;
  readout.activate();
  EXPECT_EQ(readout.tick(), QStringLiteral("-50.0 mV"));
  readout.deactivate();
  EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Off);
  record.params.maxAbsPotential = 7;
  readout.activate();
  EXPECT_EQ(readout.rangeName(), QStringLiteral("5 V"));
  EXPECT_EQ(readout.tick(), QStringLiteral("-49.1 mV"));  // 20 counts of 2.45 mV
}

TEST(OpenCircuitReadout, ZeroErrorShowsAtRestAndSmoothingRestartsAtEachOpening) {
  SimBench bench(1);
  MeasurementRecord record;
  record.params.maxAbsPotential = 0.1;
  OpenCircuitReadout readout(bench.instrument, record, bench.clock());
  readout.activate();
  EXPECT_DOUBLE_EQ(readout.readPotential(), -5 * 9.76e-5);  // the "200 mV" range reads 5 counts low
  EXPECT_EQ(readout.tick(), QStringLiteral("-0.5 mV"));
  readout.deactivate();
  correctMeterRange(bench, 3);
  readout.activate();
  EXPECT_DOUBLE_EQ(readout.readPotential(), 0);
}
