#pragma once
// Between potentials/currents and pixels of the plot area, with the factors
// of the last rescaling. Column 0 is the left edge, row plotHeight the bottom.

#include <cmath>

#include "core/measurement_record.h"
#include "graph/scaling.h"

// Unrounded column of potential E (V).
inline double columnOf(const MeasurementRecord &r, double potential) {
  return (potential - r.params.axisPotStart) * r.params.xFactor;
}

// Unrounded height above the bottom edge of current I (A).
inline double heightOf(const MeasurementRecord &r, double current) {
  return (current - r.params.axisCurrMin) * r.params.yFactor;
}

// Potential (V) of pixel column x; only with a usable scale (plotHasScale).
inline double potentialAtColumn(const MeasurementRecord &r, double x) {
  return x / r.params.xFactor + r.params.axisPotStart;
}

// Current (A) of pixel row y; only with a usable scale (plotHasScale).
inline double currentAtRow(const MeasurementRecord &r, double y) {
  return (r.view.plotHeight - y) / r.params.yFactor + r.params.axisCurrMin;
}

// True when the plot has an area and both axes a span, so the grid, the
// curve and the pixel readouts can be computed. A minimised window or no
// distinct potentials read yet leave only background and outline.
inline bool plotHasScale(const MeasurementRecord &r) {
  return r.view.plotWidth > 0 && r.view.plotHeight > 0 && hasPotentialSpan(r) && r.params.yFactor != 0 &&
         std::isfinite(r.params.yFactor);
}
