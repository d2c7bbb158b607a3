// From the peaks of each file to the result rows: which peak is taken, how
// replicates, blanks and warnings come out, and the text --quantify writes.
#include <gtest/gtest.h>

#include <cmath>

#include "qstring_print.h"
#include "quantitation/quantitation.h"
#include "quantitation/result_rows.h"
#include "quantitation/table_checks.h"

namespace {

Peak peakAt(double potential, double height) {
  Peak p;
  p.potential = potential;
  p.height = height;
  return p;
}

QuantitationTable table(const QStringList &rows, const QString &unit = QStringLiteral("mg/L")) {
  QuantitationTable t;
  TableError error;
  EXPECT_TRUE(readQuantitationTable(QStringList{"File,Role,Concentration [" + unit + "],Name"} + rows,
                                    QStringLiteral("/t"), &t, &error))
      << error.message().toStdString();
  return t;
}

// Checks, matches and fits as the pipeline does, without files.
bool run(const QuantitationTable &t, const std::vector<std::vector<Peak>> &peaks, const QuantitationSettings &settings,
         QuantitationResult *result, TableError *error) {
  Method method;
  if (!checkTable(t, settings.weighting, &method, error)) return false;
  double potential;
  std::vector<MatchedPeak> matched;
  return matchPeaks(t, method, peaks, settings, &potential, &matched, error) &&
         quantify(t, method, matched, settings.weighting, result, error);
}

QuantitationResult result(const QuantitationTable &t, const std::vector<std::vector<Peak>> &peaks,
                          const QuantitationSettings &settings = {}) {
  QuantitationResult r;
  TableError error;
  EXPECT_TRUE(run(t, peaks, settings, &r, &error)) << error.message().toStdString();
  return r;
}

}  // namespace

TEST(PeakMatching, NearestTheLargestPeakOfTheStandardsWithinTheWindow) {
  const QuantitationTable t = table({"s1.dpv,standard,1,", "s2.dpv,standard,2,", "x.dpv,sample,,", "b.dpv,blank,,"});
  // A second couple at 300 mV in the sample and a small peak 30 mV off in a standard.
  const std::vector<std::vector<Peak>> peaks{
      {peakAt(0.070, 0.3e-6), peakAt(0.101, 1e-6)},
      {peakAt(0.099, 2e-6)},
      {peakAt(0.115, 1.4e-6), peakAt(0.300, 9e-6)},
      {peakAt(0.300, 0.2e-6)},
  };
  double potential = 0;
  std::vector<MatchedPeak> matched;
  TableError error;
  ASSERT_TRUE(matchPeaks(t, Method::Calibration, peaks, {}, &potential, &matched, &error)) << error.text.toStdString();
  EXPECT_DOUBLE_EQ(potential, 0.099);
  EXPECT_DOUBLE_EQ(matched[0].height, 1e-6);
  EXPECT_DOUBLE_EQ(matched[1].height, 2e-6);
  EXPECT_DOUBLE_EQ(matched[2].height, 1.4e-6);  // 16 mV off: inside
  EXPECT_FALSE(matched[3].found);               // a blank without a peak there: 0
  EXPECT_EQ(matched[3].height, 0);

  // A potential of the user's, and a narrower window that loses the sample.
  QuantitationSettings settings;
  settings.potential = 0.300;
  ASSERT_FALSE(matchPeaks(t, Method::Calibration, peaks, settings, &potential, &matched, &error));
  EXPECT_EQ(error.line, 2);
  EXPECT_EQ(error.text, "no peak within 20.0 mV of 300.0 mV in \"s1.dpv\"");
  settings.potential.reset();
  settings.window = 0.010;
  ASSERT_FALSE(matchPeaks(t, Method::Calibration, peaks, settings, &potential, &matched, &error));
  EXPECT_EQ(error.line, 4);
  EXPECT_EQ(error.text, "no peak within 10.0 mV of 99.0 mV in \"x.dpv\"");
}

TEST(PeakMatching, StandardAdditionTakesTheSamplesPeak) {
  const QuantitationTable t = table({"x.dpv,sample,,", "a1.dpv,addition,1,", "a2.dpv,addition,2,"});
  const std::vector<std::vector<Peak>> peaks{
      {peakAt(0.100, 1e-6), peakAt(0.300, 0.5e-6)},
      {peakAt(0.300, 8e-6), peakAt(0.102, 2e-6)},
      {peakAt(0.300, 9e-6), peakAt(0.098, 3e-6)},
  };
  double potential = 0;
  std::vector<MatchedPeak> matched;
  TableError error;
  ASSERT_TRUE(matchPeaks(t, Method::StandardAddition, peaks, {}, &potential, &matched, &error));
  EXPECT_DOUBLE_EQ(potential, 0.100);
  EXPECT_DOUBLE_EQ(matched[1].height, 2e-6);
  EXPECT_DOUBLE_EQ(matched[2].height, 3e-6);
}

TEST(PeakMatching, NoPeakAnywhereInTheStandards) {
  const QuantitationTable t = table({"b.dpv,blank,,", "s1.dpv,standard,1,", "s2.dpv,standard,2,", "x.dpv,sample,,"});
  double potential = 0;
  std::vector<MatchedPeak> matched;
  TableError error;
  ASSERT_FALSE(matchPeaks(t, Method::Calibration, {{}, {}, {}, {peakAt(0.1, 1e-6)}}, {}, &potential, &matched, &error));
  EXPECT_EQ(error.line, 3);
  EXPECT_EQ(error.text, "no peak in \"s1.dpv\"");
}

TEST(Quantify, CalibrationWithReplicatesBlanksAndLimits) {
  // Heights 1 µA per mg/L plus 0.1 µA, with a little scatter.
  const QuantitationTable t = table({
      "s1.dpv,standard,1,",
      "s2.dpv,standard,2,",
      "s3.dpv,standard,3,",
      "s4.dpv,standard,4,",
      "b1.dpv,blank,,",
      "b2.dpv,blank,,",
      "b3.dpv,blank,,",
      "r1.dpv,sample,,river",
      "lake.dpv,sample,,",
      "r2.dpv,sample,,river",
  });
  const double e = 0.1;
  const std::vector<std::vector<Peak>> peaks{
      {peakAt(e, 1.12e-6)}, {peakAt(e, 2.08e-6)}, {peakAt(e, 3.11e-6)}, {peakAt(e, 4.09e-6)}, {peakAt(e, 0.02e-6)}, {},
      {peakAt(e, 0.05e-6)}, {peakAt(e, 2.50e-6)}, {peakAt(e, 3.60e-6)}, {peakAt(e, 2.70e-6)},
  };
  const QuantitationResult r = result(t, peaks);
  const LineFit fit = fitLine({1, 2, 3, 4}, {1.12e-6, 2.08e-6, 3.11e-6, 4.09e-6});
  EXPECT_EQ(r.method, Method::Calibration);
  EXPECT_EQ(r.unit, "mg/L");
  EXPECT_DOUBLE_EQ(r.fit.slope, fit.slope);
  EXPECT_DOUBLE_EQ(r.lod, 3.3 * fit.residualSd / fit.slope);
  EXPECT_DOUBLE_EQ(r.loq, 10 * fit.residualSd / fit.slope);
  // Blanks 0.02, 0 and 0.05 µA: s = 0.025166 µA.
  ASSERT_TRUE(r.lodBlank.has_value());
  EXPECT_NEAR(*r.lodBlank, 3 * 0.0251661e-6 / fit.slope, 1e-6);
  ASSERT_EQ(r.samples.size(), 2u);
  EXPECT_EQ(r.samples[0].name, "river");
  EXPECT_EQ(r.samples[0].replicates, 2);
  EXPECT_DOUBLE_EQ(r.samples[0].height, 2.6e-6);
  EXPECT_DOUBLE_EQ(r.samples[0].concentration, predictX(fit, 2.6e-6));
  EXPECT_DOUBLE_EQ(r.samples[0].uncertainty, predictionUncertainty(fit, 2.6e-6, 2));
  EXPECT_EQ(r.samples[1].name, "lake");
  EXPECT_EQ(r.samples[1].replicates, 1);
  EXPECT_DOUBLE_EQ(r.samples[1].uncertainty, predictionUncertainty(fit, 3.6e-6, 1));
  EXPECT_DOUBLE_EQ(r.lowest, 1);
  EXPECT_DOUBLE_EQ(r.highest, 4);
  EXPECT_TRUE(r.warnings.isEmpty()) << r.warnings.join('|').toStdString();
  EXPECT_DOUBLE_EQ(r.peakPotential, e);
  // The plot shows the standards and the blanks; the samples come from their results.
  EXPECT_EQ(r.points.size(), 7u);
}

TEST(Quantify, WarnsOutsideTheStandardsAndBelowTheLoq) {
  const QuantitationTable t = table(
      {"s1.dpv,standard,1,", "s2.dpv,standard,2,", "s3.dpv,standard,3,", "high.dpv,sample,,", "low.dpv,sample,,"});
  const double e = 0.1;
  const QuantitationResult r = result(
      t, {{peakAt(e, 1.1e-6)}, {peakAt(e, 1.9e-6)}, {peakAt(e, 3.05e-6)}, {peakAt(e, 5e-6)}, {peakAt(e, 0.3e-6)}});
  ASSERT_EQ(r.warnings.size(), 3) << r.warnings.join('|').toStdString();
  EXPECT_TRUE(r.warnings[0].startsWith("Sample \"high\"")) << r.warnings[0].toStdString();
  EXPECT_TRUE(r.warnings[0].contains("outside the standards, 1 .. 3 mg/L")) << r.warnings[0].toStdString();
  EXPECT_TRUE(r.warnings[1].startsWith("Sample \"low\"")) << r.warnings[1].toStdString();
  EXPECT_TRUE(r.warnings[2].contains("below the LOQ")) << r.warnings[2].toStdString();
  EXPECT_TRUE(r.warnings[2].startsWith("Sample \"low\"")) << r.warnings[2].toStdString();
}

TEST(Quantify, ReductionPeaksGiveThePositiveLimits) {
  const QuantitationTable t =
      table({"s1.dpv,standard,1,", "s2.dpv,standard,2,", "s3.dpv,standard,4,", "x.dpv,sample,,"});
  const double e = -0.3;
  const QuantitationResult r =
      result(t, {{peakAt(e, -1.1e-6)}, {peakAt(e, -1.9e-6)}, {peakAt(e, -4.05e-6)}, {peakAt(e, -3e-6)}});
  EXPECT_LT(r.fit.slope, 0);
  EXPECT_GT(r.lod, 0);
  EXPECT_GT(r.samples[0].uncertainty, 0);
  EXPECT_NEAR(r.samples[0].concentration, 3, 0.15);
}

TEST(Quantify, BlanksWithoutScatterOrTooFewGiveNoBlankLimit) {
  const QuantitationTable three = table({"s1.dpv,standard,1,", "s2.dpv,standard,2,", "s3.dpv,standard,3,",
                                         "x.dpv,sample,,", "b1.dpv,blank,,", "b2.dpv,blank,,", "b3.dpv,blank,,"});
  const double e = 0.1;
  const std::vector<std::vector<Peak>> peaks{
      {peakAt(e, 1.1e-6)}, {peakAt(e, 1.9e-6)}, {peakAt(e, 3.05e-6)}, {peakAt(e, 2e-6)}, {}, {}, {}};
  const QuantitationResult r = result(three, peaks);
  EXPECT_FALSE(r.lodBlank.has_value());
  ASSERT_EQ(r.warnings.size(), 1);
  EXPECT_EQ(r.warnings[0], "The blanks' heights are all 0 A: no LOD from the blanks.");

  const QuantitationTable two = table({"s1.dpv,standard,1,", "s2.dpv,standard,2,", "s3.dpv,standard,3,",
                                       "x.dpv,sample,,", "b1.dpv,blank,,", "b2.dpv,blank,,"});
  const QuantitationResult r2 = result(
      two, {{peakAt(e, 1.1e-6)}, {peakAt(e, 1.9e-6)}, {peakAt(e, 3.05e-6)}, {peakAt(e, 2e-6)}, {peakAt(e, 1e-8)}, {}});
  EXPECT_FALSE(r2.lodBlank.has_value());
  EXPECT_TRUE(r2.warnings.isEmpty());
}

TEST(Quantify, TwoStandardsGiveTheLineButNoScatter) {
  const QuantitationTable t = table({"s1.dpv,standard,1,", "s2.dpv,standard,3,", "x.dpv,sample,,"});
  const double e = 0.1;
  const QuantitationResult r = result(t, {{peakAt(e, 1e-6)}, {peakAt(e, 3e-6)}, {peakAt(e, 2e-6)}});
  EXPECT_NEAR(r.samples[0].concentration, 2, 1e-9);
  EXPECT_TRUE(std::isnan(r.samples[0].uncertainty));
  EXPECT_TRUE(std::isnan(r.lod));
  ASSERT_EQ(r.warnings.size(), 1);
  EXPECT_TRUE(r.warnings[0].startsWith("2 points fit the line exactly")) << r.warnings[0].toStdString();
}

TEST(Quantify, HeightsThatDoNotChangeGiveNoLine) {
  const QuantitationTable t = table({"s1.dpv,standard,1,", "s2.dpv,standard,3,", "x.dpv,sample,,"});
  QuantitationResult r;
  TableError error;
  const double e = 0.1;
  ASSERT_FALSE(run(t, {{peakAt(e, 1e-6)}, {peakAt(e, 1e-6)}, {peakAt(e, 1e-6)}}, {}, &r, &error));
  EXPECT_EQ(error.line, 3);
  EXPECT_TRUE(error.text.contains("do not change")) << error.text.toStdString();
}

TEST(Quantify, WeightedCalibrationUsesTheWeightAtTheSample) {
  const QuantitationTable t =
      table({"s1.dpv,standard,1,", "s2.dpv,standard,2,", "s3.dpv,standard,4,", "s4.dpv,standard,8,", "x.dpv,sample,,"});
  const double e = 0.1;
  QuantitationSettings settings;
  settings.weighting = Weighting::InverseSquare;
  const QuantitationResult r = result(
      t, {{peakAt(e, 2.1e-6)}, {peakAt(e, 3.9e-6)}, {peakAt(e, 8.2e-6)}, {peakAt(e, 15.8e-6)}, {peakAt(e, 6e-6)}},
      settings);
  const LineFit fit = fitLine({1, 2, 4, 8}, {2.1e-6, 3.9e-6, 8.2e-6, 15.8e-6}, {1, 0.25, 1.0 / 16, 1.0 / 64});
  EXPECT_DOUBLE_EQ(r.fit.slope, fit.slope);
  const double x0 = predictX(fit, 6e-6);
  EXPECT_DOUBLE_EQ(r.samples[0].concentration, x0);
  EXPECT_DOUBLE_EQ(r.samples[0].uncertainty, predictionUncertainty(fit, 6e-6, 1, 1 / (x0 * x0)));
  EXPECT_NE(r.samples[0].uncertainty,
            predictionUncertainty(fitLine({1, 2, 4, 8}, {2.1e-6, 3.9e-6, 8.2e-6, 15.8e-6}), 6e-6, 1));
}

TEST(Quantify, StandardAdditionThroughTheSampleAndItsAdditions) {
  const QuantitationTable t = table({"x1.dpv,sample,,river", "a1.dpv,addition,1,", "x2.dpv,sample,,river",
                                     "a2.dpv,addition,2,", "a3.dpv,addition,3,"});
  const double e = 0.1;
  const QuantitationResult r = result(
      t, {{peakAt(e, 1.49e-6)}, {peakAt(e, 2.52e-6)}, {peakAt(e, 1.51e-6)}, {peakAt(e, 3.47e-6)}, {peakAt(e, 4.5e-6)}});
  const LineFit fit = fitLine({0, 1, 0, 2, 3}, {1.49e-6, 2.52e-6, 1.51e-6, 3.47e-6, 4.5e-6});
  EXPECT_EQ(r.method, Method::StandardAddition);
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_EQ(r.samples[0].name, "river");
  EXPECT_EQ(r.samples[0].replicates, 2);
  EXPECT_DOUBLE_EQ(r.samples[0].concentration, fit.intercept / fit.slope);
  EXPECT_DOUBLE_EQ(r.samples[0].uncertainty, extrapolationUncertainty(fit));
  EXPECT_NEAR(r.samples[0].concentration, 1.5, 0.05);
  EXPECT_EQ(r.points.size(), 5u);
}

TEST(QuantitationCsv, RowsAsTheCommandWritesThem) {
  QuantitationResult r;
  r.method = Method::Calibration;
  r.unit = QStringLiteral("mg/L");
  r.peakPotential = 0.07512346;
  r.fit.slope = 1.5192351e-06;
  r.fit.intercept = -2.5e-9;
  r.fit.r2 = 0.99987654321;
  r.fit.residualSd = 1.25e-8;
  r.lod = 0.0271;
  r.loq = 0.0823;
  r.samples.push_back({QStringLiteral("river"), 2, 1e-6, 0.65432109, 0.0123456789});
  r.samples.push_back({QStringLiteral("lake, upper"), 1, 1e-6, 1.2, LineFit::kNone});
  EXPECT_EQ(quantitationCsvLines(r), (QStringList{
                                         "Quantity,Value",
                                         "Method,calibration",
                                         "Peak potential [mV],75.1235",
                                         "Slope,1.51924e-06",
                                         "Intercept,-2.5e-09",
                                         "R2,0.999877",
                                         "Residual SD,1.25e-08",
                                         "LOD,0.0271",
                                         "LOQ,0.0823",
                                         "Concentration river,0.654321",
                                         "Uncertainty river,0.0123457",
                                         "\"Concentration lake, upper\",1.2",
                                         "\"Uncertainty lake, upper\",NAN",
                                     }));
  r.lodBlank = 0.015;
  r.method = Method::StandardAddition;
  const QStringList lines = quantitationCsvLines(r);
  EXPECT_EQ(lines[1], "Method,standard addition");
  EXPECT_EQ(lines[9], "LOD (blank),0.015");
  const QByteArray bytes = quantitationCsv(r);
  EXPECT_TRUE(bytes.startsWith("Quantity,Value\r\nMethod,standard addition\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), lines.size());
  const QString tab = quantitationTabText(r);
  EXPECT_TRUE(tab.startsWith("Quantity\tValue\tUnit\nMethod\tstandard addition\t\n")) << tab.toStdString();
  EXPECT_TRUE(tab.contains("\nSlope\t1.51924e-06\tA per mg/L\n")) << tab.toStdString();
  EXPECT_TRUE(tab.contains("\nConcentration river\t0.654321\tmg/L\n")) << tab.toStdString();
}
