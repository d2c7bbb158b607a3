#include "analysis/curve.h"

#include <cmath>

std::size_t Curve::nearestIndex(double potential) const {
  if (count == 0 || step == 0) return 0;
  const double index = std::round((potential - startPotential) / step);
  if (!(index > 0)) return 0;  // also NaN
  if (index >= static_cast<double>(count - 1)) return count - 1;
  return static_cast<std::size_t>(index);
}
