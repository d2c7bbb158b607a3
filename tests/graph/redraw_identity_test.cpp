// The full redraw against a plain rendering of the same curve: every point
// mapped and smoothed one by one, the points of a column merged into one
// vertical span, the lines drawn by QPainter. The pictures must agree pixel
// for pixel, over axes either way round, damping, zoom and far points.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "graph/graph_drawing.h"
#include "graph/plot_mapping.h"
#include "graph/scaling.h"
#include "graph/smoothing.h"
#include "graph_fixture.h"

namespace {

int plainRound(double v) { return static_cast<int>(std::nearbyint(v)); }

double plainLimit(double v) { return std::isnan(v) ? 0 : std::clamp(v, -100000.0, 100000.0); }

// The curve as the first version of the redraw drew it.
GraphCanvas plainRedraw(MeasurementRecord &r, const GraphColors &colors) {
  GraphCanvas canvas;
  const int32_t n = r.document.pointIndex;
  r.document.pointIndex = 0;
  DrawGraph(r, canvas, colors);  // background, outline and grid
  r.document.pointIndex = n;
  const int count = std::min<int64_t>(n, static_cast<int64_t>(r.document.points.size()));
  if (count <= 0 || !plotHasScale(r)) return canvas;
  const int W = r.view.plotWidth, H = r.view.plotHeight;
  std::vector<QLine> lines;
  auto add = [&](QPoint a, QPoint b) {
    if (std::max(a.x(), b.x()) < 0 || std::min(a.x(), b.x()) >= W) return;
    if (std::max(a.y(), b.y()) < 0 || std::min(a.y(), b.y()) >= H) return;
    lines.emplace_back(a, b);
  };
  DisplaySmoothing smoothing(r);
  int column = 0, top = 0, bottom = 0, last = 0;
  double v = 0;
  for (int i = 0; i < count; ++i) {
    v = smoothing.next(r.document.points[i]);
    const int x = plainRound(plainLimit(columnOf(r, r.pointPotential(i))));
    const int y = H - plainRound(plainLimit(heightOf(r, v)));
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
  QPen pen(colors.line, 1, Qt::SolidLine, Qt::SquareCap);
  pen.setCosmetic(true);
  p.setPen(pen);
  p.drawLines(lines.data(), static_cast<int>(lines.size()));
  r.view.smoothedCurrent = v;
  r.view.penUp = false;
  canvas.pen = QPoint(column, last);
  return canvas;
}

void expectSameRedraw(MeasurementRecord r, const GraphColors &colors = GraphColors()) {
  MeasurementRecord plain = r;
  GraphCanvas canvas;
  DrawGraph(r, canvas, colors);
  const GraphCanvas expected = plainRedraw(plain, colors);
  ASSERT_FALSE(canvas.image.isNull());
  EXPECT_EQ(countDifferentPixels(canvas.image, expected.image), 0);
  EXPECT_EQ(canvas.pen, expected.pen);
  EXPECT_EQ(r.view.penUp, plain.view.penUp);
  // Bit for bit: the run goes on smoothing from this value.
  EXPECT_EQ(std::memcmp(&r.view.smoothedCurrent, &plain.view.smoothedCurrent, sizeof(double)), 0);
}

MeasurementRecord peakRecord(int count, double noise, const char *damping) {
  MeasurementRecord r = exampleRecord();
  r.texts.damping = damping;
  fillPeak(r, count, noise);
  return r;
}

}  // namespace

TEST(RedrawIdentity, NoisyPeakWithDamping) {
  expectSameRedraw(peakRecord(200000, 8, "30"));
  expectSameRedraw(peakRecord(1000000, 8, "0"));
}

TEST(RedrawIdentity, MirroredAxes) {
  MeasurementRecord potential = peakRecord(150000, 8, "20");
  std::swap(potential.texts.potStart, potential.texts.potEnd);
  expectSameRedraw(potential);

  MeasurementRecord current = peakRecord(150000, 8, "0");
  std::swap(current.texts.currMin, current.texts.currMax);
  expectSameRedraw(current);

  MeasurementRecord both = peakRecord(150000, 20, "5");
  both.texts.dampingUnitIndex = 1;  // ms
  std::swap(both.texts.potStart, both.texts.potEnd);
  std::swap(both.texts.currMin, both.texts.currMax);
  expectSameRedraw(both);
}

TEST(RedrawIdentity, ZoomedInWithPointsLeavingThePlot) {
  MeasurementRecord r = peakRecord(300000, 30, "10");
  XYFactors(r);
  r.view.beforeZoom = AxisTexts{};
  r.texts.potStart = "140.5";
  r.texts.potEnd = "160.25";
  r.texts.currMin = "20";
  r.texts.currMax = "31";
  expectSameRedraw(r);
}

TEST(RedrawIdentity, FewPointsAndPointsFarOutside) {
  MeasurementRecord few = peakRecord(37, 30, "0");
  expectSameRedraw(few);

  MeasurementRecord far = peakRecord(5000, 8, "0");
  for (int i = 0; i < 5000; i += 97) far.document.points[i] = (i % 2 ? 1 : -1) * 1e-3;  // beyond the pixel limit
  far.document.points[1234] = std::numeric_limits<double>::quiet_NaN();
  expectSameRedraw(far);
}

TEST(RedrawIdentity, FullDampingOtherColoursAndPlotSizes) {
  MeasurementRecord flat = peakRecord(20000, 8, "100");
  GraphColors colors;
  colors.line = QColor(200, 30, 10);
  colors.background = QColor(10, 20, 30);
  expectSameRedraw(flat, colors);

  for (QSize size : {QSize(1000, 700), QSize(3, 2), QSize(640, 1)}) {
    MeasurementRecord r = peakRecord(100000, 8, "50");
    r.view.plotWidth = size.width();
    r.view.plotHeight = size.height();
    expectSameRedraw(r);
  }
}

TEST(RedrawIdentity, StorageShorterThanPointIndex) {
  MeasurementRecord r = peakRecord(10000, 8, "0");
  r.document.pointIndex = 20000;
  expectSameRedraw(r);
}
