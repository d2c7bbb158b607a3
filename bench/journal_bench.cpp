// The cost of journaling a run of 100,000 points, with the file forced to the
// disk once a second, and of reading it back at start.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cmath>

#include "journal/journal_reader.h"
#include "journal/journal_writer.h"

namespace {

constexpr int32_t kPoints = 100'000;

JournalHeader header() {
  JournalHeader h;
  h.dateTime = QStringLiteral("3/14/25 9:26 AM");
  h.pointCount = kPoints;
  h.texts = {{"P start", "-500"}, {"P end", "500"}, {"Sweep speed", "10"}, {"Pulse period", "0.1"}};
  h.description = {QStringLiteral("cell A")};
  return h;
}

// On the disk of the working folder, as the settings folder would be, not in
// a temporary folder that may live in memory.
QTemporaryDir benchFolder() { return QTemporaryDir(QDir::current().filePath("journal-bench-XXXXXX")); }

// `stepMs` of clock per point: 0 writes as fast as it can, so the sync rule
// hardly applies; 10 is a run at 10 ms, with a sync every 100 points.
void writeRun(benchmark::State &state, int64_t stepMs) {
  QTemporaryDir dir = benchFolder();
  const QString path = dir.filePath("run.journal");
  int syncs = 0;
  for (auto _ : state) {
    int64_t fakeNow = 0;
    JournalWriter::Clock clock = JournalWriter::steadyMilliseconds;
    if (stepMs > 0) clock = [&fakeNow] { return fakeNow; };
    JournalWriter writer([&state](const QString &reason) { state.SkipWithError(reason.toStdString().c_str()); }, clock);
    writer.start(path, header());
    for (int32_t i = 0; i < kPoints; ++i) {
      fakeNow += stepMs;
      writer.addPoint(i, 1e-6 * std::sin(i * 1e-3));
    }
    writer.finish();
    syncs = writer.syncs();
  }
  state.counters["syncs"] = syncs;
  state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_JournalWrite100k(benchmark::State &state) { writeRun(state, 0); }
void BM_JournalWrite100kAt10ms(benchmark::State &state) { writeRun(state, 10); }

void BM_JournalRead100k(benchmark::State &state) {
  QTemporaryDir dir = benchFolder();
  const QString path = dir.filePath("run.journal");
  {
    JournalWriter writer(nullptr);
    writer.start(path, header());
    for (int32_t i = 0; i < kPoints; ++i) writer.addPoint(i, 1e-6 * std::sin(i * 1e-3));
  }
  for (auto _ : state) {
    const JournalContents c = readJournal(path);
    if (c.points.size() != size_t(kPoints)) state.SkipWithError("wrong point count");
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

}  // namespace

BENCHMARK(BM_JournalWrite100k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_JournalWrite100kAt10ms)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_JournalRead100k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
