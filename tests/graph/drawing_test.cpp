#include <gtest/gtest.h>

#include <set>

#include "graph/graph_drawing.h"
#include "graph/plot_mapping.h"
#include "graph/smoothing.h"
#include "graph_fixture.h"

namespace {

const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kBlue = qRgb(0, 0, 255);

bool isGrey(const QImage &image, int x, int y) { return image.pixel(x, y) == kGrey; }

// Columns (rows) with grid pixels on more than a fifth of their length, and
// the number of grey pixels in each.
std::map<int, int> gridColumns(const QImage &image) {
  std::map<int, int> found;
  for (int x = 0; x < image.width(); ++x) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) n += isGrey(image, x, y);
    if (n > image.height() / 5) found[x] = n;
  }
  return found;
}

std::map<int, int> gridRows(const QImage &image) {
  std::map<int, int> found;
  for (int y = 0; y < image.height(); ++y) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x) n += isGrey(image, x, y);
    if (n > image.width() / 5) found[y] = n;
  }
  return found;
}

std::set<int> keys(const std::map<int, int> &m) {
  std::set<int> s;
  for (const auto &kv : m) s.insert(kv.first);
  return s;
}

// Drawing every segment one by one: a redraw of no points, then DrawPoint
// for each stored point.
GraphCanvas drawEverySegment(MeasurementRecord r) {
  GraphCanvas canvas;
  const int32_t n = r.document.pointIndex;
  r.document.pointIndex = 0;
  DrawGraph(r, canvas, GraphColors());
  for (int32_t i = 0; i < n; ++i) DrawPoint(r, canvas, GraphColors().line, r.pointPotential(i), r.document.points[i]);
  return canvas;
}

}  // namespace

TEST(DrawGraph, WorkedExampleGrid) {
  MeasurementRecord r = exampleRecord();
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  ASSERT_EQ(canvas.image.size(), QSize(479, 334));

  const auto columns = gridColumns(canvas.image);
  EXPECT_EQ(keys(columns), (std::set<int>{34, 68, 103, 137, 171, 205, 240, 274, 308, 342, 376, 411, 445}));
  EXPECT_EQ(columns.at(137), 334) << "the 0 V line is solid";
  EXPECT_LT(columns.at(34), 300) << "other lines are dotted";

  // Row 84, not 83: index 7 lies at exactly 250.5 pixels, which rounds to 250.
  const auto rows = gridRows(canvas.image);
  EXPECT_EQ(keys(rows), (std::set<int>{306, 278, 250, 223, 195, 167, 139, 111, 84, 56, 28}));
  EXPECT_EQ(rows.at(278), 479) << "the 0 A line is solid";
  EXPECT_LT(rows.at(306), 400);

  EXPECT_EQ(zeroLabelTop(r, 56), 328);
  EXPECT_EQ(canvas.image.pixel(0, 5), qRgb(0, 0, 0)) << "outline";
  EXPECT_EQ(canvas.image.pixel(5, 5), qRgb(255, 255, 255)) << "background";
  EXPECT_TRUE(r.view.penUp) << "no points: the next point starts a new line";
}

TEST(DrawPoint, WorkedExamplePointPixel) {
  MeasurementRecord r = exampleRecord();
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  EXPECT_TRUE(DrawPoint(r, canvas, kBlue, 0, 20e-9).isEmpty()) << "the first point only moves the pen";
  EXPECT_EQ(canvas.pen, QPoint(137, 167));
  EXPECT_FALSE(r.view.penUp);
  const QRect changed = DrawPoint(r, canvas, kBlue, 0.1, 20e-9);
  EXPECT_EQ(changed, QRect(QPoint(137, 167), QPoint(205, 167)));
  EXPECT_EQ(canvas.image.pixel(170, 167), kBlue);
  // Heights of exactly 250.5 and 83.5 pixels round to the even neighbour.
  DrawPoint(r, canvas, kBlue, 0, 35e-9);
  EXPECT_EQ(canvas.pen.y(), 84);
  r.view.penUp = true;
  DrawPoint(r, canvas, kBlue, 0, 5e-9);
  EXPECT_EQ(canvas.pen.y(), 250);
}

TEST(DrawPoint, ChangedAreaCoversEverySegmentDirection) {
  MeasurementRecord r = exampleRecord();
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  const double amperesPerRow = 1 / r.params.yFactor;
  DrawPoint(r, canvas, kBlue, 0, 20e-9);
  // One pixel up in the same column, one down, then diagonally up and down.
  const struct { double potential, rows; } steps[] = {{0, 1}, {0, -1}, {0.01, 3}, {0.02, -5}};
  double current = 20e-9;
  for (const auto &step : steps) {
    const QPoint from = canvas.pen;
    current += step.rows * amperesPerRow;
    const QRect changed = DrawPoint(r, canvas, kBlue, step.potential, current);
    EXPECT_TRUE(changed.contains(from)) << step.rows;
    EXPECT_TRUE(changed.contains(canvas.pen)) << step.rows;
  }
}

TEST(DrawPoint, FarPointsAreLimitedTo100000Pixels) {
  MeasurementRecord r = exampleRecord();
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  DrawPoint(r, canvas, kBlue, -0.2 + 1e6 / r.params.xFactor, -10e-9 - 1e6 / r.params.yFactor);
  EXPECT_EQ(canvas.pen, QPoint(100000, 334 + 100000));
}

TEST(DrawGraph, MirroredPotentialAxisRunsRightToLeft) {
  MeasurementRecord r = exampleRecord();
  r.texts.potStart = "500";
  r.texts.potEnd = "-200";
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  const auto columns = gridColumns(canvas.image);
  EXPECT_EQ(columns.size(), 13u);
  EXPECT_EQ(columns.at(342), 334) << "0 V lies 500 mV from the left edge";
  DrawPoint(r, canvas, kBlue, 0.5, 0);
  EXPECT_EQ(canvas.pen.x(), 0);
  DrawPoint(r, canvas, kBlue, -0.2, 0);
  EXPECT_EQ(canvas.pen.x(), 479);
}

TEST(DrawGraph, EqualCurrentLimitsDrawTheGridOfZeroToOneAmpere) {
  MeasurementRecord r = exampleRecord();
  r.texts.currMax = r.texts.currMin;
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  // Step 0.1 A: rows for 0.1 .. 0.9 A (the 0 A line lies on the row below the image).
  const auto rows = gridRows(canvas.image);
  EXPECT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows.count(334 - 167), 1u);
}

// A plot without area or without a potential span shows background and outline only.
TEST(DrawGraph, NoScaleGivesBackgroundAndOutlineOnly) {
  struct Row {
    const char *potStart, *potEnd;
    int width, height;
  } rows[] = {{"0", "0", 479, 334}, {"-200", "500", 0, 334}, {"-200", "500", 479, 0}};
  for (const Row &row : rows) {
    MeasurementRecord r = exampleRecord();
    fillPeak(r, 100, 0);
    r.texts.potStart = row.potStart;
    r.texts.potEnd = row.potEnd;
    r.view.plotWidth = row.width;
    r.view.plotHeight = row.height;
    GraphCanvas canvas;
    DrawGraph(r, canvas, GraphColors());
    if (row.width == 0 || row.height == 0) {
      EXPECT_TRUE(canvas.image.isNull());
      continue;
    }
    EXPECT_EQ(countPixels(canvas.image, kGrey), 0);
    EXPECT_EQ(countPixels(canvas.image, kBlue), 0);
    EXPECT_EQ(countPixels(canvas.image, qRgb(0, 0, 0)), 2 * 479 + 2 * 332);
    EXPECT_TRUE(DrawPoint(r, canvas, kBlue, 0, 0).isEmpty());
  }
}

TEST(DrawGraph, CollapsedColumnsMatchDrawingEverySegment) {
  MeasurementRecord r = exampleRecord();
  r.texts.damping = "30";
  fillPeak(r, 200000, 8);
  GraphCanvas collapsed;
  DrawGraph(r, collapsed, GraphColors());
  const GraphCanvas reference = drawEverySegment(r);
  const int curvePixels = countPixels(reference.image, kBlue);
  ASSERT_GT(curvePixels, 1000);
  const int differing = countDifferentPixels(collapsed.image, reference.image);
  EXPECT_LE(differing, curvePixels / 100) << differing << " of " << curvePixels;
  EXPECT_EQ(collapsed.pen, reference.pen);
}

TEST(DrawGraph, CollapsedColumnsMatchWhenZoomedIn) {
  MeasurementRecord r = exampleRecord();
  fillPeak(r, 20000, 30);
  XYFactors(r);
  r.view.beforeZoom = AxisTexts{};
  r.texts.potStart = "140";
  r.texts.potEnd = "160";
  GraphCanvas collapsed;
  DrawGraph(r, collapsed, GraphColors());
  const GraphCanvas reference = drawEverySegment(r);
  const int curvePixels = countPixels(reference.image, kBlue);
  ASSERT_GT(curvePixels, 1000);
  EXPECT_LE(countDifferentPixels(collapsed.image, reference.image), curvePixels / 100);
}

TEST(DrawGraph, TinySpanFarFromZeroStillEndsTheGrid) {
  MeasurementRecord r = exampleRecord();
  r.texts.currMin = "1";
  r.texts.currMax = "1.0000000000000002";
  r.texts.potStart = "1e9";
  r.texts.potEnd = "1.0000000000000002e9";
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  EXPECT_EQ(canvas.image.size(), QSize(479, 334));
}

TEST(DrawGraph, RedrawWipesTheMarkers) {
  MeasurementRecord r = exampleRecord();
  r.view.markerShown = r.view.refMarkerShown = true;
  r.view.prevMarkerIndex = 7;
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  EXPECT_FALSE(r.view.markerShown);
  EXPECT_FALSE(r.view.refMarkerShown);
  EXPECT_EQ(r.view.prevMarkerIndex, 0);
}

TEST(DrawGraph, CurveUsesTheColoursGiven) {
  MeasurementRecord r = exampleRecord();
  fillPeak(r, 1000, 0);
  GraphColors colors;
  colors.line = QColor(255, 0, 0);
  colors.background = QColor(0, 0, 0);
  GraphCanvas canvas;
  DrawGraph(r, canvas, colors);
  EXPECT_GT(countPixels(canvas.image, qRgb(255, 0, 0)), 400);
  EXPECT_EQ(canvas.image.pixel(5, 5), qRgb(0, 0, 0));
}

TEST(Inversion, DrawingTwiceRestoresTheImage) {
  MeasurementRecord r = exampleRecord();
  fillPeak(r, 1000, 5);
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  const QImage before = canvas.image.copy();
  const QPoint crosses[] = {{100, 100}, {0, 0}, {478, 333}, {-3, 200}, {200, 336}};
  for (const QPoint &c : crosses) {
    const QRect changed = DrawMarker(canvas.image, c.x(), c.y());
    EXPECT_TRUE(canvas.image.rect().contains(changed) || changed.isEmpty());
  }
  EXPECT_EQ(canvas.image.pixel(100, 100), before.pixel(100, 100)) << "the centre is inverted twice";
  EXPECT_NE(canvas.image.pixel(95, 100), before.pixel(95, 100));
  EXPECT_EQ(canvas.image.pixel(105, 100), before.pixel(105, 100)) << "the end point is left out";
  const QRect rects[] = {QRect(QPoint(10, 10), QPoint(200, 150)), QRect(QPoint(300, 300), QPoint(250, 20)),
                         QRect(QPoint(-20, 5), QPoint(600, 400)), QRect(QPoint(40, 40), QPoint(41, 41))};
  for (const QRect &rect : rects) drawFocusRect(canvas.image, rect);
  EXPECT_NE(countDifferentPixels(canvas.image, before), 0);
  for (const QPoint &c : crosses) DrawMarker(canvas.image, c.x(), c.y());
  for (const QRect &rect : rects) drawFocusRect(canvas.image, rect);
  EXPECT_EQ(countDifferentPixels(canvas.image, before), 0);
}

TEST(Smoothing, DampingWeights) {
  struct Row {
    double d;
    int unit;
    double t;
    double k;
  } rows[] = {
      {30, 0, 0.1, 0.3},
      {0, 0, 0.1, 0},
      {-5, 1, 0.1, 0},
      {-5, 2, 0.1, 0},
      {100, 0, 0.1, 1},
      {250, 0, 0.1, 1},
      {100, 1, 0.1, std::exp(-1.0)},
      {0.1, 2, 0.1, std::exp(-1.0)},
      {0.5, -1, 0.1, 0.5},
      {7, -1, 0.1, 1},
      {NAN, 0, 0.1, 0},
  };
  for (const Row &row : rows)
    EXPECT_DOUBLE_EQ(dampingWeight(row.d, row.unit, row.t), row.k) << row.d << " " << row.unit;
}

TEST(Smoothing, StepIsThePulsePeriod) {
  MeasurementRecord r = exampleRecord();
  r.texts.damping = "200";
  r.texts.dampingUnitIndex = 1;  // ms, with a period of 100 ms
  XYFactors(r);
  computeDampingWeights(r);
  EXPECT_DOUBLE_EQ(r.params.dampingFactor, std::exp(-0.5));
  EXPECT_DOUBLE_EQ(r.params.dampingRest, 1 - std::exp(-0.5));
}

TEST(Smoothing, FullDampingDrawsAHorizontalLineAtTheFirstPoint) {
  MeasurementRecord r = exampleRecord();
  r.texts.damping = "100";
  fillPeak(r, 500, 10);
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  const int firstRow = 334 - static_cast<int>(std::nearbyint(heightOf(r, r.document.points[0])));
  EXPECT_EQ(canvas.pen.y(), firstRow);
  EXPECT_DOUBLE_EQ(r.view.smoothedCurrent, r.document.points[0]);
  DisplaySmoothing smoothing(r);
  for (double v : {1.0, 2.0, 3.0}) EXPECT_DOUBLE_EQ(smoothing.next(v), 1.0);
}

TEST(Smoothing, RecursionFromTheFirstValue) {
  DisplaySmoothing smoothing(0.25, 0.75);
  EXPECT_DOUBLE_EQ(smoothing.next(4), 4);
  EXPECT_DOUBLE_EQ(smoothing.next(8), 7);
  EXPECT_DOUBLE_EQ(smoothing.next(0), 1.75);
}
