#pragma once
// A curve to analyse: the currents of consecutive points (A), point i at the
// potential startPotential + i * step (V). The step is negative for a falling
// sweep. The values are only read.

#include <cstddef>

struct Curve {
  const double *values = nullptr;
  std::size_t count = 0;
  double startPotential = 0;  // V
  double step = 0;            // V per point
  // Sign of the peaks to look for: +1, -1, or 0 to tell it from the curve.
  // A differential pulse peak has the sign of the pulse amplitude.
  int peakSign = 0;

  double potentialAt(double index) const { return startPotential + index * step; }
  // The point nearest `potential`, limited to the curve (0 without a step).
  std::size_t nearestIndex(double potential) const;
};
