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
  EXPECT_DOUBLE_EQ(r.params.sweepSpeed, 0.01);
  EXPECT_DOUBLE_EQ(r.params.pulsePeriod, 0.05);
  EXPECT_DOUBLE_EQ(r.params.pulseAmplitude, 0.05);
  EXPECT_DOUBLE_EQ(r.params.accumulationFraction, 0.1);
  EXPECT_DOUBLE_EQ(r.params.recordingTime, 100);
  EXPECT_DOUBLE_EQ(r.params.pulseStep, 0.0005);
  EXPECT_EQ(r.params.pulseNumber, 2000);
  EXPECT_EQ(r.display.pulseStepInfo, "Pulse step: 0.5 mV");
  EXPECT_EQ(r.display.recordTimeInfo, "Recording time: 100 s");
  EXPECT_EQ(r.display.pulseNrInfo, "Pulse number: 2000");
}

TEST(Parameters, FirstStartWithEqualPotentialsGivesNoPoints) {
  MeasurementRecord r = defaults();
  XYFactors(r);
  EXPECT_EQ(r.params.recordingTime, 0);
  EXPECT_EQ(r.params.pulseNumber, 0);
  EXPECT_EQ(r.display.pulseNrInfo, "Pulse number: 0");
}

TEST(Parameters, EqualPotentialsKeepThePreviousRange) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  XYFactors(r);
  r.texts.potStart = "200";
  r.texts.potEnd = "200";
  XYFactors(r);
  EXPECT_EQ(r.params.pulseNumber, 2000);
  EXPECT_DOUBLE_EQ(r.params.sweepStart, 0.2);  // the start still follows the control
}

TEST(Parameters, GuardsKeepTheLastValidValues) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  XYFactors(r);
  r.texts.sweep = "";
  r.texts.amplitude = "70";
  SetParameters(r);
  EXPECT_EQ(r.display.pulseStepInfo, "Pulse step: 0.5 mV");
  EXPECT_DOUBLE_EQ(r.params.pulseAmplitude, 0.05);  // nothing after the sweep guard changes

  r.texts.sweep = "10";
  r.texts.period = "0";
  SetParameters(r);
  EXPECT_EQ(r.params.pulsePeriod, 0);
  EXPECT_DOUBLE_EQ(r.params.pulseStep, 0.0005);
  EXPECT_EQ(r.params.pulseNumber, 2000);
  EXPECT_DOUBLE_EQ(r.params.pulseAmplitude, 0.07);

  r.texts.period = "-20";
  SetParameters(r);
  EXPECT_EQ(r.params.pulsePeriod, -20);
}

TEST(Parameters, PulseNumberSaturatesInsteadOfOverflowing) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "-5000";
  r.texts.potEnd = "5000";
  r.texts.sweep = "1e-9";
  r.texts.period = "1e-6";
  XYFactors(r);
  EXPECT_EQ(r.params.pulseNumber, INT32_MAX);
}

TEST(Parameters, PulseNumberRoundsHalvesToEven) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "0";
  r.texts.potEnd = "25";  // 2.5 s at 10 mV/s
  r.texts.period = "1000";
  XYFactors(r);
  EXPECT_EQ(r.params.pulseNumber, 2);
  r.texts.potEnd = "35";
  XYFactors(r);
  EXPECT_EQ(r.params.pulseNumber, 4);
}

TEST(Parameters, FallingSweepStepsDownwards) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "500";
  r.texts.potEnd = "-500";
  XYFactors(r);
  EXPECT_EQ(r.params.pulseNumber, 2000);
  EXPECT_DOUBLE_EQ(r.params.pulseStep, -0.0005);
  EXPECT_DOUBLE_EQ(r.pointPotential(r.params.pulseNumber), -0.5);
}

TEST(Parameters, Preelectrolysis) {
  MeasurementRecord r = defaults();
  r.texts.preTime = "-5";
  PreTimeEditChange(r);
  EXPECT_EQ(r.params.preTime, 0);
  r.texts.preTime = "12.5";
  PreTimeEditChange(r);
  EXPECT_EQ(r.params.preTime, 12.5);
  r.texts.prePot = "-800";
  PrePotEditChange(r);
  EXPECT_DOUBLE_EQ(r.params.prePotential, -0.8);
}

TEST(Parameters, MalformedTextReadsItsLeadingNumber) {
  MeasurementRecord r = defaults();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  r.texts.sweep = "20 mV/s";
  XYFactors(r);
  EXPECT_DOUBLE_EQ(r.params.sweepSpeed, 0.02);
  EXPECT_EQ(r.params.pulseNumber, 1000);
}
