#pragma once
// The first look at a curve: its tops and valleys that stand out of the noise.

#include <cstddef>
#include <vector>

struct Extreme {
  std::size_t index;
  bool top;  // a top, else a valley
};

// Tops and valleys of `s`, alternating, each one followed by a swing of more
// than `swing` the other way, except the last, which is where the curve ended
// up after the last swing. Wiggles smaller than `swing` are passed over, so a
// top must rise more than `swing` above the valleys on both sides of it.
std::vector<Extreme> alternatingExtremes(const double *s, std::size_t count, double swing);

// The sign of the peaks of `s`: +1 when its tops are sharper than its valleys
// (peaks are curved, the ground between them flat), else -1. Sharpness is the
// second difference over `lag` points; only extremes within from .. to count,
// and not those at the two ends of the list.
int sharperSide(const double *s, std::size_t count, const std::vector<Extreme> &extremes, std::size_t lag,
                std::size_t from, std::size_t to);
