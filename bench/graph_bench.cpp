// Full redraw of a million stored points with damping, against drawing
// every segment on its own.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <cmath>

#include "graph/graph_drawing.h"
#include "graph/plot_mapping.h"
#include "graph/scaling.h"
#include "graph/smoothing.h"

namespace {

MeasurementRecord millionPoints() {
  MeasurementRecord r;
  r.texts.potStart = "-200";
  r.texts.potEnd = "500";
  r.texts.currMin = "-10";
  r.texts.currMax = "50";
  r.texts.currUnitIndex = 1;
  r.texts.damping = "30";
  r.texts.dampingUnitIndex = 0;
  r.texts.sweep = "7";
  r.texts.period = "0.1";
  r.texts.amplitude = "50";
  r.texts.accumulation = "10";
  XYFactors(r);
  const int count = r.params.pulseNumber;
  r.resizePoints(count);
  uint32_t seed = 1;
  for (int i = 0; i < count; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double noise = (seed >> 8) / double(1 << 24) - 0.5;
    const double e = r.pointPotential(i);
    r.document.points[i] = 1e-9 * (2 + 30 * std::exp(-std::pow((e - 0.15) / 0.05, 2)) + 8 * noise);
  }
  r.document.pointIndex = count;
  return r;
}

void BM_FullRedraw(benchmark::State &state) {
  MeasurementRecord r = millionPoints();
  GraphCanvas canvas;
  for (auto _ : state) {
    DrawGraph(r, canvas, GraphColors());
    benchmark::DoNotOptimize(canvas.image.constBits());
  }
  state.counters["points"] = r.document.pointIndex;
}

// The same picture with one line per pair of successive points, all in one
// painter pass.
void BM_EverySegmentOnePass(benchmark::State &state) {
  MeasurementRecord r = millionPoints();
  GraphCanvas canvas;
  const int32_t n = r.document.pointIndex;
  for (auto _ : state) {
    r.document.pointIndex = 0;
    DrawGraph(r, canvas, GraphColors());
    r.document.pointIndex = n;
    std::vector<QLine> lines;
    lines.reserve(n);
    DisplaySmoothing smoothing(r);
    QPoint previous;
    for (int32_t i = 0; i < n; ++i) {
      const double v = smoothing.next(r.document.points[i]);
      const QPoint point(qRound(columnOf(r, r.pointPotential(i))), r.view.plotHeight - qRound(heightOf(r, v)));
      if (i > 0) lines.emplace_back(previous, point);
      previous = point;
    }
    QPainter p(&canvas.image);
    p.setPen(QPen(GraphColors().line, 1, Qt::SolidLine, Qt::SquareCap));
    p.drawLines(lines.data(), static_cast<int>(lines.size()));
    benchmark::DoNotOptimize(canvas.image.constBits());
  }
}

// Point by point through DrawPoint, as a run draws them.
void BM_EverySegmentDrawPoint(benchmark::State &state) {
  MeasurementRecord r = millionPoints();
  GraphCanvas canvas;
  const int32_t n = r.document.pointIndex;
  for (auto _ : state) {
    r.document.pointIndex = 0;
    DrawGraph(r, canvas, GraphColors());
    r.document.pointIndex = n;
    for (int32_t i = 0; i < n; ++i) DrawPoint(r, canvas, GraphColors().line, r.pointPotential(i), r.document.points[i]);
    benchmark::DoNotOptimize(canvas.image.constBits());
  }
}

}  // namespace

BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_EverySegmentOnePass)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_EverySegmentDrawPoint)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
