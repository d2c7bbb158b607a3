#include "files/data_view_text.h"

#include "core/numbers.h"

QString dataViewHeader(const MeasurementRecord &record, const DataViewColumns &columns) {
  QString header;
  if (columns.pointNumber) header += QStringLiteral("Point\t");
  if (columns.time) header += QStringLiteral("Time [s]\t");
  if (columns.potential) header += QStringLiteral("E [V]\t");
  if (columns.current) header += QStringLiteral("i [") + record.texts.currUnitText() + QLatin1Char(']');
  return header;
}

DataViewRows::DataViewRows(const MeasurementRecord &record, const DataViewColumns &columns)
    : columns_(columns),
      pulsePeriod_(record.params.pulsePeriod),
      sweepStart_(record.params.sweepStart),
      pulseStep_(record.params.pulseStep),
      unitFactor_(record.params.currUnitFactor != 0 ? record.params.currUnitFactor : 1.0),
      currentDecimals_(record.params.currDigits + 1) {
  if (record.document.pointIndex == 0) {
    count_ = 1;
    noData_ = true;
    return;
  }
  if (record.document.pointIndex < 0) return;
  count_ = record.document.pointIndex + 1;
  if (!columns.current) return;
  smoothed_.resize(static_cast<size_t>(count_));
  const size_t stored = record.document.points.size();
  double smoothed = 0;
  for (size_t i = 0; i < smoothed_.size(); ++i) {
    const double value = i < stored ? record.document.points[i] : 0.0;
    smoothed = i == 0 ? value : smoothed * record.params.dampingFactor + value * record.params.dampingRest;
    smoothed_[i] = smoothed;
  }
}

QString DataViewRows::row(int i) const {
  if (noData_) return QStringLiteral("No data");
  const QChar tab = QLatin1Char('\t');
  QString row;
  if (columns_.pointNumber) row += QString::number(i) + tab;
  if (columns_.time) row += formatFixed(i * pulsePeriod_, 3) + tab;
  if (columns_.potential) row += formatFixed(sweepStart_ + i * pulseStep_, 4) + tab;
  if (columns_.current) row += formatFixed(smoothed_[static_cast<size_t>(i)] / unitFactor_, currentDecimals_);
  if (row.endsWith(tab)) row.chop(1);
  return row;
}

QStringList dataViewRows(const MeasurementRecord &record, const DataViewColumns &columns) {
  const DataViewRows rows(record, columns);
  QStringList all;
  all.reserve(rows.count());
  for (int i = 0; i < rows.count(); ++i) all << rows.row(i);
  return all;
}
