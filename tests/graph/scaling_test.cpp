#include <gtest/gtest.h>

#include "graph/scaling.h"
#include "graph_fixture.h"

TEST(DecimalCount, Examples) {
  struct Row {
    double m, r;
    int digits;
  } rows[] = {
      {500, 700.0 / 500, 1},  // -200 .. 500 mV
      {1000, 5.0 / 1000, 3},  // 995 .. 1000 mV
      {50, 60.0 / 50, 2},     // -10 .. 50 nA
      {1e6, 2, 0},            // loop stops at 0 decimals
      {0.0001, 2, 6},         // loop stops at 6 decimals
      {0.0001, 0.0001, 7},    // one more for a narrow span
      {10, 2, 3},             // exactly 10 is not above 10
      {1, 2, 4},              // exactly 1 is not above 1
  };
  for (const Row &row : rows) EXPECT_EQ(decimalCount(row.m, row.r), row.digits) << row.m << " " << row.r;
}

TEST(GridStep, Examples) {
  EXPECT_DOUBLE_EQ(gridStep(-0.2, 0.5), 0.05);
  EXPECT_DOUBLE_EQ(gridStep(-10e-9, 50e-9), 5e-9);
  EXPECT_DOUBLE_EQ(gridStep(0.5, -0.2), -0.05);
  EXPECT_DOUBLE_EQ(gridStep(0, 1), 0.1);
  EXPECT_DOUBLE_EQ(gridStep(0, 25), 2);
}

TEST(XYFactors, WorkedExample) {
  MeasurementRecord r = exampleRecord();
  XYFactors(r);
  EXPECT_NEAR(r.params.xFactor, 684.2857, 1e-4);
  EXPECT_NEAR(r.params.yFactor, 5.5667e9, 1e5);
  EXPECT_EQ(r.params.potDigits, 1);
  EXPECT_EQ(r.params.currDigits, 2);
  EXPECT_DOUBLE_EQ(r.params.currUnitFactor, 1e-9);
  EXPECT_DOUBLE_EQ(r.params.maxAbsPotential, 0.5);
  EXPECT_DOUBLE_EQ(r.params.maxAbsCurrent, 50e-9);
  EXPECT_DOUBLE_EQ(r.params.sweepStart, -0.2);
}

TEST(XYFactors, MirroredAxesHaveNegativeFactors) {
  MeasurementRecord r = exampleRecord();
  r.texts.potStart = "500";
  r.texts.potEnd = "-200";
  r.texts.currMin = "50";
  r.texts.currMax = "-10";
  XYFactors(r);
  EXPECT_NEAR(r.params.xFactor, -684.2857, 1e-4);
  EXPECT_LT(r.params.yFactor, 0);
  EXPECT_DOUBLE_EQ(r.params.axisPotStart, 0.5);
}

TEST(XYFactors, EqualPotentialsKeepTheAxisButMoveSweepStart) {
  MeasurementRecord r = exampleRecord();
  XYFactors(r);
  r.texts.potStart = "300";
  r.texts.potEnd = "300";
  XYFactors(r);
  EXPECT_DOUBLE_EQ(r.params.axisPotStart, -0.2);
  EXPECT_DOUBLE_EQ(r.params.axisPotEnd, 0.5);
  EXPECT_NEAR(r.params.xFactor, 684.2857, 1e-4);
  EXPECT_DOUBLE_EQ(r.params.sweepStart, 0.3);
}

TEST(XYFactors, ZoomFreezesSweepStart) {
  MeasurementRecord r = exampleRecord();
  XYFactors(r);
  r.view.beforeZoom = AxisTexts{};
  r.texts.potStart = "0";
  XYFactors(r);
  EXPECT_DOUBLE_EQ(r.params.sweepStart, -0.2);
  EXPECT_DOUBLE_EQ(r.params.axisPotStart, 0);
}

TEST(XYFactors, EqualCurrentLimitsFallBackToOneAmpere) {
  MeasurementRecord r = exampleRecord();
  r.texts.currMin = "7";
  r.texts.currMax = "7";
  XYFactors(r);
  EXPECT_DOUBLE_EQ(r.params.axisCurrMin, 0);
  EXPECT_DOUBLE_EQ(r.params.axisCurrMax, 1);
  EXPECT_DOUBLE_EQ(r.params.yFactor, 334);
}

TEST(XYFactors, NoDistinctPotentialsYetHasNoSpan) {
  MeasurementRecord r = exampleRecord();
  r.texts.potStart = "0";
  r.texts.potEnd = "0";
  XYFactors(r);
  EXPECT_FALSE(hasPotentialSpan(r));
  EXPECT_EQ(r.params.potDigits, 6);
  EXPECT_DOUBLE_EQ(r.params.maxAbsPotential, 0);
}
