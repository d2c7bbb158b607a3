#include "graph/scaling.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "measurement/parameters.h"

uint8_t decimalCount(double m, double r) {
  int d = 3;
  if (m > 10) {
    do {
      m /= 10;
      --d;
    } while (m > 10 && d != 0);
  }
  if (!(m > 1)) {
    do {
      m *= 10;
      ++d;
    } while (!(m > 1) && d < 6);
  }
  if (r < 0.1) {
    do {
      r *= 10;
      ++d;
    } while (r < 0.1 && d < 5);
  }
  return static_cast<uint8_t>(d);
}

double gridStep(double lo, double hi) {
  double a = std::fabs(hi - lo);
  double s = 1;
  while (a < 10) {
    a *= 10;
    s *= 10;
  }
  while (a >= 100) {
    a /= 10;
    s /= 10;
  }
  double step = 1 / s;
  if (a >= 20) step = 2 / s;
  if (a >= 50) step = 5 / s;
  if (lo > hi) step = -step;
  return step;
}

bool hasPotentialSpan(const MeasurementRecord &r) {
  const double span = r.params.axisPotEnd - r.params.axisPotStart;
  return span != 0 && std::isfinite(span) && std::isfinite(r.params.xFactor) && r.params.xFactor != 0;
}

void XYFactors(MeasurementRecord &r) {
  const double W = r.view.plotWidth;
  const double H = r.view.plotHeight;
  const double s = readNumber(r.texts.potStart) * 0.001;
  const double e = readNumber(r.texts.potEnd) * 0.001;
  if (!r.zoomed()) r.params.sweepStart = s;
  if (s != e) {
    r.params.axisPotStart = s;
    r.params.axisPotEnd = e;
    r.params.xFactor = W / (e - s);
  }
  const double maxPot = std::max(std::fabs(r.params.axisPotStart), std::fabs(r.params.axisPotEnd));
  // Both ends still 0 (no distinct potentials read yet): no relative span to
  // take, and a wide one adds no decimals.
  const double potSpan = maxPot > 0 ? std::fabs(r.params.axisPotEnd - r.params.axisPotStart) / maxPot : 1;
  r.params.potDigits = decimalCount(maxPot * 1000, potSpan);
  r.params.maxAbsPotential = maxPot;

  r.params.axisCurrMin = 0;
  r.params.axisCurrMax = 1;
  const double a = readNumber(r.texts.currMin);
  const double b = readNumber(r.texts.currMax);
  if (a != b) {
    const int unit = r.texts.currUnitIndex;
    // With no unit selected the previous factor stays (amperes at first).
    if (unit >= 0 && unit < kCurrentUnitNames.size())
      r.params.currUnitFactor = kCurrentUnitFactors[unit];
    else if (r.params.currUnitFactor == 0)
      r.params.currUnitFactor = 1;
    r.params.axisCurrMin = a * r.params.currUnitFactor;
    r.params.axisCurrMax = b * r.params.currUnitFactor;
    r.params.yFactor = H / (r.params.axisCurrMax - r.params.axisCurrMin);
  } else {
    // The fallback range 0 .. 1 A gets its own scale, so nothing is drawn
    // with the scale of an earlier range.
    r.params.yFactor = H / (r.params.axisCurrMax - r.params.axisCurrMin);
    if (r.params.currUnitFactor == 0) r.params.currUnitFactor = 1;
  }
  const double maxCurr = std::max(std::fabs(r.params.axisCurrMin), std::fabs(r.params.axisCurrMax));
  r.params.currDigits =
      decimalCount(maxCurr / r.params.currUnitFactor, std::fabs(r.params.axisCurrMax - r.params.axisCurrMin) / maxCurr);
  r.params.maxAbsCurrent = maxCurr;
  SetParameters(r);
}
