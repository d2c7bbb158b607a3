#include <gtest/gtest.h>

#include "qstring_print.h"

#include "core/measurement_record.h"
#include "factory_texts.h"
#include "graph/scaling.h"
#include "measurement/parameters.h"

namespace {
MeasurementRecord defaults() {
  MeasurementRecord r;
  r.texts = factoryTexts();
  return r;
}
}  // namespace

TEST(Parameters, WorkedExample) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  XYFactors(r);
  EXPECT_DOUBLE_EQ(r.sweepSpeed, 0.01);
  EXPECT_DOUBLE_EQ(r.pulsePeriod, 0.05);
  EXPECT_DOUBLE_EQ(r.pulseAmplitude, 0.05);
  EXPECT_DOUBLE_EQ(r.accumulationFraction, 0.1);
  EXPECT_DOUBLE_EQ(r.recordingTime, 100);
  EXPECT_DOUBLE_EQ(r.pulseStep, 0.0005);
  EXPECT_EQ(r.pulseNumber, 2000);
  EXPECT_EQ(r.pulseStepInfo, "Pulse step: 0.5 mV");
  EXPECT_EQ(r.recordTimeInfo, "Recording time: 100 s");
  EXPECT_EQ(r.pulseNrInfo, "Pulse number: 2000");
}

TEST(Parameters, FirstStartWithEqualPotentialsGivesNoPoints) {
  MeasurementRecord r = defaults();
  XYFactors(r);
  EXPECT_EQ(r.recordingTime, 0);
  EXPECT_EQ(r.pulseNumber, 0);
  EXPECT_EQ(r.pulseNrInfo, "Pulse number: 0");
}

TEST(Parameters, EqualPotentialsKeepThePreviousRange) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  XYFactors(r);
  r.texts.potStart = "200";
  r.texts.potEnd = "200";
  XYFactors(r);
  EXPECT_EQ(r.pulseNumber, 2000);
  EXPECT_DOUBLE_EQ(r.sweepStart, 0.2);  // the start still follows the control
}

TEST(Parameters, GuardsKeepTheLastValidValues) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  XYFactors(r);
  r.texts.sweep = "";
  r.texts.amplitude = "70";
  SetParameters(r);
  EXPECT_EQ(r.pulseStepInfo, "Pulse step: 0.5 mV");
  EXPECT_DOUBLE_EQ(r.pulseAmplitude, 0.05);  // nothing after the sweep guard changes

  r.texts.sweep = "10";
  r.texts.period = "0";
  SetParameters(r);
  EXPECT_EQ(r.pulsePeriod, 0);
  EXPECT_DOUBLE_EQ(r.pulseStep, 0.0005);
  EXPECT_EQ(r.pulseNumber, 2000);
  EXPECT_DOUBLE_EQ(r.pulseAmplitude, 0.07);

  r.texts.period = "-20";
  SetParameters(r);
  EXPECT_EQ(r.pulsePeriod, -20);
}

TEST(Parameters, PulseNumberSaturatesInsteadOfOverflowing) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "-5000";
  r.texts.potEnd = "5000";
  r.texts.sweep = "1e-9";
  r.texts.period = "1e-6";
  XYFactors(r);
  EXPECT_EQ(r.pulseNumber, INT32_MAX);
}

TEST(Parameters, PulseNumberRoundsHalvesToEven) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "0";
  r.texts.potEnd = "25";  // 2.5 s at 10 mV/s
  r.texts.period = "1000";
  XYFactors(r);
  EXPECT_EQ(r.pulseNumber, 2);
  r.texts.potEnd = "35";
  XYFactors(r);
  EXPECT_EQ(r.pulseNumber, 4);
}

TEST(Parameters, FallingSweepStepsDownwards) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "500";
  r.texts.potEnd = "-500";
  XYFactors(r);
  EXPECT_EQ(r.pulseNumber, 2000);
  EXPECT_DOUBLE_EQ(r.pulseStep, -0.0005);
  EXPECT_DOUBLE_EQ(r.pointPotential(r.pulseNumber), -0.5);
}

TEST(Parameters, Preelectrolysis) {
  MeasurementRecord r = defaults();
  r.texts.preTime = "-5";
  PreTimeEditChange(r);
  EXPECT_EQ(r.preTime, 0);
  r.texts.preTime = "12.5";
  PreTimeEditChange(r);
  EXPECT_EQ(r.preTime, 12.5);
  r.texts.prePot = "-800";
  PrePotEditChange(r);
  EXPECT_DOUBLE_EQ(r.prePotential, -0.8);
}

TEST(Parameters, MalformedTextReadsItsLeadingNumber) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  r.texts.sweep = "20 mV/s";
  XYFactors(r);
  EXPECT_DOUBLE_EQ(r.sweepSpeed, 0.02);
  EXPECT_EQ(r.pulseNumber, 1000);
}
