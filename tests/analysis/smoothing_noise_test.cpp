// The smoothing the search looks through and the noise it measures against.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "analysis/noise.h"
#include "analysis/savitzky_golay.h"

TEST(SavitzkyGolay, WindowFromThePulseStep) {
  EXPECT_EQ(smoothingHalfWindow(0.015, 0.0005, 2000), 15);     // 31 points over 15 mV
  EXPECT_EQ(smoothingHalfWindow(0.015, -0.001, 2000), 8);      // falling sweep alike
  EXPECT_EQ(smoothingHalfWindow(0.015, 0.005, 2000), 2);       // never below 5 points
  EXPECT_EQ(smoothingHalfWindow(0.015, 0.000001, 2000), 249);  // at most a quarter of the curve
  EXPECT_EQ(smoothingHalfWindow(0.015, 0.001, 19), 0);         // too short to smooth
  EXPECT_EQ(smoothingHalfWindow(0, 0.001, 2000), 0);           // off
  EXPECT_EQ(smoothingHalfWindow(0.015, 0, 2000), 0);
  EXPECT_EQ(smoothingHalfWindow(-1, 0.001, 2000), 0);
}

TEST(SavitzkyGolay, KeepsCubicsAndMatchesTheDirectSum) {
  const int m = 6;
  const std::size_t n = 5000;  // several refreshes of the running sums
  std::vector<double> y(n), out(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double x = (static_cast<double>(i) - 2500) / 1000;
    y[i] = 1e-6 * (0.3 + x - 2 * x * x + 0.7 * x * x * x);
  }
  smoothSavitzkyGolay(y.data(), n, m, out.data());
  // A parabola fitted to a cubic is exact at the centre of its window,
  // also in the shrunken windows near the ends.
  double worst = 0;
  for (std::size_t i = 0; i < n; ++i) worst = std::max(worst, std::fabs(out[i] - y[i]));
  EXPECT_LT(worst, 1e-15);  // of values up to 1e-5

  // On noise, against the textbook weights.
  std::mt19937_64 random(3);
  std::normal_distribution<double> normal;
  for (double &v : y) v = normal(random);
  smoothSavitzkyGolay(y.data(), n, m, out.data());
  const double d = (2.0 * m - 1) * (2.0 * m + 1) * (2.0 * m + 3);
  for (std::size_t i = m; i + m < n; i += 97) {
    double direct = 0;
    for (int k = -m; k <= m; ++k) direct += (3.0 * (3.0 * m * m + 3 * m - 1) - 15.0 * k * k) / d * y[i + k];
    EXPECT_NEAR(out[i], direct, 1e-10) << i;  // running sums, refreshed now and then
  }
  EXPECT_DOUBLE_EQ(out[0], y[0]);
  EXPECT_DOUBLE_EQ(out[n - 1], y[n - 1]);
  // Off, or a window longer than the curve: the values as they are.
  std::vector<double> copy(n);
  smoothSavitzkyGolay(y.data(), n, 0, copy.data());
  EXPECT_EQ(copy, y);
  smoothSavitzkyGolay(y.data(), 7, 4, copy.data());
  EXPECT_TRUE(std::equal(y.begin(), y.begin() + 7, copy.begin()));
}

TEST(Noise, RobustAgainstSlopesAndPeaks) {
  std::mt19937_64 random(5);
  std::normal_distribution<double> normal(0, 2e-8);
  std::vector<double> y(20001);
  for (std::size_t i = 0; i < y.size(); ++i) {
    const double e = static_cast<double>(i) * 1e-4 - 1;
    y[i] = 3e-6 * e + 5e-6 * std::exp(-e * e / (2 * 0.03 * 0.03)) + normal(random);
  }
  EXPECT_NEAR(estimateNoise(y.data(), y.size()), 2e-8, 0.1e-8);
  // A long curve is sampled, with the same answer.
  std::vector<double> longer(2000001);
  for (double &v : longer) v = normal(random);
  EXPECT_NEAR(estimateNoise(longer.data(), longer.size()), 2e-8, 0.05e-8);
  // Quantized values without noise still give a noise of the order of a step.
  std::vector<double> steps(1000);
  for (std::size_t i = 0; i < steps.size(); ++i) steps[i] = std::floor(static_cast<double>(i) / 7.3) * 1e-9;
  const double q = estimateNoise(steps.data(), steps.size());
  EXPECT_GT(q, 0.05e-9);
  EXPECT_LT(q, 1e-9);
  EXPECT_EQ(estimateNoise(steps.data(), 2), 0);
  EXPECT_EQ(estimateNoise(nullptr, 0), 0);
}
