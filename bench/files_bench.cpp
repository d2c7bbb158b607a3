// Saving and opening a measurement of 1,000,000 points.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cmath>

#include "files/dpv_file.h"
#include "files/file_operations.h"
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

void BM_SaveMillionPoints(benchmark::State &state) {
  QTemporaryDir dir;
  MeasurementRecord r = bigRecord();
  const QString path = dir.filePath("big.dpv");
  for (auto _ : state) {
    QString error;
    if (!saveMeasurementFile(r, path, &error)) state.SkipWithError(error.toStdString().c_str());
  }
}

void BM_OpenMillionPoints(benchmark::State &state) {
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

}  // namespace

BENCHMARK(BM_SaveMillionPoints)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenMillionPoints)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
