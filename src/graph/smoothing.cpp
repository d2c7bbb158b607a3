#include "graph/smoothing.h"

#include <cmath>

#include "core/numbers.h"

double dampingWeight(double d, int unitIndex, double t) {
  double k = d;
  if (unitIndex == 0) {
    k = d / 100;
  } else if (unitIndex == 1) {
    if (d > 0) k = std::exp(-1000 * t / d);
  } else if (unitIndex == 2) {
    if (d > 0) k = std::exp(-t / d);
  }
  // "!(k >= 0)" also catches NaN.
  if (!(k >= 0)) return 0;
  if (k > 1) return 1;
  return k;
}

void computeDampingWeights(MeasurementRecord &r) {
  r.params.dampingFactor = dampingWeight(readNumber(r.texts.damping), r.texts.dampingUnitIndex, r.params.pulsePeriod);
  r.params.dampingRest = 1 - r.params.dampingFactor;
}
