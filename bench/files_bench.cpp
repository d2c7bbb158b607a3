// Saving, opening, exporting and viewing a measurement of 1,000,000 points,
// each against the way it was done before (one QString per line).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cmath>

#include "core/numbers.h"
#include "core/text_io.h"
#include "files/data_view_text.h"
#include "files/dpv_file.h"
#include "files/file_operations.h"
#include "files/text_export.h"
#include "graph/scaling.h"
#include "measurement/parameters.h"

namespace {

constexpr int32_t kPoints = 1'000'000;

// -500 .. 500 mV at 10 mV/s and 0.1 ms: exactly 1,000,000 points.
MeasurementRecord bigRecord() {
  MeasurementRecord r;
  ParameterTexts &t = r.texts;
  t.currMin = "-100";
  t.currMax = "100";
  t.currUnitIndex = 1;
  t.damping = "0";
  t.dampingUnitIndex = 0;
  t.potStart = "-500";
  t.potEnd = "500";
  t.sweep = "10";
  t.amplitude = "50";
  t.period = "0.1";
  t.accumulation = "10";
  t.preTime = "0";
  t.prePot = "0";
  XYFactors(r);
  r.resizePoints(kPoints);
  for (int32_t i = 0; i < kPoints; ++i) r.document.points[i] = 80e-9 * std::sin(i * 1e-4) - 1.234567e-9;
  r.document.pointIndex = kPoints - 1;
  return r;
}

// The former writer's way: a QString per value from QString::number, the
// lines converted to UTF-8 one by one.
QString formerFixed(double value, int decimals) {
  QString s = QString::number(value, 'f', decimals);
  if (s.startsWith(QLatin1Char('-'))) {
    bool allZero = true;
    for (int i = 1; i < s.size() && allZero; ++i)
      if (s[i] != QLatin1Char('0') && s[i] != QLatin1Char('.')) allZero = false;
    if (allZero) s.remove(0, 1);
  }
  return s;
}

QByteArray formerFileBytes(const MeasurementRecord &r) {
  MeasurementRecord head;
  head.texts = r.texts;
  head.document.description = r.document.description;
  head.document.runDateTime = r.document.runDateTime;
  QStringList lines = dpvFileLines(head);
  for (int32_t i = 0; i <= r.document.pointIndex; ++i)
    lines << formerFixed(r.document.points[i] / r.params.currUnitFactor, r.params.currDigits + 2);
  return encodeLines(lines);
}

void BM_Save1M(benchmark::State &state) {
  QTemporaryDir dir;
  MeasurementRecord r = bigRecord();
  const QString path = dir.filePath("big.dpv");
  for (auto _ : state) {
    QString error;
    if (!saveMeasurementFile(r, path, &error)) state.SkipWithError(error.toStdString().c_str());
  }
}

void BM_Save1MFormer(benchmark::State &state) {
  QTemporaryDir dir;
  MeasurementRecord r = bigRecord();
  const QString path = dir.filePath("big.dpv");
  for (auto _ : state) {
    QString error;
    if (!writeFileAtomically(path, formerFileBytes(r), &error)) state.SkipWithError(error.toStdString().c_str());
  }
}

void BM_Open1M(benchmark::State &state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("big.dpv");
  MeasurementRecord saved = bigRecord();
  saveMeasurementFile(saved, path, nullptr);
  for (auto _ : state) {
    MeasurementRecord r;
    QString error;
    if (!openMeasurementFile(r, path, &error)) state.SkipWithError(error.toStdString().c_str());
    if (r.document.pointIndex != kPoints - 1) state.SkipWithError("wrong point count");
  }
}

// The former reader's way: the file decoded and split into one QString per
// line, each value read from its QString.
void BM_Open1MFormer(benchmark::State &state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("big.dpv");
  MeasurementRecord saved = bigRecord();
  saveMeasurementFile(saved, path, nullptr);
  for (auto _ : state) {
    MeasurementRecord r = saved;
    QStringList lines;
    QString error;
    if (!readTextFile(path, &lines, &error)) state.SkipWithError(error.toStdString().c_str());
    const qsizetype start = lines.indexOf("[Data]");
    const qsizetype count = lines.size() - start - 1;
    r.document.points.assign(static_cast<size_t>(count), 0.0);
    for (qsizetype k = 0; k < count; ++k)
      r.document.points[static_cast<size_t>(k)] = readFiniteNumber(lines[start + 1 + k], 0.0) * r.params.currUnitFactor;
    if (count != kPoints) state.SkipWithError("wrong point count");
  }
}

void BM_ExportText1M(benchmark::State &state) {
  QTemporaryDir dir;
  MeasurementRecord r = bigRecord();
  const QString path = dir.filePath("big.txt");
  for (auto _ : state) {
    QString error;
    if (!exportMeasurementText(r, path, &error)) state.SkipWithError(error.toStdString().c_str());
  }
}

// What opening the view costs: the rows' model and one screen of rows.
void BM_DataView1M(benchmark::State &state) {
  MeasurementRecord r = bigRecord();
  r.params.dampingFactor = 0.3;
  r.params.dampingRest = 0.7;
  for (auto _ : state) {
    const DataViewRows rows(r, DataViewColumns{});
    for (int i = 0; i < 14; ++i) benchmark::DoNotOptimize(rows.row(i));
  }
}

// The former view: every row formatted and put into one text document.
void BM_DataView1MFormer(benchmark::State &state) {
  MeasurementRecord r = bigRecord();
  r.params.dampingFactor = 0.3;
  r.params.dampingRest = 0.7;
  for (auto _ : state) {
    QPlainTextEdit memo;
    memo.setPlainText(dataViewRows(r, DataViewColumns{}).join(QLatin1Char('\n')));
    benchmark::DoNotOptimize(memo.document());
  }
}

}  // namespace

BENCHMARK(BM_Save1M)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Save1MFormer)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Open1M)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Open1MFormer)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportText1M)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_DataView1M)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_DataView1MFormer)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
