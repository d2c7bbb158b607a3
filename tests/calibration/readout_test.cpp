// Averaging, smoothing and the readout texts of the three dialogs.
#include <gtest/gtest.h>

#include "calibration/current_readout_rows.h"
#include "calibration/meter_readout.h"
#include "calibration/smoothed_reading.h"
#include "calibration_test_support.h"
#include "instrument/device_models.h"

TEST(Averaging, ReadsUntil155msHavePassedSinceTheFirstReadingBegan) {
  SteppingClock clock(10);  // 0 at the start, 10 after the first reading, ...
  int calls = 0;
  const double mean = averageReadings([&calls] { return ++calls; }, clock);
  EXPECT_EQ(calls, 16);  // the 16th reading ends at 160 ms
  EXPECT_DOUBLE_EQ(mean, 8.5);
}

TEST(Averaging, TakesOneReadingWhenTheWindowIsOverAtOnce) {
  SteppingClock clock(1000);
  int calls = 0;
  EXPECT_DOUBLE_EQ(averageReadings(
                       [&calls] {
                         ++calls;
                         return 4.0;
                       },
                       clock),
                   4.0);
  EXPECT_EQ(calls, 1);
}

TEST(Averaging, BlendsEachMeanHalfAndHalfWithThePreviousReading) {
  SteppingClock clock(50);
  SmoothedReading reading;
  EXPECT_DOUBLE_EQ(reading.update([] { return 8.0; }, clock), 4.0);  // smoothing starts from 0
  EXPECT_DOUBLE_EQ(reading.update([] { return 8.0; }, clock), 6.0);
  EXPECT_DOUBLE_EQ(reading.update([] { return 0.0; }, clock), 3.0);
  reading.restart(-1.0);
  EXPECT_DOUBLE_EQ(reading.update([] { return 1.0; }, clock), 0.0);
}

struct CurrentTextCase {
  int row;
  double amperes;
  const char *text;
};

TEST(CurrentReadout, EachRowWritesItsUnitWithItsDecimals) {
  const CurrentTextCase cases[] = {
      {0, 0.123456, "0.1235 A"},    {1, 0.0123456, "12.35 mA"},  {2, 0.00123456, "1.235 mA"},
      {3, 0.0005, "0.5000 mA"},     {4, 1.23456e-5, "12.35 uA"}, {5, 1.23456e-6, "1.235 uA"},
      {6, -2.5e-7, "-0.2500 uA"},   {7, 1.23456e-8, "12.35 nA"}, {8, 1.23456e-9, "1.235 nA"},
      {9, 1.23456e-9, "1.2346 nA"}, {3, -1e-9, "0.0000 mA"},
  };
  for (const CurrentTextCase &c : cases)
    EXPECT_EQ(formatCurrentReadout(c.amperes, kCurrentReadoutRows[c.row]), QLatin1String(c.text)) << c.row;
}

TEST(CurrentReadout, EveryRowValueChoosesTheRangeOfItsOwnListEntry) {
  for (int model = 0; model < kModelCount; ++model) {
    const DeviceModel &m = deviceModel(model);
    const int first = firstCurrentReadoutRow(model);
    for (int i = 0; i < m.currentRangeCount; ++i) {
      const CurrentReadoutRow &row = kCurrentReadoutRows[first + i];
      EXPECT_EQ(chooseRange(m.currentRanges, m.currentRangeCount - 1, row.rangeValue), i) << model << " " << i;
      EXPECT_STREQ(row.range, m.currentRanges[i].name);
    }
  }
  EXPECT_EQ(firstCurrentReadoutRow(0), 0);
  EXPECT_EQ(firstCurrentReadoutRow(1), 3);
  EXPECT_EQ(firstCurrentReadoutRow(2), 3);
}

struct MeterTextCase {
  int range;
  double volts;
  const char *text;
};

TEST(MeterReadout, VoltsInTheVoltRangesMillivoltsInTheMillivoltRanges) {
  const MeterTextCase cases[] = {
      {0, 0.75, "0.7500 V"},    {1, 0.1234, "0.1234 V"},      {1, -1.99996, "-2.0000 V"},
      {2, 0.1234, "123.40 mV"}, {3, -0.0500749, "-50.07 mV"}, {2, -0.000001, "0.00 mV"},
  };
  for (const MeterTextCase &c : cases)
    EXPECT_EQ(formatMeterCalibrationReadout(c.volts, c.range), QLatin1String(c.text)) << c.range;
}

TEST(MeterReadout, OpenCircuitAlwaysInMillivoltsWithOneDecimal) {
  EXPECT_EQ(formatOpenCircuitReadout(0.75), QStringLiteral("750.0 mV"));
  EXPECT_EQ(formatOpenCircuitReadout(-0.23544), QStringLiteral("-235.4 mV"));
  EXPECT_EQ(formatOpenCircuitReadout(4.99996), QStringLiteral("5000.0 mV"));
  EXPECT_EQ(formatOpenCircuitReadout(-0.00001), QStringLiteral("0.0 mV"));
}
