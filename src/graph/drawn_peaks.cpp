#include "graph/drawn_peaks.h"

#include <algorithm>
#include <cmath>

#include "analysis/record_curve.h"
#include "graph/smoothing.h"

namespace {

struct DrawnCurve {
  std::vector<double> values;
  int32_t first = 0;
  Curve curve;  // without values
};

// Points 0 .. pointIndex - 1 smoothed as drawn; of them, those whose
// potential lies within the axis range (a contiguous run, the potentials
// being monotonic).
DrawnCurve drawnCurve(const MeasurementRecord &r) {
  DrawnCurve d;
  d.curve = recordCurve(r);
  d.curve.values = nullptr;
  d.curve.count = 0;
  const int32_t n =
      static_cast<int32_t>(std::min<int64_t>(r.document.pointIndex, static_cast<int64_t>(r.document.points.size())));
  if (n <= 0 || r.params.pulseStep == 0 || !std::isfinite(r.params.pulseStep)) return d;
  const double lo = std::min(r.params.axisPotStart, r.params.axisPotEnd),
               hi = std::max(r.params.axisPotStart, r.params.axisPotEnd);
  // A rounding error must not leave out a point drawn on the axis end.
  const double slack = std::abs(r.params.pulseStep) * 1e-6;
  DisplaySmoothing smoothing(r);
  int32_t last = -1;
  for (int32_t i = 0; i < n; ++i) {
    const double v = smoothing.next(r.document.points[i]);
    const double e = r.pointPotential(i);
    if (e < lo - slack || e > hi + slack) {
      if (last >= 0) break;
      continue;
    }
    if (last < 0) d.first = i;
    last = i;
    d.values.push_back(v);
  }
  d.curve.startPotential = r.pointPotential(d.first);
  return d;
}

bool sameCurve(const Curve &a, const Curve &b) {
  return a.startPotential == b.startPotential && a.step == b.step && a.peakSign == b.peakSign;
}

}  // namespace

void DrawnPeaks::setSettings(const AnalysisSettings &settings) {
  settings_ = settings;
  clear();
}

void DrawnPeaks::clear() {
  values_.clear();
  curve_ = Curve();
  first_ = 0;
  peaks_.clear();
}

bool DrawnPeaks::follow(const MeasurementRecord &record) {
  DrawnCurve d = drawnCurve(record);
  if (!values_.empty() && d.first == first_ && sameCurve(d.curve, curve_) && d.values == values_) return false;
  values_ = std::move(d.values);
  first_ = d.first;
  curve_ = d.curve;
  curve_.values = values_.data();
  curve_.count = values_.size();
  peaks_ = findPeaks(curve_, settings_);
  return true;
}

bool DrawnPeaks::moveBaselineEnd(std::size_t peak, BaselineSide side, double potential, std::size_t *moved) {
  if (peak >= peaks_.size()) return false;
  const Peak &old = peaks_[peak];
  const std::size_t end = curve_.nearestIndex(potential);
  const std::size_t from = side == BaselineSide::Low ? end : old.low.index;
  const std::size_t to = side == BaselineSide::High ? end : old.high.index;
  const int sign = old.height < 0 ? -1 : 1;
  const std::optional<Peak> measured = measurePeak(curve_, settings_, sign, from, to);
  if (!measured) return false;
  peaks_.erase(peaks_.begin() + static_cast<std::ptrdiff_t>(peak));
  const auto at = std::upper_bound(peaks_.begin(), peaks_.end(), *measured,
                                   [](const Peak &a, const Peak &b) { return a.potential < b.potential; });
  if (moved) *moved = static_cast<std::size_t>(at - peaks_.begin());
  peaks_.insert(at, *measured);
  return true;
}

std::vector<Peak> drawnCurvePeaks(const MeasurementRecord &record, const AnalysisSettings &settings) {
  DrawnPeaks peaks(settings);
  peaks.follow(record);
  return peaks.peaks();
}

PeakTableUnits peakTableUnits(const MeasurementRecord &r) {
  PeakTableUnits u;
  if (r.params.currUnitFactor > 0 && !r.texts.currUnitText().isEmpty()) {
    u.currentUnit = r.texts.currUnitText();
    u.currentFactor = r.params.currUnitFactor;
  }
  u.potentialDecimals = r.params.potDigits + 1;
  u.currentDecimals = r.params.currDigits + 1;
  return u;
}
