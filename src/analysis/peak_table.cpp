#include "analysis/peak_table.h"

#include <cmath>

#include "core/numbers.h"

QStringList peakTableHeader(const PeakTableUnits &u) {
  return {QStringLiteral("Peak"), QStringLiteral("Potential [mV]"), QStringLiteral("Height [%1]").arg(u.currentUnit),
          QStringLiteral("Width [mV]"), QStringLiteral("Area [%1 V]").arg(u.currentUnit)};
}

QStringList peakTableRow(int number, const Peak &p, const PeakTableUnits &u) {
  const double factor = u.currentFactor > 0 ? u.currentFactor : 1;
  const QString width = std::isfinite(p.width) ? formatFixed(p.width * 1000, u.potentialDecimals) : QString();
  return {QString::number(number), formatFixed(p.potential * 1000, u.potentialDecimals),
          formatFixed(p.height / factor, u.currentDecimals), width, formatSignificant(p.area / factor, 4)};
}
