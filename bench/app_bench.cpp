// Edit > View data text through the main window for a measurement of
// 1,000,000 points: from the command to the shown view, and the memory the
// open view holds.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "files/dpv_file.h"
#include "files/ui/viewdta.h"
#include "graph/scaling.h"

namespace {

// -500 .. 500 mV at 10 mV/s and 0.1 ms: exactly 1,000,000 points.
QByteArray millionPointFile() {
  MeasurementRecord r;
  ParameterTexts &t = r.texts;
  t.currMin = "-100";
  t.currMax = "100";
  t.currUnitIndex = 1;
  t.damping = "10";
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
  r.resizePoints(r.params.pulseNumber);
  for (int32_t i = 0; i < r.params.pulseNumber; ++i) r.document.points[i] = 80e-9 * std::sin(i * 1e-4) - 1.234567e-9;
  r.document.pointIndex = r.params.pulseNumber - 1;
  return dpvFileBytes(r);
}

double residentMegabytes() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toDouble() * sysconf(_SC_PAGESIZE) / 1e6 : 0;
}

void BM_ViewDataText1M(benchmark::State &state) {
  QTemporaryDir dir;
  setProgramFolder(dir.path());
  const QString path = dir.filePath("big.dpv");
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(millionPointFile());
  file.close();
  ProgramWindows windows;
  TSDIAppForm &main = windows.mainWindow();
  main.show();
  main.openAtStart(path);
  QApplication::processEvents();
  double extra = 0;
  for (auto _ : state) {
    const double before = residentMegabytes();
    QElapsedTimer clock;
    double shownAfter = 0;
    // Closed from the view's own event loop once it is on the screen.
    QTimer::singleShot(0, [&] {
      QApplication::processEvents();
      shownAfter = clock.nsecsElapsed() / 1e9;
      extra = residentMegabytes() - before;
      Viewdata->accept();
    });
    clock.start();
    main.Viewdatatext1->trigger();
    state.SetIterationTime(shownAfter);
  }
  state.counters["extraMB"] = extra;
  setProgramFolder(QString());
}

}  // namespace

BENCHMARK(BM_ViewDataText1M)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(3);

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
