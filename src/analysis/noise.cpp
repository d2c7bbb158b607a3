#include "analysis/noise.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr std::size_t kMaxSamples = 1 << 14;
constexpr double kPi = 3.14159265358979323846;

double median(std::vector<double> &v) {
  const auto middle = v.begin() + v.size() / 2;
  std::nth_element(v.begin(), middle, v.end());
  return *middle;
}
}  // namespace

double estimateNoise(const double *y, std::size_t n) {
  if (n < 3) return 0;
  const std::size_t differences = n - 2;
  const std::size_t stride = (differences + kMaxSamples - 1) / kMaxSamples;
  std::vector<double> d;
  d.reserve(differences / stride + 1);
  for (std::size_t i = 1; i + 1 < n; i += stride) d.push_back(y[i - 1] - 2 * y[i] + y[i + 1]);
  const double centre = median(d);
  double sum = 0;
  for (double &v : d) {
    v = std::fabs(v - centre);
    sum += v;
  }
  const double mean = sum / static_cast<double>(d.size());
  const double mad = median(d);
  const double sdOfDifferences = mad > 0 ? 1.4826 * mad : std::sqrt(kPi / 2) * mean;
  return sdOfDifferences / std::sqrt(6.0);
}
