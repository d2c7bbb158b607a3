#pragma once
// Measures one peak of a prepared curve against the straight baseline
// between two of its points. Everything in points (fractional indices) and
// in the prepared curve's sign, where the peak points up.

#include <cstddef>

#include "analysis/peaks.h"
#include "analysis/prepared_curve.h"

struct Measurement {
  std::size_t from = 0, to = 0;  // baseline ends, from < to
  double top = 0;                // between points
  double height = 0;             // above the baseline, > 0
  double halfLow = 0, halfHigh = 0;  // where the curve crosses half height; NaN when it does not
  double area = 0;               // between the raw points and the baseline, per point step
  double width() const { return halfHigh - halfLow; }
};

// The top is the point of the smoothed curve farthest above the line, moved
// to the vertex of the parabola through it and its neighbours; height and
// half-height crossings are read on the smoothed curve, which noise does not
// lift; the area is summed over the raw points (smoothing keeps areas). False
// when fewer than two points lie between the ends or none lies above the line.
bool measureBetween(const PreparedCurve &curve, std::size_t from, std::size_t to, Measurement *m);

// The peak in volts and amperes, with the curve's own sign.
Peak peakOf(const PreparedCurve &curve, const Measurement &m);
