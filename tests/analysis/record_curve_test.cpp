// The curve the analysis reads from the measurement record.
#include <gtest/gtest.h>

#include "analysis/record_curve.h"

TEST(RecordCurve, StoredPointsAtTheirPotentials) {
  MeasurementRecord r;
  r.params.sweepStart = 0.5;
  r.params.pulseStep = -0.002;
  r.params.pulseAmplitude = -0.025;
  r.document.points = {1, 2, 3, 4, 5, 6, 7, 8};
  r.document.pointIndex = 5;  // points 0 .. 5
  Curve c = recordCurve(r);
  EXPECT_EQ(c.values, r.document.points.data());
  EXPECT_EQ(c.count, 6u);
  EXPECT_DOUBLE_EQ(c.potentialAt(5), 0.49);
  EXPECT_EQ(c.peakSign, -1);
  r.params.pulseAmplitude = 0.05;
  EXPECT_EQ(recordCurve(r).peakSign, 1);
  r.params.pulseAmplitude = 0;
  EXPECT_EQ(recordCurve(r).peakSign, 0);
  // An index past the storage is limited to it.
  r.document.pointIndex = 100;
  EXPECT_EQ(recordCurve(r).count, 8u);
}

TEST(RecordCurve, NoPointsNoPeaks) {
  MeasurementRecord r;
  r.params.pulseStep = 0.001;
  r.document.points.assign(50, 1e-6);
  for (int32_t index : {0, -1}) {
    r.document.pointIndex = index;
    EXPECT_EQ(recordCurve(r).count, 0u) << index;
    EXPECT_TRUE(recordPeaks(r, AnalysisSettings()).empty()) << index;
  }
  r.document.points.clear();
  r.document.pointIndex = 10;
  EXPECT_EQ(recordCurve(r).count, 0u);
  EXPECT_TRUE(recordPeaks(r, AnalysisSettings()).empty());
}
