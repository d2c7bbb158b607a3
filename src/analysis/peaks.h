#pragma once
// Peaks of a differential pulse curve: where they are, how high, how wide,
// and the baseline each is measured from. Either sign: an oxidation peak
// points up, a reduction peak down; height and area carry the sign.

#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/curve.h"

// One end of a peak's baseline: a point of the curve.
struct BaselineEnd {
  std::size_t index = 0;  // point of the curve
  double potential = 0;   // V
  double current = 0;     // A, the (smoothed) curve there
};

struct Peak {
  double potential = 0;      // V, of the top, between points
  double height = 0;         // A, top above the baseline; negative for a reduction peak
  double area = 0;           // A V, between curve and baseline, signed as the height
  double width = 0;          // V at half height; NaN when the curve does not come down to it
  double topCurrent = 0;     // A, the (smoothed) curve at the top
  std::size_t topIndex = 0;  // the point nearest the top
  BaselineEnd low, high;     // baseline ends, the lower potential first
};

// The peaks of `curve` in increasing potential. All peaks of one curve share
// a sign (curve.peakSign, or the sign the curve shows); fewer than 5 usable
// points give none.
std::vector<Peak> findPeaks(const Curve &curve, const AnalysisSettings &settings);

// A peak measured against the straight line between the curve at the points
// `fromIndex` and `toIndex` (either order, limited to the curve), as when the
// user moves a baseline end: the top is the point farthest above that line
// (below, for `sign` -1) between them. Nothing when fewer than two points lie
// between the ends or none lies on the peak's side of the line. Width and
// threshold limits do not apply: the user chose the ends.
std::optional<Peak> measurePeak(const Curve &curve, const AnalysisSettings &settings, int sign, std::size_t fromIndex,
                                std::size_t toIndex);
