// The peak search over a curve of 1,000,000 points: -500 .. 500 mV in 1 uV
// steps, three reversible couples on a sloped baseline with a switch-on
// transient, and noise. The target is 20 ms.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/peaks.h"

namespace {

constexpr std::size_t kPoints = 1'000'000;

// A reversible differential pulse peak of 50 mV pulses, n electrons, 25 C.
double couple(double e, double e0, int n, double height) {
  const double f = n / 0.025693, s = std::exp(f * 0.025), p = std::exp(f * (e - e0 + 0.025));
  const double top = (s * s - 1) / ((s + 1) * (1 + s));
  return height * p * (s * s - 1) / ((s + p) * (1 + p * s)) / top;
}

std::vector<double> curveValues() {
  std::vector<double> v(kPoints);
  std::mt19937_64 random(1);
  std::normal_distribution<double> noise(0, 20e-9);
  for (std::size_t i = 0; i < kPoints; ++i) {
    const double e = -0.5 + static_cast<double>(i) * 1e-6;
    v[i] = 2e-6 + 3e-6 * e + 4e-5 * std::exp(-(e + 0.5) / 0.01) + couple(e, -0.2, 1, 1e-5) + couple(e, 0.1, 2, 8e-6) +
           couple(e, 0.35, 1, 5e-6) + noise(random);
  }
  return v;
}

void BM_Peaks1M(benchmark::State &state) {
  const std::vector<double> values = curveValues();
  const Curve curve{values.data(), values.size(), -0.5, 1e-6, 1};
  const AnalysisSettings settings;
  std::size_t found = 0;
  for (auto _ : state) {
    const std::vector<Peak> peaks = findPeaks(curve, settings);
    found = peaks.size();
    benchmark::DoNotOptimize(peaks.data());
  }
  if (found != 3) state.SkipWithError("the three couples were not found");
  state.counters["peaks"] = static_cast<double>(found);
}

}  // namespace

BENCHMARK(BM_Peaks1M)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
