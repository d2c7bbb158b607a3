#pragma once
// Curves with known peaks, for the analysis tests: shapes added onto a
// baseline, sampled at evenly spaced potentials, with optional noise.

#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "analysis/curve.h"

namespace synthetic {

constexpr double kGas = 8.314462618, kFaraday = 96485.33212;
inline double thermalVoltage(double celsius = 25) { return kGas * (celsius + 273.15) / kFaraday; }

inline std::function<double(double)> gaussian(double centre, double fwhm, double height) {
  const double sigma = fwhm / (2 * std::sqrt(2 * std::log(2.0)));
  return [=](double e) { return height * std::exp(-0.5 * std::pow((e - centre) / sigma, 2)); };
}
inline double gaussianArea(double fwhm, double height) {
  return height * fwhm / (2 * std::sqrt(2 * std::log(2.0))) * std::sqrt(2 * M_PI);
}

inline std::function<double(double)> lorentzian(double centre, double fwhm, double height) {
  return [=](double e) { return height / (1 + std::pow(2 * (e - centre) / fwhm, 2)); };
}

// Finite-amplitude reversible differential pulse peak (only the reduced form
// in the bulk, anodic current positive, points at the base potential):
// proportional to P (s^2 - 1) / ((s + P)(1 + P s)), s = exp(nF dE / 2RT),
// P = exp(nF (E - E0 + dE/2) / RT); scaled so the top is `height`.
inline double dpvShape(double e, double e0, int n, double amplitude) {
  const double f = n / thermalVoltage();
  const double s = std::exp(f * amplitude / 2), p = std::exp(f * (e - e0 + amplitude / 2));
  return p * (s * s - 1) / ((s + p) * (1 + p * s));
}
inline std::function<double(double)> dpvPeak(double e0, int n, double amplitude, double height) {
  const double top = dpvShape(e0 - amplitude / 2, e0, n, amplitude);
  return [=](double e) { return height * dpvShape(e, e0, n, amplitude) / top; };
}
// Width at half height of dpvShape, solved numerically.
inline double dpvWidth(int n, double amplitude) {
  const double e0 = 0, top = e0 - amplitude / 2;
  const double half = dpvShape(top, e0, n, amplitude) / 2;
  auto crossing = [&](double direction) {
    double inside = 0, outside = direction * 1.0;  // 1 V away is far down the flank
    for (int i = 0; i < 200; ++i) {
      const double mid = (inside + outside) / 2;
      (std::fabs(dpvShape(top + mid, e0, n, amplitude)) > std::fabs(half) ? inside : outside) = mid;
    }
    return (inside + outside) / 2;
  };
  return crossing(1) - crossing(-1);
}

struct Sampled {
  std::vector<double> values;
  double start = 0, step = 0;
  Curve curve(int sign = 0) const {
    Curve c;
    c.values = values.data();
    c.count = values.size();
    c.startPotential = start;
    c.step = step;
    c.peakSign = sign;
    return c;
  }
  // The same points swept the other way.
  Sampled reversed() const {
    Sampled r{std::vector<double>(values.rbegin(), values.rend()), start + step * (values.size() - 1), -step};
    return r;
  }
};

// Points from `start` to `end` (inclusive) every `step` volts.
inline Sampled sample(double start, double end, double step, const std::function<double(double)> &f, double noise = 0,
                      unsigned seed = 1) {
  Sampled s{{}, start, step};
  std::mt19937_64 random(seed);
  std::normal_distribution<double> normal(0, noise > 0 ? noise : 1);
  const int n = static_cast<int>(std::lround((end - start) / step)) + 1;
  for (int i = 0; i < n; ++i) s.values.push_back(f(start + i * step) + (noise > 0 ? normal(random) : 0));
  return s;
}

inline std::function<double(double)> sum(std::vector<std::function<double(double)>> parts) {
  return [parts](double e) {
    double v = 0;
    for (const auto &p : parts) v += p(e);
    return v;
  };
}
inline std::function<double(double)> line(double at0, double slope) {
  return [=](double e) { return at0 + slope * e; };
}

}  // namespace synthetic
