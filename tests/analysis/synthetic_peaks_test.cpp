// Peaks of curves whose answers are known: shapes on sloped baselines,
// overlapping and reduction peaks, transients and edges that are not peaks,
// blanks, tiny and broken inputs, and falling sweeps.
#include <gtest/gtest.h>

#include <limits>

#include "analysis/peaks.h"
#include "synthetic_curves.h"

using namespace synthetic;

namespace {

const AnalysisSettings kDefaults;

std::vector<Peak> peaksOf(const Sampled &s, int sign = 0, const AnalysisSettings &settings = kDefaults) {
  return findPeaks(s.curve(sign), settings);
}

// The same peak, seen from either sweep direction.
void expectSamePeak(const Peak &a, const Peak &b) {
  EXPECT_NEAR(a.potential, b.potential, 1e-4);
  EXPECT_NEAR(a.height, b.height, 1e-3 * std::fabs(a.height));
  EXPECT_NEAR(a.area, b.area, 2e-3 * std::fabs(a.area));
  EXPECT_NEAR(a.width, b.width, 2e-4);
  EXPECT_NEAR(a.low.potential, b.low.potential, 0.01);
  EXPECT_NEAR(a.high.potential, b.high.potential, 0.01);
}

}  // namespace

TEST(SyntheticPeaks, ShapesOnSlopedBaselines) {
  struct Case {
    const char *name;
    std::function<double(double)> peak;
    double potential, height, width, area;  // area 0: not checked
    double heightTolerance, widthTolerance;
    double tail;  // what is left of the peak where its baseline ends, per height
  };
  const double h = 5e-6;
  const Case cases[] = {
      {"gaussian", gaussian(0.20, 0.060, h), 0.20, h, 0.060, gaussianArea(0.060, h), 0.005, 0.01, 0.01},
      // The tangent cuts a Lorentzian's long tails: a few per cent lower and narrower.
      {"lorentzian", lorentzian(0.20, 0.050, h), 0.20, h, 0.050, 0, 0.05, 0.08, 0.06},
      {"dpv n=1 50 mV", dpvPeak(0.25, 1, 0.050, h), 0.225, h, dpvWidth(1, 0.050), 0, 0.005, 0.01, 0.01},
      {"dpv n=2 10 mV", dpvPeak(0.25, 2, 0.010, h), 0.245, h, dpvWidth(2, 0.010), 0, 0.005, 0.01, 0.01},
  };
  for (const Case &c : cases) {
    for (double slope : {0.0, 4e-6, -6e-6}) {
      const Sampled s = sample(-0.3, 0.7, 0.001, sum({line(1e-6, slope), c.peak}), 2e-9, 7);
      const std::vector<Peak> peaks = peaksOf(s);
      ASSERT_EQ(peaks.size(), 1u) << c.name << " slope " << slope;
      const Peak &p = peaks[0];
      EXPECT_NEAR(p.potential, c.potential, 0.0005) << c.name << " slope " << slope;
      EXPECT_NEAR(p.height, c.height, c.heightTolerance * c.height) << c.name << " slope " << slope;
      EXPECT_NEAR(p.width, c.width, c.widthTolerance * c.width) << c.name << " slope " << slope;
      if (c.area > 0) {
        EXPECT_NEAR(p.area, c.area, 0.01 * c.area) << c.name;
      }
      EXPECT_GT(p.area, 0);
      // The baseline lies on the sloped line, on both sides of the top.
      EXPECT_LT(p.low.potential, p.potential - p.width / 2);
      EXPECT_GT(p.high.potential, p.potential + p.width / 2);
      EXPECT_NEAR(p.low.current, 1e-6 + slope * p.low.potential, c.tail * h) << c.name;
      EXPECT_NEAR(p.high.current, 1e-6 + slope * p.high.potential, c.tail * h) << c.name;
      EXPECT_NEAR(p.topCurrent, 1e-6 + slope * p.potential + h, c.heightTolerance * h) << c.name;
      EXPECT_NEAR(s.curve().potentialAt(static_cast<double>(p.topIndex)), p.potential, 0.0005);
    }
  }
}

TEST(SyntheticPeaks, BroadTopPlacedByItsShape) {
  // A 90 mV wide peak in 1 mV steps: over three points its top bends less
  // than the noise on them, yet its position is sure to a fraction of a mV.
  for (unsigned seed = 1; seed <= 30; ++seed) {
    const Sampled s = sample(-0.2, 0.4, 0.001, dpvPeak(0.1, 1, 0.010, 1.5e-5), 3e-8, seed);
    const std::vector<Peak> peaks = peaksOf(s, 1);
    ASSERT_EQ(peaks.size(), 1u) << seed;
    EXPECT_NEAR(peaks[0].potential, 0.095, 0.0005) << seed;
    EXPECT_NEAR(peaks[0].height, 1.5e-5, 0.005 * 1.5e-5) << seed;
  }
}

TEST(SyntheticPeaks, OverlappingPeaksShareTheirValley) {
  struct Case {
    double apart, first, second;  // V; heights, A
    double positionTolerance;
  };
  // Apart by 3.3, 1.7 and 1.1 widths: the valley between them ever higher up.
  for (const Case &c :
       {Case{0.200, 4e-6, 2e-6, 0.0005}, Case{0.100, 4e-6, 2e-6, 0.003}, Case{0.065, 3e-6, 3e-6, 0.006}}) {
    const Sampled s = sample(
        -0.2, 0.6, 0.0005,
        sum({line(2e-7, 1e-6), gaussian(0.15, 0.060, c.first), gaussian(0.15 + c.apart, 0.060, c.second)}), 2e-9, 3);
    const std::vector<Peak> peaks = peaksOf(s);
    ASSERT_EQ(peaks.size(), 2u) << c.apart;
    EXPECT_NEAR(peaks[0].potential, 0.15, c.positionTolerance) << c.apart;
    EXPECT_NEAR(peaks[1].potential, 0.15 + c.apart, c.positionTolerance) << c.apart;
    // Each has its own baseline; they never cross, and where the peaks
    // overlap they meet in the valley between them.
    EXPECT_LT(peaks[0].low.potential, peaks[0].potential - peaks[0].width / 2);
    EXPECT_GT(peaks[0].high.potential, peaks[0].potential);
    EXPECT_LT(peaks[1].low.potential, peaks[1].potential);
    EXPECT_GT(peaks[1].high.potential, peaks[1].potential + peaks[1].width / 2);
    EXPECT_LE(peaks[0].high.potential, peaks[1].low.potential);
    if (c.apart > 0.12) {
      // Far enough apart that the valley lies on the baseline.
      EXPECT_NEAR(peaks[0].height, c.first, 0.02 * c.first);
      EXPECT_NEAR(peaks[1].height, c.second, 0.02 * c.second);
      EXPECT_NEAR(peaks[0].width, 0.060, 0.002);
    } else {
      EXPECT_NEAR(peaks[0].high.potential, peaks[1].low.potential, 0.005) << c.apart;
      // The valley lifts the baselines: each peak stands lower above its own.
      EXPECT_LT(peaks[0].height, c.first);
      EXPECT_LT(peaks[1].height, c.second);
      EXPECT_GT(peaks[1].height, 0.3 * c.second);
    }
  }
}

TEST(SyntheticPeaks, ReductionPeaksPointDown) {
  const Sampled s =
      sample(0.6, -0.4, -0.001, sum({line(-1e-6, 1.5e-6), gaussian(0.30, 0.090, -6e-6), gaussian(-0.05, 0.045, -3e-6)}),
             5e-9, 11);
  for (int sign : {0, -1}) {
    const std::vector<Peak> peaks = peaksOf(s, sign);
    ASSERT_EQ(peaks.size(), 2u) << sign;
    EXPECT_NEAR(peaks[0].potential, -0.05, 0.0005);
    EXPECT_NEAR(peaks[1].potential, 0.30, 0.0005);
    EXPECT_NEAR(peaks[0].height, -3e-6, 0.01 * 3e-6);
    EXPECT_NEAR(peaks[1].height, -6e-6, 0.01 * 6e-6);
    EXPECT_NEAR(peaks[0].width, 0.045, 0.001);
    EXPECT_NEAR(peaks[1].width, 0.090, 0.002);
    EXPECT_NEAR(peaks[1].area, gaussianArea(0.090, -6e-6), 0.01 * gaussianArea(0.090, 6e-6));
    EXPECT_LT(peaks[0].topCurrent, peaks[0].low.current);
    EXPECT_LT(peaks[0].low.potential, peaks[0].high.potential);
  }
  // Told to look for oxidation peaks, it finds none at these potentials.
  for (const Peak &p : peaksOf(s, 1)) {
    EXPECT_GT(std::fabs(p.potential + 0.05), 0.03);
    EXPECT_GT(std::fabs(p.potential - 0.30), 0.03);
  }
}

TEST(SyntheticPeaks, SwitchOnTransientAndEndEdgeAreNotPeaks) {
  const auto peak = gaussian(0.10, 0.080, 3e-6);
  // Decaying from the first point, either way; rising or falling at the end.
  for (double transient : {4e-5, -4e-5}) {
    for (double edge : {2e-5, -2e-5}) {
      const auto f = sum({peak, [=](double e) { return transient * std::exp(-(e + 0.3) / 0.02); },
                          [=](double e) { return edge * std::exp((e - 0.5) / 0.03); }});
      const Sampled s = sample(-0.3, 0.5, 0.001, f, 3e-9, 5);
      for (int sign : {0, 1}) {
        const std::vector<Peak> peaks = peaksOf(s, sign);
        ASSERT_EQ(peaks.size(), 1u) << transient << " " << edge << " sign " << sign;
        EXPECT_NEAR(peaks[0].potential, 0.10, 0.001);
        EXPECT_NEAR(peaks[0].height, 3e-6, 0.02 * 3e-6);
        EXPECT_NEAR(peaks[0].width, 0.080, 0.003);
      }
    }
  }
  // A transient and an edge alone.
  const Sampled bare = sample(
      -0.3, 0.5, 0.001, [](double e) { return 4e-5 * std::exp(-(e + 0.3) / 0.02) + 2e-5 * std::exp((e - 0.5) / 0.03); },
      3e-9, 5);
  EXPECT_TRUE(peaksOf(bare).empty());
  EXPECT_TRUE(peaksOf(bare, 1).empty());
  EXPECT_TRUE(peaksOf(bare, -1).empty());
}

TEST(SyntheticPeaks, NoisyBlankHasNoPeak) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const Sampled s = sample(-0.5, 0.5, 0.0005, line(1e-7, 2e-7), 2e-8, seed);
    EXPECT_TRUE(peaksOf(s).empty()) << seed;
    EXPECT_TRUE(peaksOf(s, 1).empty()) << seed;
    EXPECT_TRUE(peaksOf(s, -1).empty()) << seed;
  }
  // Without smoothing the raw noise is searched: still nothing.
  AnalysisSettings raw;
  raw.smoothing = 0;
  for (unsigned seed = 1; seed <= 5; ++seed)
    EXPECT_TRUE(peaksOf(sample(-0.5, 0.5, 0.0005, line(0, 0), 2e-8, seed), 0, raw).empty()) << seed;
  // A curve exactly flat, or all zero.
  EXPECT_TRUE(peaksOf(sample(0, 1, 0.001, line(3e-6, 0))).empty());
  EXPECT_TRUE(peaksOf(sample(0, 1, 0.001, line(0, 0))).empty());
}

TEST(SyntheticPeaks, ThresholdAndWidthLimits) {
  const double noise = 1e-8;
  // A peak 5 noise units high, 60 mV wide, and a hump 600 mV wide.
  const Sampled small = sample(-0.5, 0.5, 0.001, gaussian(0, 0.060, 5 * noise), noise, 2);
  AnalysisSettings settings;
  EXPECT_TRUE(peaksOf(small, 1, settings).empty());
  settings.threshold = 3;
  ASSERT_EQ(peaksOf(small, 1, settings).size(), 1u);
  EXPECT_NEAR(peaksOf(small, 1, settings)[0].potential, 0, 0.015);

  const Sampled wide = sample(-1, 1, 0.002, gaussian(0, 0.600, 1e-6), noise, 2);
  settings = AnalysisSettings();
  EXPECT_TRUE(peaksOf(wide, 1, settings).empty());
  settings.maxWidth = 0.8;
  ASSERT_EQ(peaksOf(wide, 1, settings).size(), 1u);

  const Sampled narrow = sample(-0.5, 0.5, 0.001, gaussian(0, 0.006, 1e-6), noise, 2);
  settings = AnalysisSettings();
  settings.smoothing = 0;
  EXPECT_TRUE(peaksOf(narrow, 1, settings).empty());
  settings.minWidth = 0.002;
  ASSERT_EQ(peaksOf(narrow, 1, settings).size(), 1u);
  EXPECT_NEAR(peaksOf(narrow, 1, settings)[0].width, 0.006, 0.0005);
}

TEST(SyntheticPeaks, FallingSweepGivesTheSamePeaks) {
  const Sampled rising = sample(
      -0.3, 0.7, 0.001, sum({line(5e-7, 2e-6), gaussian(0.05, 0.090, 4e-6), gaussian(0.40, 0.050, 2e-6)}), 4e-9, 9);
  for (BaselineKind kind : {BaselineKind::Tangent, BaselineKind::Valleys}) {
    AnalysisSettings settings;
    settings.baseline = kind;
    const std::vector<Peak> up = peaksOf(rising, 0, settings);
    const std::vector<Peak> down = peaksOf(rising.reversed(), 0, settings);
    ASSERT_EQ(up.size(), 2u);
    ASSERT_EQ(down.size(), 2u);
    for (int i = 0; i < 2; ++i) expectSamePeak(up[i], down[i]);
    // The baseline ends are points of the falling curve, low potential first.
    const Curve falling = rising.reversed().curve();
    EXPECT_DOUBLE_EQ(falling.potentialAt(static_cast<double>(down[0].low.index)), down[0].low.potential);
    EXPECT_GT(down[0].low.index, down[0].high.index);
  }
}

TEST(SyntheticPeaks, ValleyBaselineOnACurvedBackground) {
  // On a convex background the valley-to-valley line lies above the tangent
  // at the top, so the peak comes out lower.
  const auto f = sum({[](double e) { return 2e-6 * std::exp(e / 0.15); }, gaussian(0.2, 0.060, 3e-6)});
  const Sampled s = sample(-0.3, 0.6, 0.001, f, 2e-9, 4);
  AnalysisSettings valleys;
  valleys.baseline = BaselineKind::Valleys;
  const std::vector<Peak> tangent = peaksOf(s), valley = peaksOf(s, 0, valleys);
  ASSERT_EQ(tangent.size(), 1u);
  ASSERT_EQ(valley.size(), 1u);
  EXPECT_NEAR(tangent[0].potential, valley[0].potential, 0.003);
  EXPECT_LE(valley[0].height, tangent[0].height);
  // The curve never dips below the tangent between its ends.
  const Curve c = s.curve();
  const Peak &p = tangent[0];
  const std::size_t from = std::min(p.low.index, p.high.index), to = std::max(p.low.index, p.high.index);
  for (std::size_t i = from; i <= to; ++i) {
    const double e = c.potentialAt(static_cast<double>(i));
    const double base =
        p.low.current + (p.high.current - p.low.current) * (e - p.low.potential) / (p.high.potential - p.low.potential);
    EXPECT_GT(c.values[i], base - 1e-8) << i;
  }
}

TEST(SyntheticPeaks, BaselineEndsTheUserSets) {
  const Sampled s = sample(-0.3, 0.7, 0.001, sum({line(1e-6, 2e-6), gaussian(0.2, 0.060, 5e-6)}));
  const Curve c = s.curve();
  const std::vector<Peak> found = findPeaks(c, kDefaults);
  ASSERT_EQ(found.size(), 1u);
  // Ends on the straight baseline, given either way round: the same peak.
  for (auto ends :
       {std::pair{c.nearestIndex(0.0), c.nearestIndex(0.4)}, std::pair{c.nearestIndex(0.4), c.nearestIndex(0.0)}}) {
    const std::optional<Peak> p = measurePeak(c, kDefaults, 1, ends.first, ends.second);
    ASSERT_TRUE(p.has_value());
    EXPECT_NEAR(p->potential, 0.2, 0.0005);
    EXPECT_NEAR(p->height, 5e-6, 0.005 * 5e-6);
    EXPECT_NEAR(p->width, 0.060, 0.0006);
    EXPECT_DOUBLE_EQ(p->low.potential, c.potentialAt(static_cast<double>(c.nearestIndex(0.0))));
    EXPECT_DOUBLE_EQ(p->high.potential, c.potentialAt(static_cast<double>(c.nearestIndex(0.4))));
  }
  // An end dragged up the flank: the line rises, the peak is lower, and the
  // half-height crossing is found on the curve past that end.
  const std::optional<Peak> raised = measurePeak(c, kDefaults, 1, c.nearestIndex(0.0), c.nearestIndex(0.23));
  ASSERT_TRUE(raised.has_value());
  EXPECT_LT(raised->height, found[0].height);
  EXPECT_TRUE(std::isfinite(raised->width));
  // Ends with no room between them, or nothing on the asked side.
  EXPECT_FALSE(measurePeak(c, kDefaults, 1, 100, 101).has_value());
  EXPECT_FALSE(measurePeak(c, kDefaults, 1, 100, 100).has_value());
  EXPECT_FALSE(measurePeak(c, kDefaults, -1, c.nearestIndex(0.0), c.nearestIndex(0.4)).has_value());
  // Ends past the curve are limited to it.
  const std::optional<Peak> past = measurePeak(c, kDefaults, 1, 0, 1000000);
  ASSERT_TRUE(past.has_value());
  EXPECT_EQ(past->high.index, c.count - 1);
  EXPECT_DOUBLE_EQ(past->height, measurePeak(c, kDefaults, 1, 0, c.count - 1)->height);
  EXPECT_EQ(c.nearestIndex(5.0), c.count - 1);
  EXPECT_EQ(c.nearestIndex(-5.0), 0u);
  EXPECT_EQ(c.nearestIndex(std::numeric_limits<double>::quiet_NaN()), 0u);
}

TEST(SyntheticPeaks, TinyAndBrokenInputs) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  for (std::size_t n = 0; n <= 4; ++n) {
    std::vector<double> v(n, 1e-6);
    if (n >= 3) v[n / 2] = 5e-6;
    Curve c{v.data(), n, 0, 0.001, 0};
    EXPECT_TRUE(findPeaks(c, kDefaults).empty()) << n;
    EXPECT_FALSE(measurePeak(c, kDefaults, 1, 0, n ? n - 1 : 0).has_value()) << n;
  }
  Curve none;
  EXPECT_TRUE(findPeaks(none, kDefaults).empty());

  Sampled s = sample(-0.3, 0.7, 0.001, sum({line(1e-6, 0), gaussian(0.2, 0.060, 5e-6)}), 2e-9);
  ASSERT_EQ(peaksOf(s).size(), 1u);
  // No step, or a step or start that is not a number.
  for (auto broken : {std::pair{-0.3, 0.0}, std::pair{nan, 0.001}, std::pair{-0.3, inf}, std::pair{-0.3, nan}}) {
    Curve c = s.curve();
    c.startPotential = broken.first;
    c.step = broken.second;
    EXPECT_TRUE(findPeaks(c, kDefaults).empty());
    EXPECT_FALSE(measurePeak(c, kDefaults, 1, 0, c.count - 1).has_value());
  }
  // Points that are not finite, scattered, on the peak and at the ends: bridged over.
  Sampled holes = s;
  for (std::size_t i : {0u, 1u, 150u, 498u, 500u, 503u, 999u, 1000u}) holes.values[i] = (i % 2) ? nan : inf;
  holes.values[501] = -inf;
  const std::vector<Peak> bridged = peaksOf(holes);
  ASSERT_EQ(bridged.size(), 1u);
  EXPECT_NEAR(bridged[0].potential, 0.2, 0.002);
  EXPECT_TRUE(std::isfinite(bridged[0].height) && std::isfinite(bridged[0].area));
  // Nothing finite, or only a few finite points.
  std::vector<double> all(100, nan);
  EXPECT_TRUE(findPeaks(Curve{all.data(), all.size(), 0, 0.001, 0}, kDefaults).empty());
  all[10] = all[20] = all[30] = all[40] = 1e-6;
  EXPECT_TRUE(findPeaks(Curve{all.data(), all.size(), 0, 0.001, 0}, kDefaults).empty());
  // Values near the top of the double range must not upset the search.
  std::vector<double> huge(200);
  for (std::size_t i = 0; i < huge.size(); ++i) huge[i] = (i % 7 == 0 ? -1 : 1) * 1.7e308;
  EXPECT_NO_THROW(findPeaks(Curve{huge.data(), huge.size(), 0, 0.001, 0}, kDefaults));
}
