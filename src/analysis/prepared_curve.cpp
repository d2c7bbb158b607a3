#include "analysis/prepared_curve.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/savitzky_golay.h"

namespace {
constexpr std::size_t kLeastPoints = 5;

// Replaces values that are not finite by the straight line between their
// finite neighbours (the nearest finite value at the ends).
void bridgeGaps(std::vector<double> &v) {
  const std::size_t n = v.size();
  std::size_t last = n;  // last finite index seen, n for none
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) continue;
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
}
}  // namespace

PreparedCurve::PreparedCurve(const Curve &curve, const AnalysisSettings &settings) : curve_(curve) {
  if (!curve.values || curve.count == 0 || !std::isfinite(curve.startPotential) || !std::isfinite(curve.step) ||
      curve.step == 0)
    return;
  // One quick pass for the usual curve, where every value is finite.
  bool broken = false;
  for (std::size_t i = 0; i < curve.count; ++i) {
    const double a = std::fabs(curve.values[i]);
    broken |= !(a <= std::numeric_limits<double>::max());
    largest_ = std::max(largest_, a);  // NaN leaves it
  }
  std::size_t finite = curve.count;
  if (broken) {
    finite = 0;
    largest_ = 0;
    for (std::size_t i = 0; i < curve.count; ++i) {
      if (!std::isfinite(curve.values[i])) continue;
      ++finite;
      largest_ = std::max(largest_, std::fabs(curve.values[i]));
    }
  }
  if (finite < kLeastPoints) return;
  size_ = curve.count;
  raw_ = curve.values;
  if (finite < size_) {
    ownRaw_.assign(raw_, raw_ + size_);
    bridgeGaps(ownRaw_);
    raw_ = ownRaw_.data();
  }
  usable_ = true;
  smoothing_ = smoothingHalfWindow(settings.smoothing, curve.step, size_);
  if (smoothing_) {
    smooth_.reset(new double[size_]);
    smoothSavitzkyGolay(raw_, size_, smoothing_, smooth_.get());
  }
}

void PreparedCurve::flip() {
  if (ownRaw_.empty()) ownRaw_.assign(raw_, raw_ + size_);
  for (double &v : ownRaw_) v = -v;
  raw_ = ownRaw_.data();
  if (smooth_)
    for (std::size_t i = 0; i < size_; ++i) smooth_[i] = -smooth_[i];
  sign_ = -sign_;
}
