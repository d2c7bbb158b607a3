#include "files/text_export.h"

#include <charconv>
#include <vector>

#include "core/numbers.h"
#include "core/text_io.h"

namespace {

QStringList headerLines(const MeasurementRecord &record) {
  const ParameterTexts &t = record.texts;
  QStringList lines;
  lines << kTitle;
  lines += record.document.description;
  lines << QStringLiteral("Current: ") + t.currMin + QStringLiteral(" .. ") + t.currMax + QLatin1Char(' ') +
               t.currUnitText()
        << QStringLiteral("Damping: ") + t.damping + QLatin1Char(' ') + t.dampingUnitText()
        << QStringLiteral("Potential start: ") + t.potStart + QStringLiteral(" mV")
        << QStringLiteral("Potential end: ") + t.potEnd + QStringLiteral(" mV")
        << QStringLiteral("Sweep speed: ") + t.sweep + QStringLiteral(" mV/s")
        << QStringLiteral("Point\tPotential\tCurrent") << QStringLiteral("\tmV\tmV\t") + t.currUnitText();
  return lines;
}

constexpr size_t kChunk = 1 << 20;

}  // namespace

void writeTextExportBytes(const MeasurementRecord &record, const std::function<void(const char *, qsizetype)> &sink) {
  const QByteArray header = encodeLines(headerLines(record));
  sink(header.constData(), header.size());
  const int32_t rows = record.document.pointIndex > 0 ? record.document.pointIndex : 0;
  if (rows == 0) return;
  const double factor = record.params.currUnitFactor != 0 ? record.params.currUnitFactor : 1.0;
  const int potDecimals = record.params.potDigits + 1, currDecimals = record.params.currDigits + 1;
  const size_t room = 16 + maxFixedLength(potDecimals) + maxFixedLength(currDecimals);
  std::vector<char> chunk(kChunk + room);
  char *p = chunk.data();
  for (int32_t i = 0; i < rows; ++i) {
    if (p - chunk.data() >= static_cast<ptrdiff_t>(kChunk)) {
      sink(chunk.data(), p - chunk.data());
      p = chunk.data();
    }
    const double current =
        static_cast<size_t>(i) < record.document.points.size() ? record.document.points[static_cast<size_t>(i)] : 0.0;
    p = std::to_chars(p, p + 12, i).ptr;
    *p++ = '\t';
    p = writeFixed(p, record.pointPotential(i) * 1000.0, potDecimals);
    *p++ = '\t';
    p = writeFixed(p, current / factor, currDecimals);
    *p++ = '\r';
    *p++ = '\n';
  }
  sink(chunk.data(), p - chunk.data());
}

QStringList textExportLines(const MeasurementRecord &record) {
  QByteArray bytes;
  writeTextExportBytes(record, [&bytes](const char *data, qsizetype size) { bytes.append(data, size); });
  return splitLines(decodeText(bytes));
}

bool writeTextExport(const QString &path, const MeasurementRecord &record, QString *error) {
  AtomicFileWriter file(path);
  writeTextExportBytes(record, [&file](const char *data, qsizetype size) { file.write(data, size); });
  return file.commit(error);
}
