#pragma once
// The text of the data text view: a header line and one TAB-separated row per
// point, with the columns the user switched on. Currents are smoothed as the
// graph draws them.

#include <QString>
#include <QStringList>
#include <vector>

#include "core/measurement_record.h"

struct DataViewColumns {
  bool pointNumber = true;
  bool time = true;
  bool potential = true;
  bool current = true;
};

// The header; it keeps its trailing TAB when the current column is off.
QString dataViewHeader(const MeasurementRecord &record, const DataViewColumns &columns);

// The rows as they stood when made, each formatted only when asked for, so a
// view of a million points formats only what it shows. The smoothed currents
// are worked out once, from the first point on.
class DataViewRows {
 public:
  DataViewRows() = default;
  DataViewRows(const MeasurementRecord &record, const DataViewColumns &columns);

  // Points 0 .. pointIndex; one row ("No data") when pointIndex is 0, none below.
  int count() const { return count_; }
  QString row(int index) const;

 private:
  int count_ = 0;
  bool noData_ = false;
  DataViewColumns columns_;
  double pulsePeriod_ = 0, sweepStart_ = 0, pulseStep_ = 0, unitFactor_ = 1;
  int currentDecimals_ = 1;
  std::vector<double> smoothed_;  // in amperes
};

// Every row, as the view shows them at first.
QStringList dataViewRows(const MeasurementRecord &record, const DataViewColumns &columns);
