#pragma once
// The text of the data text view: a header line and one TAB-separated row per
// point, with the columns the user switched on. Currents are smoothed as the
// graph draws them.

#include <QString>
#include <QStringList>

#include "core/measurement_record.h"

struct DataViewColumns {
  bool pointNumber = true;
  bool time = true;
  bool potential = true;
  bool current = true;
};

// The header; it keeps its trailing TAB when the current column is off.
QString dataViewHeader(const MeasurementRecord &record, const DataViewColumns &columns);

// Rows for points 0 .. pointIndex; "No data" alone when pointIndex is 0, and
// no rows when it is below 0.
QStringList dataViewRows(const MeasurementRecord &record, const DataViewColumns &columns);
