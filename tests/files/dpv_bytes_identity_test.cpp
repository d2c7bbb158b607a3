// The .dpv reader and writer on bytes against a plain version of the same
// rules on decoded lines (one QString per line, QString::number for the
// values): the record read and the bytes written must be the same, for the
// shipped examples, written files and damaged ones.
#include <gtest/gtest.h>

#include <QDir>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <cmath>
#include <cstring>

#include "core/numbers.h"
#include "core/text_io.h"
#include "damaged_files.h"
#include "files/dpv_file.h"
#include "files/text_export.h"
#include "files_test_support.h"
#include "graph/scaling.h"
#include "measurement/parameters.h"

namespace {

// --- the plain version -----------------------------------------------------

QString plainDecode(QByteArray data) {
  if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(data);
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(data);
}

QStringList plainSplit(const QString &text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QString &line : lines)
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  return lines;
}

QString plainFixed(double value, int decimals) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  QString s = QString::number(value, 'f', decimals);
  if (s.startsWith(QLatin1Char('-'))) {
    bool allZero = true;
    for (int i = 1; i < s.size() && allZero; ++i)
      if (s[i] != QLatin1Char('0') && s[i] != QLatin1Char('.')) allZero = false;
    if (allZero) s.remove(0, 1);
  }
  return s;
}

double plainFactor(const MeasurementRecord &r) { return r.params.currUnitFactor != 0 ? r.params.currUnitFactor : 1.0; }

void plainSetupLine(const QString &line, MeasurementRecord &r) {
  const int eq = line.indexOf(QLatin1Char('='));
  if (eq < 0) return;
  const QString value = line.mid(eq + 1);
  ParameterTexts &t = r.texts;
  if (line.contains("Date time=")) r.document.runDateTime = value;
  if (line.contains("C min=")) t.currMin = value;
  if (line.contains("C max=")) t.currMax = value;
  if (line.contains("C units=")) t.selectCurrUnit(value);
  if (line.contains("Damping=")) t.damping = value;
  if (line.contains("Damping units=")) t.selectDampingUnit(value, false);
  if (line.contains("P start=")) t.potStart = value;
  if (line.contains("P end=")) t.potEnd = value;
  if (line.contains("Sweep speed=")) t.sweep = value;
  if (line.contains("Pulse amplitude=")) t.amplitude = value;
  if (line.contains("Pulse period=")) t.period = value;
  if (line.contains("Data accumulation=")) t.accumulation = value;
  if (line.contains("Preelectrolysis time=")) t.preTime = value;
  if (line.contains("Preelectrolysis potential=")) t.prePot = value;
}

void plainLoad(const QByteArray &bytes, MeasurementRecord &r) {
  const QStringList lines = plainSplit(plainDecode(bytes));
  const qsizetype setup = lines.indexOf("[Setup]");
  if (setup >= 0) {
    for (qsizetype i = setup + 1; i < lines.size(); ++i) {
      plainSetupLine(lines[i], r);
      const QString &l = lines[i];
      if (l.size() >= 2 && l.startsWith('[') && l.endsWith(']')) break;
    }
  }
  PrePotEditChange(r);
  PreTimeEditChange(r);
  XYFactors(r);
  r.document.description.clear();
  const qsizetype info = lines.indexOf("[Info]");
  if (info >= 0)
    for (qsizetype i = info + 1; i < lines.size() && lines[i] != "[Data]"; ++i) r.document.description.append(lines[i]);
  r.document.pointIndex = 0;
  r.resizePoints(std::min(r.params.pulseNumber, 10'000'000));
  const qsizetype start = lines.indexOf("[Data]");
  qsizetype end = lines.size();
  while (end > start + 1 && lines[end - 1].trimmed().isEmpty()) --end;
  const qsizetype count = start < 0 ? 0 : end - start - 1;
  if (static_cast<size_t>(count) > r.document.points.size()) r.document.points.resize(static_cast<size_t>(count), 0.0);
  for (qsizetype k = 0; k < count; ++k)
    r.document.points[static_cast<size_t>(k)] = readFiniteNumber(lines[start + 1 + k], 0.0) * plainFactor(r);
  r.document.pointIndex = static_cast<int32_t>(count) - 1;
}

QByteArray plainFileBytes(const MeasurementRecord &r) {
  const ParameterTexts &t = r.texts;
  QStringList lines;
  lines << "[Setup]"
        << "Date time=" + r.document.runDateTime << "C min=" + t.currMin << "C max=" + t.currMax
        << "C units=" + t.currUnitText() << "Damping=" + t.damping << "Damping units=" + t.dampingUnitText()
        << "P start=" + t.potStart << "P end=" + t.potEnd << "Sweep speed=" + t.sweep
        << "Pulse amplitude=" + t.amplitude << "Pulse period=" + t.period << "Data accumulation=" + t.accumulation
        << "Preelectrolysis time=" + t.preTime << "Preelectrolysis potential=" + t.prePot << "[Info]";
  lines += r.document.description;
  lines << "[Data]";
  const qsizetype pointLines = r.document.pointIndex > 0 ? r.document.pointIndex + 1 : 0;
  for (qsizetype i = 0; i < pointLines; ++i) {
    const double value =
        static_cast<size_t>(i) < r.document.points.size() ? r.document.points[static_cast<size_t>(i)] : 0.0;
    lines << plainFixed(value / plainFactor(r), r.params.currDigits + 2);
  }
  QByteArray out;
  for (const QString &line : lines) out += line.toUtf8() + "\r\n";
  return out;
}

QByteArray plainExportBytes(const MeasurementRecord &r) {
  const ParameterTexts &t = r.texts;
  QStringList lines{kTitle};
  lines += r.document.description;
  lines << "Current: " + t.currMin + " .. " + t.currMax + " " + t.currUnitText()
        << "Damping: " + t.damping + " " + t.dampingUnitText() << "Potential start: " + t.potStart + " mV"
        << "Potential end: " + t.potEnd + " mV"
        << "Sweep speed: " + t.sweep + " mV/s"
        << "Point\tPotential\tCurrent"
        << "\tmV\tmV\t" + t.currUnitText();
  for (int32_t i = 0; i < (r.document.pointIndex > 0 ? r.document.pointIndex : 0); ++i) {
    const double current =
        static_cast<size_t>(i) < r.document.points.size() ? r.document.points[static_cast<size_t>(i)] : 0.0;
    lines << QString::number(i) + "\t" + plainFixed(r.pointPotential(i) * 1000.0, r.params.potDigits + 1) + "\t" +
                 plainFixed(current / plainFactor(r), r.params.currDigits + 1);
  }
  QByteArray out;
  for (const QString &line : lines) out += line.toUtf8() + "\r\n";
  return out;
}

// --- the comparison ---------------------------------------------------------

QByteArray exportBytes(const MeasurementRecord &r) {
  QByteArray out;
  writeTextExportBytes(r, [&out](const char *data, qsizetype size) { out.append(data, size); });
  return out;
}

void expectSameTexts(const ParameterTexts &a, const ParameterTexts &b) {
  EXPECT_EQ(a.currMin, b.currMin);
  EXPECT_EQ(a.currMax, b.currMax);
  EXPECT_EQ(a.currUnitIndex, b.currUnitIndex);
  EXPECT_EQ(a.damping, b.damping);
  EXPECT_EQ(a.dampingUnitIndex, b.dampingUnitIndex);
  EXPECT_EQ(a.potStart, b.potStart);
  EXPECT_EQ(a.potEnd, b.potEnd);
  EXPECT_EQ(a.sweep, b.sweep);
  EXPECT_EQ(a.amplitude, b.amplitude);
  EXPECT_EQ(a.period, b.period);
  EXPECT_EQ(a.accumulation, b.accumulation);
  EXPECT_EQ(a.preTime, b.preTime);
  EXPECT_EQ(a.prePot, b.prePot);
}

// Loads `file` both ways into copies of `start` and compares all they set,
// the points bit for bit, then what each writes.
void expectSameLoad(const QByteArray &file, const MeasurementRecord &start = sampleRecord()) {
  SCOPED_TRACE(file.left(200).toHex().toStdString());
  MeasurementRecord fast = start, plain = start;
  loadDpvBytes(file, fast);
  plainLoad(file, plain);
  expectSameTexts(fast.texts, plain.texts);
  EXPECT_EQ(fast.document.runDateTime, plain.document.runDateTime);
  EXPECT_EQ(fast.document.description, plain.document.description);
  EXPECT_EQ(fast.document.pointIndex, plain.document.pointIndex);
  EXPECT_EQ(fast.params.pulseNumber, plain.params.pulseNumber);
  ASSERT_EQ(fast.document.points.size(), plain.document.points.size());
  EXPECT_EQ(std::memcmp(fast.document.points.data(), plain.document.points.data(),
                        fast.document.points.size() * sizeof(double)),
            0);
  EXPECT_EQ(dpvFileBytes(fast), plainFileBytes(plain));
  EXPECT_EQ(exportBytes(fast), plainExportBytes(plain));
}

// A measured-looking record of `count` points with values of every size.
MeasurementRecord valuesRecord(int count, uint32_t seed) {
  MeasurementRecord r = sampleRecord();
  r.document.description = {"Cell A", QString::fromUtf8("0,1 M KCl \xC2\xB5m"), ""};
  r.document.runDateTime = "9.12.2026 10:15:00";
  QRandomGenerator random(seed);
  r.resizePoints(count);
  for (int i = 0; i < count; ++i) {
    const double scale = std::pow(10.0, random.bounded(-16, 2));
    r.document.points[i] = (random.generateDouble() - 0.5) * scale;
    if (i % 17 == 0)
      r.document.points[i] = std::ldexp(static_cast<double>(random.bounded(-4000, 4000)) + 0.5, -7) * 1e-6;
  }
  r.document.pointIndex = count - 1;
  return r;
}

}  // namespace

TEST(DpvBytesIdentity, ShippedExamples) {
  const QDir examples(QStringLiteral(DPV_EXAMPLES_DIR));
  const QStringList names = examples.entryList({"*.dpv"});
  ASSERT_FALSE(names.isEmpty());
  for (const QString &name : names) expectSameLoad(readBytes(examples.filePath(name)));
}

TEST(DpvBytesIdentity, WrittenFilesOfEveryDecimalCount) {
  for (int unit = 0; unit < 5; ++unit) {
    for (const char *axis : {"1", "100", "0.01", "5000"}) {
      MeasurementRecord r = valuesRecord(3000, 7 + unit);
      r.texts.currUnitIndex = unit;
      r.texts.currMin = QString("-") + axis;
      r.texts.currMax = axis;
      XYFactors(r);
      const QByteArray file = dpvFileBytes(r);
      EXPECT_EQ(file, plainFileBytes(r));
      EXPECT_EQ(exportBytes(r), plainExportBytes(r));
      expectSameLoad(file);
    }
  }
}

TEST(DpvBytesIdentity, HalfwayValuesRoundAwayFromZero) {
  MeasurementRecord r = sampleRecord();
  r.params.currDigits = 0;  // two decimals in the file
  r.resizePoints(8);
  const double halves[] = {0.125, -0.125, 0.375, 2.5e-2, 9.995, -9.995, 99.995, 0.005};
  for (int i = 0; i < 8; ++i) r.document.points[i] = halves[i] * r.params.currUnitFactor;
  r.document.pointIndex = 7;
  EXPECT_EQ(dpvFileBytes(r), plainFileBytes(r));
  EXPECT_TRUE(dpvFileBytes(r).contains("\r\n0.13\r\n-0.13\r\n0.38\r\n"));
}

TEST(DpvBytesIdentity, TextPartsInLatin1AndUtf8) {
  const QByteArray setup = "[Setup]\r\nC min=-5\r\nC max=5\r\nC units=nA\r\nP start=-100\r\nP end=100\r\n";
  const QByteArray data = "[Data]\r\n1.5\r\n -2e1\r\n+3.\r\n.5e-1x\r\n\r\n4\r\n  \r\n\t\r\n";
  expectSameLoad(setup + "[Info]\r\ncaf\xC3\xA9 \xE2\x82\xAC\r\n" + data);
  expectSameLoad(setup + "[Info]\r\ncaf\xE9\r\n" + data);              // Latin-1
  expectSameLoad(setup + "[Info]\r\nok\r\n" + data + "\xE9\r\n");      // Latin-1 in the values
  expectSameLoad("\xEF\xBB\xBF" + setup + "[Info]\r\nx\r\n" + data);   // byte order mark
  expectSameLoad("\xEF\xBB\xBF\xEF\xBB\xBF" + setup + data);           // two marks
  expectSameLoad("\xEF\xBB\xBF\xEF\xBB\xBF" + setup + data + "\xFF");  // two marks, Latin-1
  expectSameLoad(setup + "[Info]\r\n\xEF\xBB\xBFmark\r\n" + data + "\xC2\xA0\r\n\xC2\x85\r\n");
  expectSameLoad(setup + "[Info]\r\nlatin\r\n" + data + "\xA0\r\n\x85\n\r\n\xE9");
  expectSameLoad(setup + "Damping=3\nDamping units=ms\n[Info]\nLF only\n[Data]\n1\n2\n3");
  expectSameLoad("[Data]\r\n1\r\n2\r\n[Setup]\r\nC units=pA\r\nC min=0\r\nC max=9\r\n");
  expectSameLoad("[Info]\r\nonly a description\r\n[Setup]\r\n");
  expectSameLoad(setup + "[Data]");
  expectSameLoad(setup + "[Data]\r\n");
  expectSameLoad("");
  expectSameLoad("\r\n\n\r");
}

TEST(DpvBytesIdentity, DamagedFiles) {
  QRandomGenerator random(16);
  for (int round = 0; round < 3000; ++round) {
    const QByteArray file = randomDamagedFile(random);
    MeasurementRecord start = sampleRecord();
    start.resizePoints(5);
    start.document.points = {1, 2, 3, 4, 5};  // kept where the file has fewer values
    expectSameLoad(file, start);
    if (HasFailure()) break;
  }
}

TEST(DpvBytesIdentity, MillionPointRoundTrip) {
  const MeasurementRecord r = valuesRecord(1'000'000, 99);
  const QByteArray file = dpvFileBytes(r);
  ASSERT_EQ(file, plainFileBytes(r));
  MeasurementRecord opened = sampleRecord();
  loadDpvBytes(file, opened);
  EXPECT_EQ(opened.document.pointIndex, r.document.pointIndex);
  EXPECT_EQ(dpvFileBytes(opened), plainFileBytes(opened));
}
