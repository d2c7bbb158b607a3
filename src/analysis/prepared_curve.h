#pragma once
// The curve as the peak search and measurement read it: the values times the
// peak sign, so that the peaks looked for point up, points that are not
// finite bridged by straight lines, and a smoothed copy for the search. The
// caller's values are read in place when they need neither.

#include <cstddef>
#include <memory>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/curve.h"

class PreparedCurve {
 public:
  PreparedCurve(const Curve &curve, const AnalysisSettings &settings);

  // At least 5 finite points: enough for a top with two points on each side.
  bool usable() const { return usable_; }
  std::size_t size() const { return size_; }
  const double *raw() const { return raw_; }
  // The smoothed values; the raw ones when smoothing is off.
  const double *smooth() const { return smooth_ ? smooth_.get() : raw_; }
  int halfWindow() const { return smoothing_; }
  // The largest magnitude of the values.
  double largest() const { return largest_; }
  int sign() const { return sign_; }
  const Curve &curve() const { return curve_; }

  // Turns the curve over: the peaks of the other sign point up.
  void flip();

 private:
  Curve curve_;
  std::size_t size_ = 0;
  const double *raw_ = nullptr;
  std::vector<double> ownRaw_;  // when the values needed bridging or turning over
  std::unique_ptr<double[]> smooth_;
  int smoothing_ = 0;  // half window, 0 when off
  double largest_ = 0;
  int sign_ = 1;
  bool usable_ = false;
};
