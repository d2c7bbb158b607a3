#include "analysis/prepared_curve.h"

#include <cmath>

#include "analysis/savitzky_golay.h"

namespace {
constexpr std::size_t kLeastPoints = 5;

// Replaces values that are not finite by the straight line between their
// finite neighbours (the nearest finite value at the ends); returns how many
// were finite.
std::size_t bridgeGaps(std::vector<double> &v) {
  const std::size_t n = v.size();
  std::size_t finite = 0;
  std::size_t last = n;  // last finite index seen, n for none
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) continue;
    ++finite;
    if (last == n) {
      for (std::size_t k = 0; k < i; ++k) v[k] = v[i];
    } else if (i > last + 1) {
      const double from = v[last], slope = (v[i] - v[last]) / static_cast<double>(i - last);
      for (std::size_t k = last + 1; k < i; ++k) v[k] = from + slope * static_cast<double>(k - last);
    }
    last = i;
  }
  if (last != n)
    for (std::size_t k = last + 1; k < n; ++k) v[k] = v[last];
  return finite;
}
}  // namespace

PreparedCurve::PreparedCurve(const Curve &curve, const AnalysisSettings &settings) : curve_(curve) {
  if (!curve.values || curve.count == 0) return;
  raw_.assign(curve.values, curve.values + curve.count);
  usable_ = bridgeGaps(raw_) >= kLeastPoints && std::isfinite(curve.startPotential) &&
            std::isfinite(curve.step) && curve.step != 0;
  if (!usable_) return;
  smoothing_ = smoothingHalfWindow(settings.smoothing, curve.step, raw_.size());
  if (smoothing_) {
    smooth_.resize(raw_.size());
    smoothSavitzkyGolay(raw_.data(), raw_.size(), smoothing_, smooth_.data());
  }
}

void PreparedCurve::flip() {
  for (double &v : raw_) v = -v;
  for (double &v : smooth_) v = -v;
  sign_ = -sign_;
}
