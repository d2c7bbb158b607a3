#include "files/text_export.h"

#include "core/numbers.h"
#include "core/text_io.h"

QStringList textExportLines(const MeasurementRecord &record) {
  const ParameterTexts &t = record.texts;
  const QString tab = QStringLiteral("\t");
  QStringList lines;
  const qsizetype rows = record.document.pointIndex > 0 ? record.document.pointIndex : 0;
  lines.reserve(8 + record.document.description.size() + rows);
  lines << kTitle;
  lines += record.document.description;
  lines << QStringLiteral("Current: ") + t.currMin + QStringLiteral(" .. ") + t.currMax + QLatin1Char(' ') +
               t.currUnitText()
        << QStringLiteral("Damping: ") + t.damping + QLatin1Char(' ') + t.dampingUnitText()
        << QStringLiteral("Potential start: ") + t.potStart + QStringLiteral(" mV")
        << QStringLiteral("Potential end: ") + t.potEnd + QStringLiteral(" mV")
        << QStringLiteral("Sweep speed: ") + t.sweep + QStringLiteral(" mV/s")
        << QStringLiteral("Point\tPotential\tCurrent") << QStringLiteral("\tmV\tmV\t") + t.currUnitText();
  const double factor = record.params.currUnitFactor != 0 ? record.params.currUnitFactor : 1.0;
  for (int32_t i = 0; i < rows; ++i) {
    const double current = static_cast<size_t>(i) < record.document.points.size() ? record.document.points[static_cast<size_t>(i)] : 0.0;
    lines << QString::number(i) + tab + formatFixed(record.pointPotential(i) * 1000.0, record.params.potDigits + 1) + tab +
                 formatFixed(current / factor, record.params.currDigits + 1);
  }
  return lines;
}

bool writeTextExport(const QString &path, const MeasurementRecord &record, QString *error) {
  return writeFileAtomically(path, encodeLines(textExportLines(record)), error);
}
