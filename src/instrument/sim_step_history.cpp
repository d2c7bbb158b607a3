#include "instrument/sim_step_history.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kNodes = SimStepHistory::kModes - 1;
constexpr int kMask = SimStepHistory::kRecentSteps - 1;
static_assert((SimStepHistory::kRecentSteps & kMask) == 0, "the recent steps are a ring of a power of two");

// 1/sqrt(a) = (1/sqrt(pi)) * integral over x of exp(x/2) exp(-e^x a), with
// the rate s = e^x. The trapezoidal rule in x with nodes a factor 2 apart
// errs by 2 sqrt(2) exp(-pi^2 / ln 2) = 2e-6 of the value; the fastest node
// leaves out erfc(sqrt(12)) = 6e-7 at the shortest age. The nodes slower
// than the last are lumped into one mode that keeps their sum and its slope
// at age 0, which holds while their rate times the age stays below 0.04.
constexpr double kFastestRate = 12 / SimStepHistory::kShortestFoldAge;
constexpr double kStep = 0.69314718055994530942;  // ln 2

constexpr double slowestRate() {
  double rate = kFastestRate;
  for (int k = 1; k < kNodes; ++k) rate /= 2;
  return rate;
}
static_assert(slowestRate() * SimStepHistory::kLongestAge <= 0.04, "the nodes reach the longest age");

// Squaring the factor of one node gives that of the next faster one; a
// fresh exponential every few nodes keeps the rounding error small.
constexpr int kSquarings = 8;
// A mode decayed below this counts as gone.
constexpr double kNegligible = 1e-30;

struct Kernel {
  std::array<double, SimStepHistory::kModes> weight{};
  double lumpRate = 0;

  Kernel() {
    const double scale = kStep / std::sqrt(kPi);
    double rate = kFastestRate;
    for (int k = 0; k < kNodes; ++k, rate /= 2) weight[k] = scale * std::sqrt(rate);
    // The nodes rate * 2^-m for m = 1, 2, ... below the slowest.
    const double slowest = rate * 2;
    const double q = 1 / std::sqrt(2.0);
    const double sum = scale * std::sqrt(slowest) * q / (1 - q);
    const double slope = scale * slowest * std::sqrt(slowest) * (q * q * q) / (1 - q * q * q);
    weight[kNodes] = sum;
    lumpRate = slope / sum;
  }
};

const Kernel &kernel() {
  static const Kernel k;
  return k;
}

}  // namespace

SimStepHistory::SimStepHistory(double clip) : clip_(clip), foldAge_(std::max(clip, kShortestFoldAge)) {}

void SimStepHistory::clear() {
  oldest_ = 0;
  recentCount_ = 0;
  modes_.fill(0);
  foldedAt_ = 0;
  folded_ = false;
}

void SimStepHistory::add(double t, double change) {
  if (recentCount_ == kRecentSteps) foldOldest();
  recent_[(oldest_ + recentCount_) & kMask] = Step{t, change};
  ++recentCount_;
}

void SimStepHistory::decay(double dt, std::array<double, kModes> *factors) {
  std::array<double, kModes> &f = *factors;
  double rate = slowestRate();
  for (int k = kNodes - 1; k >= 0; --k, rate *= 2) {
    double factor = (kNodes - 1 - k) % kSquarings == 0 ? std::exp(-dt * rate) : f[k + 1] * f[k + 1];
    if (factor < kNegligible) factor = 0;
    f[k] = factor;
  }
  f[kNodes] = std::exp(-dt * kernel().lumpRate);
}

void SimStepHistory::foldOldest() {
  const Step step = recent_[oldest_];
  if (folded_) {
    decay(std::max(step.time - foldedAt_, 0.0), &factors_);
    for (int k = 0; k < kModes; ++k) modes_[k] *= factors_[k];
  }
  for (double &mode : modes_) mode += step.change;
  foldedAt_ = step.time;
  folded_ = true;
  oldest_ = (oldest_ + 1) & kMask;
  --recentCount_;
}

double SimStepHistory::sum(double t) {
  while (recentCount_ > 0 && t - recent_[oldest_].time >= foldAge_) foldOldest();
  double total = 0;
  for (int i = 0; i < recentCount_; ++i) {
    const Step &step = recent_[(oldest_ + i) & kMask];
    const double age = t - step.time;
    if (age >= 0) total += step.change / std::sqrt(std::max(age, clip_));
  }
  if (folded_) {
    decay(std::max(t - foldedAt_, 0.0), &factors_);
    const Kernel &k = kernel();
    for (int m = 0; m < kModes; ++m) total += k.weight[m] * modes_[m] * factors_[m];
  }
  return total;
}
