// The line fit and its uncertainties against values worked by hand: the sums
// are written out here, and the textbook results they lead to are checked
// too (Miller and Miller, Statistics and Chemometrics for Analytical
// Chemistry: the fluorescence calibration and the silver standard addition).
#include <gtest/gtest.h>

#include <cmath>

#include "quantitation/regression.h"

namespace {

// Fluorescence against concentration (pg/ml), seven standards.
const std::vector<double> kX{0, 2, 4, 6, 8, 10, 12};
const std::vector<double> kY{2.1, 5.0, 9.0, 12.6, 17.3, 21.0, 24.7};

}  // namespace

TEST(LineFit, OrdinaryLeastSquaresAsWorkedByHand) {
  // x̄ = 42/7 = 6, ȳ = 91.7/7 = 13.1.
  // Σ(x − x̄)² = 36 + 16 + 4 + 0 + 4 + 16 + 36 = 112
  // Σ(x − x̄)(y − ȳ) = (−6)(−11) + (−4)(−8.1) + (−2)(−4.1) + 0 + 2(4.2) + 4(7.9) + 6(11.6) = 216.2
  // Σ(y − ȳ)² = 121 + 65.61 + 16.81 + 0.25 + 17.64 + 62.41 + 134.56 = 418.28
  const double sxx = 112, sxy = 216.2, syy = 418.28;
  const double b = sxy / sxx, a = 13.1 - b * 6;
  const double residual = syy - sxy * sxy / sxx;  // 0.936786
  const LineFit fit = fitLine(kX, kY);
  EXPECT_EQ(fit.n, 7);
  EXPECT_NEAR(fit.slope, b, 1e-12);
  EXPECT_NEAR(fit.intercept, a, 1e-12);
  EXPECT_NEAR(fit.r2, 1 - residual / syy, 1e-12);
  EXPECT_NEAR(fit.residualSd, std::sqrt(residual / 5), 1e-12);
  EXPECT_NEAR(fit.meanX, 6, 1e-12);
  EXPECT_NEAR(fit.meanY, 13.1, 1e-12);
  EXPECT_NEAR(fit.sxx, 112, 1e-9);
  // As the book gives them: b = 1.93, a = 1.52, r = 0.9989, s(y/x) = 0.4329
  // (worked from the rounded a and b).
  EXPECT_NEAR(fit.slope, 1.93, 0.005);
  EXPECT_NEAR(fit.intercept, 1.52, 0.005);
  EXPECT_NEAR(std::sqrt(fit.r2), 0.9989, 0.00005);
  EXPECT_NEAR(fit.residualSd, 0.4329, 0.0001);
}

TEST(LineFit, ConcentrationOfASignalWithItsUncertainty) {
  const LineFit fit = fitLine(kX, kY);
  const double b = 216.2 / 112, a = 13.1 - b * 6, s = std::sqrt((418.28 - 216.2 * 216.2 / 112) / 5);
  // One measurement of y0 = 2.9: x0 = (2.9 − a)/b,
  // s(x0) = s/b · sqrt(1 + 1/7 + (2.9 − 13.1)²/(b² · 112)). The book: 0.72 and 0.26.
  EXPECT_NEAR(predictX(fit, 2.9), (2.9 - a) / b, 1e-12);
  EXPECT_NEAR(predictionUncertainty(fit, 2.9, 1), s / b * std::sqrt(1 + 1.0 / 7 + 10.2 * 10.2 / (b * b * 112)), 1e-12);
  EXPECT_NEAR(predictX(fit, 2.9), 0.72, 0.005);
  EXPECT_NEAR(predictionUncertainty(fit, 2.9, 1), 0.26, 0.005);
  // y0 = 13.5 and 23.0: 6.21 ± 0.24 and 11.13 ± 0.26.
  EXPECT_NEAR(predictX(fit, 13.5), 6.21, 0.005);
  EXPECT_NEAR(predictionUncertainty(fit, 13.5, 1), 0.24, 0.005);
  EXPECT_NEAR(predictX(fit, 23.0), 11.13, 0.005);
  EXPECT_NEAR(predictionUncertainty(fit, 23.0, 1), 0.26, 0.005);
  // The mean of m = 4 replicates: the first term is 1/4.
  EXPECT_NEAR(predictionUncertainty(fit, 13.5, 4), s / b * std::sqrt(0.25 + 1.0 / 7 + 0.4 * 0.4 / (b * b * 112)),
              1e-12);
}

TEST(LineFit, StandardAdditionExtrapolatedAsWorkedByHand) {
  // Silver (ng/ml added) against absorbance.
  const std::vector<double> x{0, 5, 10, 15, 20, 25, 30};
  const std::vector<double> y{0.32, 0.41, 0.52, 0.60, 0.70, 0.77, 0.89};
  // x̄ = 15, ȳ = 4.21/7; Σ(x − x̄)² = 225 + 100 + 25 + 0 + 25 + 100 + 225 = 700;
  // Σ(x − x̄)y = −15(0.32) − 10(0.41) − 5(0.52) + 5(0.70) + 10(0.77) + 15(0.89) = 13.05;
  // Σy² = 0.1024 + 0.1681 + 0.2704 + 0.36 + 0.49 + 0.5929 + 0.7921 = 2.7759.
  const double mean = 4.21 / 7, b = 13.05 / 700, a = mean - b * 15;
  const double syy = 2.7759 - 7 * mean * mean;
  const double s = std::sqrt((syy - 13.05 * 13.05 / 700) / 5);
  const LineFit fit = fitLine(x, y);
  EXPECT_NEAR(fit.slope, b, 1e-12);
  EXPECT_NEAR(fit.intercept, a, 1e-12);
  EXPECT_NEAR(fit.residualSd, s, 1e-12);
  EXPECT_NEAR(fit.intercept / fit.slope, a / b, 1e-9);
  EXPECT_NEAR(extrapolationUncertainty(fit), s / b * std::sqrt(1.0 / 7 + mean * mean / (b * b * 700)), 1e-12);
  // The book: 17.3 ng/ml, s(xE) = 0.749 (from b rounded to 0.0186).
  EXPECT_NEAR(fit.intercept / fit.slope, 17.3, 0.05);
  EXPECT_NEAR(extrapolationUncertainty(fit), 0.749, 0.002);
}

TEST(LineFit, WeightedByInverseSquareAsWorkedByHand) {
  const std::vector<double> x{1, 2, 4, 8};
  const std::vector<double> y{2.1, 3.9, 8.2, 15.8};
  std::vector<double> w;
  for (double c : x) w.push_back(1 / (c * c));
  // With the weights as given, W = 1/x²:
  // ΣW = 1 + 1/4 + 1/16 + 1/64 = 1.328125        ΣWx = 1 + 0.5 + 0.25 + 0.125 = 1.875
  // ΣWx² = 4                                      ΣWy = 2.1 + 0.975 + 0.5125 + 0.246875 = 3.834375
  // ΣWxy = 2.1 + 1.95 + 2.05 + 1.975 = 8.075
  const double sw = 1.328125, swx = 1.875, swx2 = 4, swy = 3.834375, swxy = 8.075;
  const double b = (sw * swxy - swx * swy) / (sw * swx2 - swx * swx);  // 3.53515625 / 1.796875
  const double a = (swy - b * swx) / sw;
  EXPECT_NEAR(b, 1.967391304, 1e-9);
  EXPECT_NEAR(a, 0.109565217, 1e-9);
  // The weights scaled to a mean of 1 multiply each W by n/ΣW.
  const double scale = 4 / sw;
  double residual = 0, spread = 0;
  const double meanY = swy / sw;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double r = y[i] - a - b * x[i];
    residual += scale * w[i] * r * r;
    spread += scale * w[i] * (y[i] - meanY) * (y[i] - meanY);
  }
  const double s = std::sqrt(residual / 2);
  const double sxx = scale * (swx2 - swx * swx / sw);
  const LineFit fit = fitLine(x, y, w);
  EXPECT_NEAR(fit.slope, b, 1e-12);
  EXPECT_NEAR(fit.intercept, a, 1e-12);
  EXPECT_NEAR(fit.residualSd, s, 1e-12);
  EXPECT_NEAR(fit.r2, 1 - residual / spread, 1e-12);
  EXPECT_NEAR(fit.meanX, swx / sw, 1e-12);
  EXPECT_NEAR(fit.meanY, meanY, 1e-12);
  EXPECT_NEAR(fit.sxx, sxx, 1e-12);
  // A sample of height 6, twice measured: its weight 1/x0² on the same scale.
  const double x0 = (6 - a) / b;
  const double w0 = scale / (x0 * x0);
  const double expected = s / b * std::sqrt(1 / (2 * w0) + 1.0 / 4 + (6 - meanY) * (6 - meanY) / (b * b * sxx));
  EXPECT_NEAR(predictX(fit, 6), x0, 1e-12);
  EXPECT_NEAR(predictionUncertainty(fit, 6, 2, 1 / (x0 * x0)), expected, 1e-12);
  // Weights that are all equal give the ordinary fit.
  const LineFit equal = fitLine(x, y, {3, 3, 3, 3}), plain = fitLine(x, y);
  EXPECT_NEAR(equal.slope, plain.slope, 1e-12);
  EXPECT_NEAR(equal.residualSd, plain.residualSd, 1e-12);
}

TEST(LineFit, TooFewPointsGiveNoSlopeOrNoScatter) {
  EXPECT_TRUE(std::isnan(fitLine({1}, {2}).slope));
  EXPECT_TRUE(std::isnan(fitLine({1, 1, 1}, {2, 3, 4}).slope));
  const LineFit two = fitLine({1, 3}, {2, 6});
  EXPECT_DOUBLE_EQ(two.slope, 2);
  EXPECT_DOUBLE_EQ(two.intercept, 0);
  EXPECT_TRUE(std::isnan(two.residualSd));
  EXPECT_TRUE(std::isnan(predictionUncertainty(two, 4, 1)));
  // A perfect line: no scatter, R² = 1.
  const LineFit exact = fitLine({0, 1, 2}, {1, 3, 5});
  EXPECT_DOUBLE_EQ(exact.r2, 1);
  EXPECT_NEAR(exact.residualSd, 0, 1e-15);
}
