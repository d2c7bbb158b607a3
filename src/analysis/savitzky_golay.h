#pragma once
// Savitzky-Golay smoothing: each value becomes the centre value of the
// least-squares parabola through the 2m + 1 points around it. It keeps the
// position, height and area of a peak much wider than the window, unlike a
// moving average, which flattens the top.

#include <cstddef>

// Half window m for a window spanning `span` volts at `step` volts per point:
// at least 2 (5 points), at most what keeps the window within a quarter of
// the curve; 0 (no smoothing) for a span of 0 or a curve too short for it.
int smoothingHalfWindow(double span, double step, std::size_t count);

// Smooths `count` values into `out` (which must not alias `values`). Near the
// ends the window shrinks symmetrically, so the first and last values stay as
// they are. Runs in time independent of the window.
void smoothSavitzkyGolay(const double *values, std::size_t count, int halfWindow, double *out);
