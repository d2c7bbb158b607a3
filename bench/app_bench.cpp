// The main window: Edit > View data text for a measurement of 1,000,000
// points (from the command to the shown view, and the memory the open view
// holds); and a real-time run on the simulated instrument at 10 ms periods
// (how long Stop takes from the command to the window being idle, and how
// the window keeps answering while the run goes on).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "files/dpv_file.h"
#include "files/ui/viewdta.h"
#include "graph/scaling.h"
#include "graph/ui/graph_view.h"
#include "instrument/port_backend.h"

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

namespace {

struct RunningWindow {
  QTemporaryDir dir;
  std::unique_ptr<ProgramWindows> windows;

  RunningWindow() {
    setProgramFolder(dir.path());
    QString error;
    selectPortBackend("sim", QString(), &error);
    windows = std::make_unique<ProgramWindows>();
    TSDIAppForm &w = main();
    w.show();
    // -200 .. 400 mV at 20 mV/s, 10 ms periods: 3000 points, 30 s.
    w.PotStartEdit->setText("-200");
    w.PotEndEdit->setText("400");
    w.SweepEdit->setText("20");
    w.PulsePeriodEdit->setText("10");
    QApplication::processEvents();
  }
  ~RunningWindow() {
    main().record().document.dataSaved = true;
    windows.reset();
    setProgramFolder(QString());
  }
  TSDIAppForm &main() { return windows->mainWindow(); }
  void run() {
    main().record().document.dataSaved = true;  // no question before the run
    main().Run1->trigger();
  }
  static void serve(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
};

void BM_StopDuringRun10ms(benchmark::State &state) {
  RunningWindow window;
  for (auto _ : state) {
    window.run();
    RunningWindow::serve(300);
    QElapsedTimer clock;
    clock.start();
    window.main().Stop1->trigger();
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    benchmark::DoNotOptimize(window.main().Run1->isEnabled());
  }
}

// Counts the plot's paint events.
struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// The worst wait of a 10 ms timer during 3 s of a run, and the plot's repaints meanwhile.
void BM_WindowDuringRun10ms(benchmark::State &state) {
  RunningWindow window;
  double worstTimerMs = 0;
  int repaints = 0;
  for (auto _ : state) {
    QElapsedTimer clock;
    qint64 last = 0, worst = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      worst = std::max(worst, now - last);
      last = now;
    });
    PaintCounter counter;
    window.main().graph->plotArea()->installEventFilter(&counter);
    window.run();
    clock.start();
    ticker.start();
    RunningWindow::serve(3000);
    ticker.stop();
    window.main().Stop1->trigger();
    window.main().graph->plotArea()->removeEventFilter(&counter);
    worstTimerMs = worst / 1e6;
    repaints = counter.paints;
    state.SetIterationTime(worst / 1e9);
  }
  state.counters["worstTimerGapMs"] = worstTimerMs;
  state.counters["plotRepaints"] = repaints;
}

}  // namespace

BENCHMARK(BM_StopDuringRun10ms)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(8);
BENCHMARK(BM_WindowDuringRun10ms)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(3);

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
