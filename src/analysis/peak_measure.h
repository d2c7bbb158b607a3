#pragma once
// Measures one peak of a prepared curve against the straight baseline
// between two of its points. Everything in points (fractional indices) and
// in the prepared curve's sign, where the peak points up.

#include <cstddef>

#include "analysis/peaks.h"
#include "analysis/prepared_curve.h"

struct Measurement {
  std::size_t from = 0, to = 0;      // baseline ends, from < to
  double top = 0;                    // between points
  double height = 0;                 // above the baseline, > 0
  double halfLow = 0, halfHigh = 0;  // where the curve crosses half height; NaN when it does not
  double area = 0;                   // between the raw points and the baseline, per point step
  double width() const { return halfHigh - halfLow; }
};

// The point of the smoothed curve farthest above the line from .. to, between them.
std::size_t farthestAbove(const PreparedCurve &curve, std::size_t from, std::size_t to);
// From `start`, up the smoothed curve above that line to the nearest point
// higher above it than its neighbours.
std::size_t climbAbove(const PreparedCurve &curve, std::size_t from, std::size_t to, std::size_t start);

// Measures the peak whose top is near the point `top` (from < top < to): its
// height from the parabola through that point and its neighbours, its
// position from the parabola fitted to the cap of the peak (the points above
// 3/4 of the height), its half-height crossings between points. All is read
// on the smoothed curve, which noise does not lift. The area is left 0. False
// when the top does not lie above the line.
bool measureAt(const PreparedCurve &curve, std::size_t from, std::size_t to, std::size_t top, Measurement *m);
// The area between the raw points and the line, summed by trapezoids
// (smoothing keeps areas, so the raw points serve), per point step.
double areaAbove(const PreparedCurve &curve, std::size_t from, std::size_t to);

// The peak in volts and amperes, with the curve's own sign.
Peak peakOf(const PreparedCurve &curve, const Measurement &m);
