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
// The headers are ASCII, so a line is one exactly when its bytes are.
constexpr QByteArrayView kSetupBytes("[Setup]");
constexpr QByteArrayView kInfoBytes("[Info]");
constexpr QByteArrayView kDataBytes("[Data]");

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

bool isSectionHeader(QByteArrayView line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

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

// The lines after the first line equal to `header`; false when there is none.
bool linesAfter(const TextBytes &text, QByteArrayView header, TextBytes::Lines *after) {
  TextBytes::Lines lines = text.lines();
  QByteArrayView line;
  while (lines.next(&line))
    if (line == header) {
      *after = lines;
      return true;
    }
  return false;
}

void loadSetup(const TextBytes &text, MeasurementRecord &record) {
  TextBytes::Lines lines = text.lines();
  if (linesAfter(text, kSetupBytes, &lines)) {
    QByteArrayView line;
    while (lines.next(&line)) {
      // Only a line with "=" can carry a key.
      if (line.contains('=')) applySetupLine(text.decode(line), record);
      if (isSectionHeader(line)) break;
    }
  }
  // What the controls' change notifications do when the texts are put in.
  PrePotEditChange(record);
  PreTimeEditChange(record);
  XYFactors(record);
}

// Only a line that is exactly "[Data]" ends the description, so description
// lines holding "[" survive, and a last [Info] section loses no line.
void loadDescription(const TextBytes &text, MeasurementRecord &record) {
  record.document.description.clear();
  TextBytes::Lines lines = text.lines();
  if (!linesAfter(text, kInfoBytes, &lines)) return;
  QByteArrayView line;
  while (lines.next(&line) && line != kDataBytes) record.document.description.append(text.decode(line));
}

// An absurd pulse number from a foreign file must not reserve gigabytes; the
// storage still grows to every value read.
constexpr int32_t kMaxReservedPoints = 10'000'000;

// The end of the [Data] values that start at `first`: empty lines closing the
// section are no points; empty lines between values are, so the point
// numbers stay aligned.
const char *valuesEnd(const TextBytes &text, const char *first) {
  const char *end = text.body().data() + text.body().size();
  while (end != first) {
    // The last line before `end`, its line end included.
    const char *lineEnd = end;
    if (lineEnd[-1] == '\n') --lineEnd;
    const char *lineStart = lineEnd;
    while (lineStart != first && lineStart[-1] != '\n') --lineStart;
    QByteArrayView line(lineStart, lineEnd - lineStart);
    if (line.endsWith('\r')) line.chop(1);
    if (!text.decode(line).trimmed().isEmpty()) break;
    end = lineStart;
  }
  return end;
}

void loadPoints(const TextBytes &text, MeasurementRecord &record) {
  record.document.pointIndex = 0;
  record.resizePoints(std::min(record.params.pulseNumber, kMaxReservedPoints));
  TextBytes::Lines lines = text.lines();
  if (!linesAfter(text, kDataBytes, &lines)) {
    record.document.pointIndex = -1;
    return;
  }
  const char *first = lines.position();
  const char *end = valuesEnd(text, first);
  const QByteArrayView values(first, end - first);
  const qsizetype count = values.count('\n') + (values.isEmpty() || values.back() == '\n' ? 0 : 1);
  if (static_cast<size_t>(count) > record.document.points.size())
    record.document.points.resize(static_cast<size_t>(count), 0.0);
  const double factor = unitFactor(record);
  double *points = record.document.points.data();
  TextBytes::Lines valueLines(values);
  QByteArrayView line;
  // A value beyond the double range ("1e999") reads as 0, as a line that is
  // no number does: an infinite point would spoil the smoothing and every
  // view of the curve after it.
  for (qsizetype k = 0; valueLines.next(&line); ++k)
    points[k] = readFiniteNumber(line.data(), line.data() + line.size(), 0.0) * factor;
  record.document.pointIndex = static_cast<int32_t>(count) - 1;
}

// The [Data] lines: the currents in the display unit, one buffer for all.
void appendValues(const MeasurementRecord &record, QByteArray &out) {
  const qsizetype pointLines = record.document.pointIndex > 0 ? record.document.pointIndex + 1 : 0;
  if (pointLines == 0) return;
  const double factor = unitFactor(record);
  const int decimals = record.params.currDigits + 2;
  const qsizetype room = maxFixedLength(decimals) + 2;
  qsizetype used = out.size();
  out.resize(used + pointLines * (decimals + 8) + room);
  for (qsizetype i = 0; i < pointLines; ++i) {
    if (out.size() - used < room) out.resize(out.size() + out.size() / 2 + room);
    const double value =
        static_cast<size_t>(i) < record.document.points.size() ? record.document.points[static_cast<size_t>(i)] : 0.0;
    char *p = writeFixed(out.data() + used, value / factor, decimals);
    *p++ = '\r';
    *p++ = '\n';
    used = p - out.constData();
  }
  out.resize(used);
}

}  // namespace

QByteArray dpvFileBytes(const MeasurementRecord &record) {
  const ParameterTexts &t = record.texts;
  QStringList lines;
  lines.reserve(17 + record.document.description.size());
  lines << kSetupHeader << kDateKey + record.document.runDateTime << QStringLiteral("C min=") + t.currMin
        << QStringLiteral("C max=") + t.currMax << kCurrUnitKey + t.currUnitText() << kDampingKey + t.damping
        << kDampingUnitKey + t.dampingUnitText();
  for (const TextKey &k : kParameterKeys) lines << QLatin1String(k.key) + t.*k.field;
  lines << kInfoHeader;
  lines += record.document.description;
  lines << kDataHeader;
  QByteArray out = encodeLines(lines);
  appendValues(record, out);
  return out;
}

QStringList dpvFileLines(const MeasurementRecord &record) { return splitLines(decodeText(dpvFileBytes(record))); }

bool writeDpvFile(const QString &path, const MeasurementRecord &record, QString *error) {
  return writeFileAtomically(path, dpvFileBytes(record), error);
}

void loadDpvBytes(QByteArrayView bytes, MeasurementRecord &record) {
  const TextBytes text(bytes);
  loadSetup(text, record);
  loadDescription(text, record);
  loadPoints(text, record);
}

void loadDpvLines(const QStringList &lines, MeasurementRecord &record) { loadDpvBytes(encodeLines(lines), record); }

bool readDpvFile(const QString &path, MeasurementRecord &record, QString *error) {
  QByteArray bytes;
  if (!readFileBytes(path, &bytes, error)) return false;
  loadDpvBytes(bytes, record);
  return true;
}
