#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "graph/ui/graph_view.h"
#include "graph_fixture.h"

namespace {

// The frame around a plot of 479 x `plotHeight`.
QSize frameFor(int plotHeight) { return QSize(479 + 67, plotHeight + 40); }

bool waitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, 2000); }

// As the window system reports it: press, release, double-click, release.
void doubleClick(QWidget *widget, QPoint pos) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
  QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

}  // namespace

TEST(GraphView, PlotSizeGoesIntoTheRecord) {
  MeasurementRecord r = exampleRecord();
  GraphView view(r);
  view.resize(frameFor(334));
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  EXPECT_EQ(r.view.plotWidth, 479);
  EXPECT_EQ(r.view.plotHeight, 334);
  EXPECT_EQ(view.plotArea()->geometry(), QRect(48, 16, 479, 334));
  EXPECT_EQ(view.plotImage().size(), QSize(479, 334));
  EXPECT_EQ(view.plotArea()->toolTip(), "Graphic presentation of the signal");
  view.resize(60, 30);  // smaller than the margins: no plot area
  EXPECT_EQ(r.view.plotWidth, 0);
  EXPECT_TRUE(view.plotImage().isNull());
}

TEST(GraphView, FiveRequestsWithin100MsGiveOneRedraw) {
  MeasurementRecord r = exampleRecord();
  GraphView view(r);
  view.resize(frameFor(334));
  QSignalSpy drawn(&view, &GraphView::graphDrawn);
  for (int i = 0; i < 5; ++i) {
    r.texts.potEnd = QString::number(500 + i);
    view.Redraw();
  }
  EXPECT_EQ(drawn.count(), 0);
  EXPECT_TRUE(waitFor([&] { return drawn.count() == 1; }));
  QTest::qWait(250);
  EXPECT_EQ(drawn.count(), 1);
  EXPECT_DOUBLE_EQ(r.params.axisPotEnd, 0.504);
}

TEST(GraphView, ZoomDragAndDoubleClickRestoreTheTexts) {
  MeasurementRecord r = exampleRecord();
  GraphView view(r);
  view.resize(frameFor(334));
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  QSignalSpy changed(&view, &GraphView::recordChanged);
  QWidget *plot = view.plotArea();

  QTest::mousePress(plot, Qt::RightButton, {}, QPoint(100, 50));
  QTest::mouseMove(plot, QPoint(300, 200));
  QTest::mouseRelease(plot, Qt::RightButton, {}, QPoint(300, 200));
  EXPECT_EQ(r.texts.potStart, "-53.86");
  EXPECT_EQ(r.texts.potEnd, "238.41");
  EXPECT_EQ(r.texts.currMin, "14.07");
  EXPECT_EQ(r.texts.currMax, "41.02");
  EXPECT_EQ(r.display.panels.status, "Zoom");
  EXPECT_GE(changed.count(), 1);
  EXPECT_TRUE(view.redrawPending());
  EXPECT_TRUE(waitFor([&] { return !view.redrawPending(); }));
  EXPECT_DOUBLE_EQ(r.params.axisPotStart, -0.05386);

  doubleClick(plot, QPoint(200, 100));
  EXPECT_FALSE(r.zoomed());
  EXPECT_EQ(r.texts.potStart, "-200");
  EXPECT_EQ(r.texts.potEnd, "500");
  EXPECT_EQ(r.texts.currMin, "-10");
  EXPECT_EQ(r.texts.currMax, "50");
  EXPECT_DOUBLE_EQ(r.params.axisPotStart, -0.2) << "the double-click redraws at once";
  EXPECT_EQ(r.display.panels.status, "");
}

TEST(GraphView, ShiftClickEditsThePreviouslyMarkedPoint) {
  MeasurementRecord r = exampleRecord();
  r.texts.currMin = "0";  // 10 pixels per nA on a plot 500 high
  r.texts.currMax = "50";
  fillPeak(r, 100, 0);
  for (double &p : r.document.points) p = 20e-9;
  r.document.dataSaved = true;
  GraphView view(r);
  view.resize(frameFor(500));
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  QWidget *plot = view.plotArea();
  const int column12 = qRound((r.pointPotential(12) - r.params.axisPotStart) * r.params.xFactor);
  const int column40 = qRound((r.pointPotential(40) - r.params.axisPotStart) * r.params.xFactor);

  QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(column12, 300));
  ASSERT_EQ(r.display.panels.pointNumber, "12");
  QSignalSpy drawn(&view, &GraphView::graphDrawn);
  QTest::mouseClick(plot, Qt::LeftButton, Qt::ShiftModifier, QPoint(column40, 450));
  EXPECT_NEAR(r.document.points[12], 5e-9, 1e-21);
  EXPECT_DOUBLE_EQ(r.document.points[40], 20e-9);
  EXPECT_DOUBLE_EQ(r.document.points[11], 20e-9);
  EXPECT_EQ(r.display.panels.analysis, "5.00 nA");
  EXPECT_EQ(r.display.panels.pointNumber, "40");
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_TRUE(waitFor([&] { return drawn.count() == 1; }));
  EXPECT_FALSE(r.view.markerShown) << "the redraw wipes the crosses";
}

TEST(GraphView, MarkersLeaveNoTrace) {
  MeasurementRecord r = exampleRecord();
  fillPeak(r, 60, 0);
  GraphView view(r);
  view.resize(frameFor(334));
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  QWidget *plot = view.plotArea();
  const QImage clean = view.plotImage().copy();

  QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(100, 200));
  QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(200, 200));
  const QPoint second(r.view.markerX, r.view.markerY);
  QImage expected = clean.copy();
  DrawMarker(expected, second.x(), second.y());
  EXPECT_EQ(view.plotImage(), expected) << "the first cross is gone";

  QTest::mouseClick(plot, Qt::LeftButton, Qt::ControlModifier, QPoint(300, 200));
  EXPECT_TRUE(r.view.refMarkerShown);
  QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(400, 200));
  expected = clean.copy();
  DrawMarker(expected, r.view.markerX, r.view.markerY);
  EXPECT_EQ(view.plotImage(), expected) << "reference and previous crosses are gone";

  QTest::mousePress(plot, Qt::RightButton, {}, QPoint(50, 50));
  QTest::mouseMove(plot, QPoint(150, 120));
  QTest::mouseMove(plot, QPoint(30, 20));
  QTest::mouseRelease(plot, Qt::RightButton, {}, QPoint(30, 20));
  EXPECT_FALSE(r.zoomed()) << "a drag up and left does not zoom";
  view.PaintBox2DblClick();
  EXPECT_EQ(view.plotImage(), clean);
}

TEST(GraphView, LiveDrawingRepaintsTheNewSegment) {
  MeasurementRecord r = exampleRecord();
  GraphView view(r);
  view.resize(frameFor(334));
  view.PaintBox2DblClick();
  view.DrawPoint(r.params.sweepStart, 0);
  view.DrawPoint(0, 20e-9);
  EXPECT_EQ(view.plotImage().pixel(137, 167), qRgb(0, 0, 255));
  view.setColors([] { return QColor(255, 0, 0); }, [] { return QColor(0, 0, 0); });
  view.DrawPoint(0.1, 20e-9);
  EXPECT_EQ(view.plotImage().pixel(180, 167), qRgb(255, 0, 0));
  view.DrawGraph();
  EXPECT_EQ(view.plotImage().pixel(5, 5), qRgb(0, 0, 0));
}

TEST(GraphView, DoubleClickRedrawsThenMarksTheNearestPoint) {
  MeasurementRecord r = exampleRecord();
  fillPeak(r, 60, 0);
  r.display.panels.current = "1.00 nA";
  GraphView view(r);
  view.resize(frameFor(334));
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  QSignalSpy drawn(&view, &GraphView::graphDrawn);
  doubleClick(view.plotArea(), QPoint(239, 100));
  EXPECT_EQ(drawn.count(), 1);
  EXPECT_TRUE(r.view.markerShown);
  EXPECT_EQ(r.display.panels.pointNumber, QString::number(r.view.markerIndex));
  EXPECT_EQ(r.display.panels.current, r.formatCurrent(r.view.markerCurrent));
}
