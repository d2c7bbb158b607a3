#pragma once
// The curve as the peak search and measurement read it: the values times the
// peak sign, so that the peaks looked for point up, points that are not
// finite bridged by straight lines, and a smoothed copy for the search.

#include <cstddef>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/curve.h"

class PreparedCurve {
 public:
  PreparedCurve(const Curve &curve, const AnalysisSettings &settings);

  // At least 5 finite points: enough for a top with two points on each side.
  bool usable() const { return usable_; }
  std::size_t size() const { return raw_.size(); }
  const double *raw() const { return raw_.data(); }
  // The smoothed values; the raw ones when smoothing is off.
  const double *smooth() const { return smoothing_ ? smooth_.data() : raw_.data(); }
  int halfWindow() const { return smoothing_; }
  int sign() const { return sign_; }
  const Curve &curve() const { return curve_; }

  // Turns the curve over: the peaks of the other sign point up.
  void flip();

 private:
  Curve curve_;
  std::vector<double> raw_, smooth_;
  int smoothing_ = 0;  // half window, 0 when off
  int sign_ = 1;
  bool usable_ = false;
};
