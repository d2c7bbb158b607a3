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

QStringList dataViewRows(const MeasurementRecord &record, const DataViewColumns &columns) {
  if (record.document.pointIndex == 0) return {QStringLiteral("No data")};
  QStringList rows;
  if (record.document.pointIndex < 0) return rows;
  rows.reserve(record.document.pointIndex + 1);
  const double factor = record.params.currUnitFactor != 0 ? record.params.currUnitFactor : 1.0;
  const QChar tab = QLatin1Char('\t');
  double smoothed = 0;
  for (int32_t i = 0; i <= record.document.pointIndex; ++i) {
    const double value = static_cast<size_t>(i) < record.document.points.size() ? record.document.points[static_cast<size_t>(i)] : 0.0;
    smoothed = i == 0 ? value : smoothed * record.params.dampingFactor + value * record.params.dampingRest;
    QString row;
    if (columns.pointNumber) row += QString::number(i) + tab;
    if (columns.time) row += formatFixed(record.pointTime(i), 3) + tab;
    if (columns.potential) row += formatFixed(record.pointPotential(i), 4) + tab;
    if (columns.current) row += formatFixed(smoothed / factor, record.params.currDigits + 1);
    if (row.endsWith(tab)) row.chop(1);
    rows << row;
  }
  return rows;
}
