#pragma once
// The peak table as the window and the report show it: one row per peak with
// its number, potential, height, width and area, in the graph's units.

#include <QString>
#include <QStringList>

#include "analysis/peaks.h"

struct PeakTableUnits {
  QString currentUnit = QStringLiteral("A");
  double currentFactor = 1;  // amperes per unit
  int potentialDecimals = 2, currentDecimals = 3;
};

// "Peak", "Potential [mV]", "Height [uA]", "Width [mV]", "Area [uA V]".
QStringList peakTableHeader(const PeakTableUnits &units);
// The texts of peak `number` (from 1); a width the curve does not come down to is empty.
QStringList peakTableRow(int number, const Peak &peak, const PeakTableUnits &units);

// The report shows the first four columns: number, potential, height, width.
inline constexpr int kReportPeakColumns = 4;
