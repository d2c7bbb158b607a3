#include <gtest/gtest.h>

#include "graph/graph_drawing.h"
#include "graph/graph_interaction.h"
#include "graph/plot_mapping.h"
#include "graph_fixture.h"

namespace {

// A scale with exact arithmetic: one pixel per volt and per ampere, points
// 10 columns apart, plot 200 x 100.
MeasurementRecord unitScale(std::vector<double> points) {
  MeasurementRecord r;
  r.view.plotWidth = 200;
  r.view.plotHeight = 100;
  r.params.axisPotStart = 0;
  r.params.axisPotEnd = 200;
  r.params.xFactor = 1;
  r.params.axisCurrMin = 0;
  r.params.axisCurrMax = 100;
  r.params.yFactor = 1;
  r.params.currUnitFactor = 1;
  r.texts.currUnitIndex = 4;
  r.params.currDigits = 3;
  r.params.pulseStep = 10;
  r.params.dampingFactor = 0;
  r.params.dampingRest = 1;
  r.document.points = std::move(points);
  r.document.pointIndex = static_cast<int32_t>(r.document.points.size());
  return r;
}

const ShiftState kNone;
const ShiftState kShift(Qt::ShiftModifier);
const ShiftState kCtrl(Qt::ControlModifier);

}  // namespace

TEST(NearestPoint, EquallyNearPointsGiveTheLowerIndex) {
  struct Row {
    std::vector<double> points;
    double x, y;
    int expected;
  } rows[] = {
      {{50, 50}, 5, 50, 0},  // same distance along the axis
      {{40, 60}, 5, 50, 0},  // same distance diagonally
      {{40, 60}, 6, 50, 1},  // strictly nearer wins
      {{50, 50, 50}, 25, 50, 2},
  };
  for (const Row &row : rows) {
    const MeasurementRecord r = unitScale(row.points);
    double smoothed = 0;
    EXPECT_EQ(nearestPoint(r, row.x, row.y, &smoothed), row.expected) << row.x;
  }
}

TEST(NearestPoint, SearchesTheSmoothedCurve) {
  MeasurementRecord r = unitScale({0, 100, 100, 100});
  r.params.dampingFactor = 0.5;
  r.params.dampingRest = 0.5;
  double smoothed = 0;
  // Drawn heights 0, 50, 75, 87.5: row 50 lies on point 1 only when smoothed.
  EXPECT_EQ(nearestPoint(r, 10, 50, &smoothed), 1);
  EXPECT_DOUBLE_EQ(smoothed, 50);
}

TEST(Marker, LeftClickMarksAndShowsThePoint) {
  MeasurementRecord r = exampleRecord();
  fillPeak(r, 100, 0);
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  // Point 29 lies at 3 mV, column 139, near the click on the baseline.
  const GraphChange change = PaintBox2MouseDown(r, canvas.image, Qt::LeftButton, kNone, 137, 267);
  EXPECT_TRUE(change.panels);
  EXPECT_FALSE(change.dirty.isEmpty());
  EXPECT_EQ(r.display.panels.pointNumber, QString::number(r.view.markerIndex));
  EXPECT_EQ(r.display.panels.potential, r.formatPotential(r.pointPotential(r.view.markerIndex)));
  EXPECT_EQ(r.display.panels.current, r.formatCurrent(r.view.markerCurrent));
  EXPECT_EQ(r.view.markerIndex, 29);
  EXPECT_EQ(r.view.markerX, 139);
  EXPECT_EQ(r.view.markerY, 334 - qRound(heightOf(r, r.view.markerCurrent)));
}

TEST(Marker, NothingDuringARunOrWithoutPoints) {
  MeasurementRecord r = unitScale({10, 20, 30});
  QImage image(200, 100, QImage::Format_RGB32);
  r.runState = RunMeasuring;
  EXPECT_FALSE(PaintBox2MouseDown(r, image, Qt::LeftButton, kNone, 10, 50).recordChanged());
  r.runState = RunIdle;
  r.document.pointIndex = 0;
  EXPECT_FALSE(PaintBox2MouseDown(r, image, Qt::LeftButton, kNone, 10, 50).recordChanged());
  r.document.pointIndex = 3;
  EXPECT_FALSE(PaintBox2MouseDown(r, image, Qt::MiddleButton, kNone, 10, 50).recordChanged());
}

TEST(ShiftEdit, ThePreviouslyMarkedPointTakesTheClickedCurrent) {
  MeasurementRecord r = unitScale(std::vector<double>(20, 20));
  r.document.dataSaved = true;
  QImage image(200, 100, QImage::Format_RGB32);
  PaintBox2MouseDown(r, image, Qt::LeftButton, kNone, 120, 80);
  PaintBox2MouseUp(r, image, kNone, 120, 80);
  ASSERT_EQ(r.view.markerIndex, 12);
  PaintBox2MouseDown(r, image, Qt::LeftButton, kShift, 40, 95);
  const GraphChange change = PaintBox2MouseUp(r, image, kShift, 40, 95);
  EXPECT_DOUBLE_EQ(r.document.points[12], 5);
  EXPECT_EQ(r.display.panels.analysis, "5.000 A");
  EXPECT_EQ(r.display.panels.pointNumber, "4");
  EXPECT_TRUE(change.points);
  EXPECT_TRUE(change.redraw);
  EXPECT_FALSE(r.document.dataSaved) << "an edited record is unsaved";
}

// An index left from an earlier record, or a record without points, is never
// written; an edit that stores the same value leaves the record saved.
TEST(ShiftEdit, WritesOnlyInsideTheDrawnPoints) {
  struct Row {
    std::vector<double> points;
    int32_t pointIndex, prevMarkerIndex;
    bool written;
  } rows[] = {
      {std::vector<double>(20, 20), 20, 50, false},
      {std::vector<double>(20, 20), 20, -1, false},
      {std::vector<double>(20, 20), 5, 5, false},  // the point being measured
      {{}, 0, 0, false},
      {{}, -1, 0, false},
      {std::vector<double>(20, 5), 20, 3, false},  // same value
      {std::vector<double>(20, 20), 20, 19, true},
  };
  for (const Row &row : rows) {
    MeasurementRecord r = unitScale(row.points);
    r.document.pointIndex = row.pointIndex;
    r.view.prevMarkerIndex = row.prevMarkerIndex;
    r.document.dataSaved = true;
    QImage image(200, 100, QImage::Format_RGB32);
    const std::vector<double> before = r.document.points;
    const GraphChange change = PaintBox2MouseUp(r, image, kShift, 40, 95);
    EXPECT_EQ(change.points, row.written) << row.prevMarkerIndex;
    EXPECT_EQ(r.document.dataSaved, !row.written);
    EXPECT_EQ(r.document.points.size(), before.size());
    EXPECT_EQ(r.display.panels.analysis, "5.000 A");
  }
}

TEST(ShiftEdit, ShiftRightClickAfterARedrawWritesPointZero) {
  MeasurementRecord r = exampleRecord();
  fillPeak(r, 100, 0);
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  PaintBox2MouseDown(r, canvas.image, Qt::RightButton, ShiftState(Qt::ShiftModifier, Qt::RightButton), 50, 250);
  PaintBox2MouseUp(r, canvas.image, kShift, 50, 250);
  EXPECT_NEAR(r.document.points[0], (334 - 250) / r.params.yFactor - 10e-9, 1e-18);
}

TEST(ReferenceMarker, CtrlKeepsThePreviousMarkerUntilAPlainRelease) {
  MeasurementRecord r = unitScale(std::vector<double>(20, 50));
  QImage image(200, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  PaintBox2MouseDown(r, image, Qt::LeftButton, kNone, 30, 50);
  PaintBox2MouseUp(r, image, kNone, 30, 50);
  PaintBox2MouseDown(r, image, Qt::LeftButton, kCtrl, 80, 50);
  PaintBox2MouseUp(r, image, kCtrl, 80, 50);
  EXPECT_TRUE(r.view.refMarkerShown);
  EXPECT_EQ(r.view.refMarkerIndex, 3);
  EXPECT_EQ(r.view.refMarkerX, 30);
  EXPECT_NE(image.pixel(27, 50), qRgb(255, 255, 255)) << "reference cross on screen";
  EXPECT_NE(image.pixel(77, 50), qRgb(255, 255, 255)) << "new cross on screen";
  PaintBox2MouseDown(r, image, Qt::LeftButton, kNone, 150, 50);
  PaintBox2MouseUp(r, image, kNone, 150, 50);
  EXPECT_FALSE(r.view.refMarkerShown);
  QImage expected(200, 100, QImage::Format_RGB32);
  expected.fill(Qt::white);
  DrawMarker(expected, 150, 50);
  EXPECT_EQ(image, expected) << "only the last cross is left";
}

TEST(Zoom, NestedZoomKeepsTheFirstSavedTexts) {
  MeasurementRecord r = exampleRecord();
  r.display.panels.status = "Measuring";
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  const QImage clean = canvas.image.copy();
  PaintBox2MouseDown(r, canvas.image, Qt::RightButton, ShiftState({}, Qt::RightButton), 100, 50);
  EXPECT_EQ(r.display.panels.status, "Zoom");
  PaintBox2MouseMove(r, canvas.image, 200, 100);
  PaintBox2MouseMove(r, canvas.image, 300, 200);
  EXPECT_EQ(r.display.panels.potential, "238.41 mV");
  EXPECT_EQ(r.display.panels.current, "14.07 nA");
  QImage outlined = clean.copy();
  drawFocusRect(outlined, QRect(QPoint(100, 50), QPoint(300, 200)));
  EXPECT_EQ(canvas.image, outlined) << "only the last outline is on the screen";
  GraphChange change = PaintBox2MouseUp(r, canvas.image, kNone, 300, 200);
  EXPECT_TRUE(change.axisTexts);
  EXPECT_EQ(r.texts.potStart, "-53.86");
  EXPECT_EQ(r.texts.potEnd, "238.41");
  EXPECT_EQ(r.texts.currMin, "14.07");
  EXPECT_EQ(r.texts.currMax, "41.02");
  EXPECT_EQ(r.display.panels.status, "Measuring");
  ASSERT_TRUE(r.zoomed());
  EXPECT_DOUBLE_EQ(r.params.sweepStart, -0.2);

  DrawGraph(r, canvas, GraphColors());
  PaintBox2MouseDown(r, canvas.image, Qt::RightButton, ShiftState({}, Qt::RightButton), 10, 10);
  PaintBox2MouseMove(r, canvas.image, 20, 20);
  PaintBox2MouseUp(r, canvas.image, kNone, 20, 20);
  EXPECT_NE(r.texts.potStart, "-53.86");
  EXPECT_EQ(r.view.beforeZoom->potStart, "-200");
  EXPECT_EQ(r.view.beforeZoom->currMax, "50");
  EXPECT_DOUBLE_EQ(r.params.sweepStart, -0.2) << "zoomed: the curve keeps its potentials";

  change = resetGraphView(r);
  EXPECT_TRUE(change.axisTexts);
  EXPECT_FALSE(r.zoomed());
  EXPECT_EQ(r.texts.potStart, "-200");
  EXPECT_EQ(r.texts.potEnd, "500");
  EXPECT_EQ(r.texts.currMin, "-10");
  EXPECT_EQ(r.texts.currMax, "50");
}

TEST(Zoom, DragUpOrLeftChangesNoAxis) {
  const QPoint ends[] = {{50, 100}, {300, 20}, {100, 50}};
  for (const QPoint &end : ends) {
    MeasurementRecord r = exampleRecord();
    GraphCanvas canvas;
    DrawGraph(r, canvas, GraphColors());
    PaintBox2MouseDown(r, canvas.image, Qt::RightButton, ShiftState({}, Qt::RightButton), 100, 50);
    PaintBox2MouseMove(r, canvas.image, end.x(), end.y());
    const GraphChange change = PaintBox2MouseUp(r, canvas.image, kNone, end.x(), end.y());
    EXPECT_FALSE(change.axisTexts);
    EXPECT_FALSE(r.zoomed());
    EXPECT_FALSE(r.view.zoomDragging);
    EXPECT_EQ(r.texts.potStart, "-200");
    EXPECT_EQ(r.display.panels.status, "Zoom");
  }
}

TEST(Zoom, NoScaleNoZoom) {
  MeasurementRecord r = exampleRecord();
  r.texts.potEnd = r.texts.potStart;
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  PaintBox2MouseDown(r, canvas.image, Qt::RightButton, ShiftState({}, Qt::RightButton), 10, 10);
  EXPECT_FALSE(r.view.zoomDragging);
  EXPECT_TRUE(r.display.panels.potential.isEmpty());
}

TEST(Reset, ClearsTheReadoutsButThePointNumber) {
  MeasurementRecord r = exampleRecord();
  r.display.panels = {"Zoom", "12 s", "1 mV", "2 nA", "40", "5 nA"};
  resetGraphView(r);
  EXPECT_EQ(r.display.panels.status, "");
  EXPECT_EQ(r.display.panels.time + r.display.panels.potential + r.display.panels.current + r.display.panels.analysis,
            "");
  EXPECT_EQ(r.display.panels.pointNumber, "40");
  r.runState = RunMeasuring;
  resetGraphView(r);
  EXPECT_EQ(r.display.panels.status, "Measuring");
}
