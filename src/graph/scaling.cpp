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
  const double span = r.axisPotEnd - r.axisPotStart;
  return span != 0 && std::isfinite(span) && std::isfinite(r.xFactor) && r.xFactor != 0;
}

void XYFactors(MeasurementRecord &r) {
  const double W = r.plotWidth;
  const double H = r.plotHeight;
  const double s = readNumber(r.texts.potStart) * 0.001;
  const double e = readNumber(r.texts.potEnd) * 0.001;
  if (!r.zoomed) r.sweepStart = s;
  if (s != e) {
    r.axisPotStart = s;
    r.axisPotEnd = e;
    r.xFactor = W / (e - s);
  }
  const double maxPot = std::max(std::fabs(r.axisPotStart), std::fabs(r.axisPotEnd));
  // Both ends still 0 (no distinct potentials read yet): no relative span to
  // take, and a wide one adds no decimals.
  const double potSpan = maxPot > 0 ? std::fabs(r.axisPotEnd - r.axisPotStart) / maxPot : 1;
  r.potDigits = decimalCount(maxPot * 1000, potSpan);
  r.maxAbsPotential = maxPot;

  r.axisCurrMin = 0;
  r.axisCurrMax = 1;
  const double a = readNumber(r.texts.currMin);
  const double b = readNumber(r.texts.currMax);
  if (a != b) {
    const int unit = r.texts.currUnitIndex;
    // With no unit selected the previous factor stays (amperes at first).
    if (unit >= 0 && unit < kCurrentUnitNames.size())
      r.currUnitFactor = kCurrentUnitFactors[unit];
    else if (r.currUnitFactor == 0)
      r.currUnitFactor = 1;
    r.axisCurrMin = a * r.currUnitFactor;
    r.axisCurrMax = b * r.currUnitFactor;
    r.yFactor = H / (r.axisCurrMax - r.axisCurrMin);
  } else {
    // The fallback range 0 .. 1 A gets its own scale, so nothing is drawn
    // with the scale of an earlier range.
    r.yFactor = H / (r.axisCurrMax - r.axisCurrMin);
    if (r.currUnitFactor == 0) r.currUnitFactor = 1;
  }
  const double maxCurr = std::max(std::fabs(r.axisCurrMin), std::fabs(r.axisCurrMax));
  r.currDigits = decimalCount(maxCurr / r.currUnitFactor, std::fabs(r.axisCurrMax - r.axisCurrMin) / maxCurr);
  r.maxAbsCurrent = maxCurr;
  SetParameters(r);
}
