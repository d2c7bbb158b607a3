// Full redraw of a million stored points with damping, against the loop it
// replaced (the same picture) and against drawing every segment on its own.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

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

void BM_Redraw1M(benchmark::State &state) {
  MeasurementRecord r = millionPoints();
  GraphCanvas canvas;
  for (auto _ : state) {
    DrawGraph(r, canvas, GraphColors());
    benchmark::DoNotOptimize(canvas.image.constBits());
  }
  state.counters["points"] = r.document.pointIndex;
}

// The redraw as it was: the same picture, with the points smoothed, mapped
// and merged into columns through the record's helpers, right after the
// painter's fills.
void BM_Redraw1MFormerLoop(benchmark::State &state) {
  MeasurementRecord r = millionPoints();
  GraphCanvas canvas;
  const int32_t n = r.document.pointIndex;
  for (auto _ : state) {
    r.document.pointIndex = 0;
    DrawGraph(r, canvas, GraphColors());
    r.document.pointIndex = n;
    const int W = r.view.plotWidth, H = r.view.plotHeight;
    std::vector<QLine> lines;
    auto add = [&](QPoint a, QPoint b) {
      if (std::max(a.x(), b.x()) < 0 || std::min(a.x(), b.x()) >= W) return;
      if (std::max(a.y(), b.y()) < 0 || std::min(a.y(), b.y()) >= H) return;
      lines.emplace_back(a, b);
    };
    DisplaySmoothing smoothing(r);
    int column = 0, top = 0, bottom = 0, last = 0;
    for (int32_t i = 0; i < n; ++i) {
      const double v = smoothing.next(r.document.points[i]);
      const int x = static_cast<int>(std::nearbyint(std::clamp(columnOf(r, r.pointPotential(i)), -1e5, 1e5)));
      const int y = H - static_cast<int>(std::nearbyint(std::clamp(heightOf(r, v), -1e5, 1e5)));
      if (i > 0 && x == column) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        last = y;
        continue;
      }
      if (i > 0) {
        if (top < bottom) add(QPoint(column, top), QPoint(column, bottom));
        add(QPoint(column, last), QPoint(x, y));
      }
      column = x;
      top = bottom = last = y;
    }
    if (top < bottom) add(QPoint(column, top), QPoint(column, bottom));
    QPainter p(&canvas.image);
    p.setPen(QPen(GraphColors().line, 1, Qt::SolidLine, Qt::SquareCap));
    p.drawLines(lines.data(), static_cast<int>(lines.size()));
    benchmark::DoNotOptimize(canvas.image.constBits());
  }
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

BENCHMARK(BM_Redraw1M)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_Redraw1MFormerLoop)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_EverySegmentOnePass)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_EverySegmentDrawPoint)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
