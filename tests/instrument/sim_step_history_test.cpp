// The folded step history against the exact sum of 1/sqrt terms.

#include <gtest/gtest.h>
#include <cmath>
#include <vector>

#include "instrument/sim_step_history.h"

namespace {

struct Step {
  double time;
  double change;
};

double exactSum(const std::vector<Step> &steps, double t, double clip) {
  double sum = 0;
  for (const Step &s : steps)
    if (t >= s.time) sum += s.change / std::sqrt(std::max(t - s.time, clip));
  return sum;
}

}  // namespace

TEST(SimStepHistory, OneStepFollowsTheInverseSquareRootOverEveryAge) {
  const double clip = 1e-7;
  SimStepHistory history(clip);
  history.add(0.0, 1.0);
  double worst = 0;
  double worstAge = 0;
  // Exact while recent, then the sum of exponentials: every age up to the longest, 0.05 % apart.
  for (double age = 1e-6; age <= SimStepHistory::kLongestAge; age *= 1.0005) {
    const double error = std::fabs(history.sum(age) * std::sqrt(age) - 1);
    if (error > worst) {
      worst = error;
      worstAge = age;
    }
  }
  EXPECT_LT(worst, 1e-4) << "at " << worstAge << " s";
  EXPECT_LT(worst, 1e-5) << "at " << worstAge << " s";  // the margin the nodes were chosen for
}

TEST(SimStepHistory, LongSweepsMatchTheExactSum) {
  // Pulses on a staircase, as a sweep of 50 000 points at 20 ms makes them,
  // then bursts of steps faster than the recent steps can hold.
  const double clip = 2e-4;
  SimStepHistory history(clip);
  std::vector<Step> steps;
  auto add = [&](double t, double change) {
    history.add(t, change);
    steps.push_back({t, change});
  };
  double t = 0;
  for (int n = 0; n < 50000; ++n) {
    const double e = n * 1e-4;
    add(t, 0.3 * std::sin(e) + 0.31);
    add(t + 0.01, -0.3 * std::sin(e) - 0.3);
    t += 0.02;
  }
  for (int n = 0; n < 1000; ++n) add(t + n * 12e-6, n % 2 ? -0.1 : 0.1);
  t += 1000 * 12e-6;
  for (double after : {0.0, 1e-4, 3e-4, 0.003, 0.05, 1.0, 30.0, 1000.0}) {
    const double at = t + after;
    // Each term errs by at most 1e-4 of itself.
    double bound = 0;
    for (const Step &s : steps) bound += std::fabs(s.change) / std::sqrt(std::max(at - s.time, clip));
    EXPECT_NEAR(history.sum(at), exactSum(steps, at, clip), 1e-4 * bound) << after;
  }
}

TEST(SimStepHistory, ClearForgetsEverything) {
  SimStepHistory history(1e-4);
  for (int i = 0; i < 500; ++i) history.add(i * 0.01, 1.0);
  EXPECT_GT(history.sum(6.0), 0);
  history.clear();
  EXPECT_EQ(history.sum(6.0), 0.0);
  history.add(7.0, 0.5);
  EXPECT_NEAR(history.sum(8.0), 0.5, 0.5e-4);
  EXPECT_NEAR(history.sum(11.0), 0.25, 0.25e-4);
}
