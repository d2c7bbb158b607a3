#include "files/dpv_file.h"

#include <algorithm>

#include "core/numbers.h"
#include "core/text_io.h"
#include "graph/scaling.h"
#include "measurement/parameters.h"

namespace {

const QString kSetupHeader = QStringLiteral("[Setup]");
const QString kInfoHeader = QStringLiteral("[Info]");
const QString kDataHeader = QStringLiteral("[Data]");

// Setup keys whose value is a plain field text, in file order around the unit keys.
struct TextKey {
  const char *key;
  QString ParameterTexts::*field;
};

const TextKey kAxisKeys[] = {{"C min=", &ParameterTexts::currMin}, {"C max=", &ParameterTexts::currMax}};
const TextKey kParameterKeys[] = {{"P start=", &ParameterTexts::potStart},
                                  {"P end=", &ParameterTexts::potEnd},
                                  {"Sweep speed=", &ParameterTexts::sweep},
                                  {"Pulse amplitude=", &ParameterTexts::amplitude},
                                  {"Pulse period=", &ParameterTexts::period},
                                  {"Data accumulation=", &ParameterTexts::accumulation},
                                  {"Preelectrolysis time=", &ParameterTexts::preTime},
                                  {"Preelectrolysis potential=", &ParameterTexts::prePot}};

const QString kDateKey = QStringLiteral("Date time=");
const QString kCurrUnitKey = QStringLiteral("C units=");
const QString kDampingKey = QStringLiteral("Damping=");
const QString kDampingUnitKey = QStringLiteral("Damping units=");

// A value/ampere factor that never divides by zero.
double unitFactor(const MeasurementRecord &record) {
  return record.params.currUnitFactor != 0 ? record.params.currUnitFactor : 1.0;
}

bool isSectionHeader(const QString &line) {
  return line.size() >= 2 && line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
}

// Tests one [Setup] line against every key; a line may carry several.
void applySetupLine(const QString &line, MeasurementRecord &record) {
  const int eq = line.indexOf(QLatin1Char('='));
  if (eq < 0) return;
  const QString value = line.mid(eq + 1);
  ParameterTexts &texts = record.texts;
  if (line.contains(kDateKey)) record.document.runDateTime = value;
  for (const TextKey &k : kAxisKeys)
    if (line.contains(QLatin1String(k.key))) texts.*k.field = value;
  if (line.contains(kCurrUnitKey)) texts.selectCurrUnit(value);
  if (line.contains(kDampingKey)) texts.damping = value;
  if (line.contains(kDampingUnitKey)) texts.selectDampingUnit(value, false);
  for (const TextKey &k : kParameterKeys)
    if (line.contains(QLatin1String(k.key))) texts.*k.field = value;
}

void loadSetup(const QStringList &lines, MeasurementRecord &record) {
  const qsizetype start = lines.indexOf(kSetupHeader);
  if (start >= 0) {
    for (qsizetype i = start + 1; i < lines.size(); ++i) {
      applySetupLine(lines[i], record);
      if (isSectionHeader(lines[i])) break;
    }
  }
  // What the controls' change notifications do when the texts are put in.
  PrePotEditChange(record);
  PreTimeEditChange(record);
  XYFactors(record);
}

// Only a line that is exactly "[Data]" ends the description, so description
// lines holding "[" survive, and a last [Info] section loses no line.
void loadDescription(const QStringList &lines, MeasurementRecord &record) {
  record.document.description.clear();
  const qsizetype start = lines.indexOf(kInfoHeader);
  if (start < 0) return;
  for (qsizetype i = start + 1; i < lines.size() && lines[i] != kDataHeader; ++i) record.document.description.append(lines[i]);
}

// An absurd pulse number from a foreign file must not reserve gigabytes; the
// storage still grows to every value read.
constexpr int32_t kMaxReservedPoints = 10'000'000;

void loadPoints(const QStringList &lines, MeasurementRecord &record) {
  record.document.pointIndex = 0;
  record.resizePoints(std::min(record.params.pulseNumber, kMaxReservedPoints));
  const qsizetype start = lines.indexOf(kDataHeader);
  qsizetype end = lines.size();
  // Empty lines closing the section are no points; empty lines between
  // values are, so the point numbers stay aligned.
  while (end > start + 1 && lines[end - 1].trimmed().isEmpty()) --end;
  const qsizetype count = start < 0 ? 0 : end - start - 1;
  if (static_cast<size_t>(count) > record.document.points.size()) record.document.points.resize(static_cast<size_t>(count), 0.0);
  const double factor = unitFactor(record);
  // A value beyond the double range ("1e999") reads as 0, as a line that is
  // no number does: an infinite point would spoil the smoothing and every
  // view of the curve after it.
  for (qsizetype k = 0; k < count; ++k)
    record.document.points[static_cast<size_t>(k)] = readFiniteNumber(lines[start + 1 + k], 0.0) * factor;
  record.document.pointIndex = static_cast<int32_t>(count) - 1;
}

}  // namespace

QStringList dpvFileLines(const MeasurementRecord &record) {
  const ParameterTexts &t = record.texts;
  QStringList lines;
  const qsizetype pointLines = record.document.pointIndex > 0 ? record.document.pointIndex + 1 : 0;
  lines.reserve(17 + record.document.description.size() + pointLines);
  lines << kSetupHeader << kDateKey + record.document.runDateTime << QStringLiteral("C min=") + t.currMin
        << QStringLiteral("C max=") + t.currMax << kCurrUnitKey + t.currUnitText() << kDampingKey + t.damping
        << kDampingUnitKey + t.dampingUnitText();
  for (const TextKey &k : kParameterKeys) lines << QLatin1String(k.key) + t.*k.field;
  lines << kInfoHeader;
  lines += record.document.description;
  lines << kDataHeader;
  const double factor = unitFactor(record);
  const int decimals = record.params.currDigits + 2;
  for (qsizetype i = 0; i < pointLines; ++i) {
    const double value = static_cast<size_t>(i) < record.document.points.size() ? record.document.points[static_cast<size_t>(i)] : 0.0;
    lines << formatFixed(value / factor, decimals);
  }
  return lines;
}

QByteArray dpvFileBytes(const MeasurementRecord &record) { return encodeLines(dpvFileLines(record)); }

bool writeDpvFile(const QString &path, const MeasurementRecord &record, QString *error) {
  return writeFileAtomically(path, dpvFileBytes(record), error);
}

void loadDpvLines(const QStringList &lines, MeasurementRecord &record) {
  loadSetup(lines, record);
  loadDescription(lines, record);
  loadPoints(lines, record);
}

bool readDpvFile(const QString &path, MeasurementRecord &record, QString *error) {
  QStringList lines;
  if (!readTextFile(path, &lines, error)) return false;
  loadDpvLines(lines, record);
  return true;
}
