// The peak analysis on the graph as the user works it: the table follows the
// redraws, a row click marks the top, a baseline end is dragged.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>

#include "analysis/ui/peak_table_view.h"
#include "graph/peak_marks.h"
#include "graph/ui/graph_view.h"
#include "graph/ui/peak_analysis_view.h"
#include "two_peaks.h"

namespace {

struct ShownAnalysis {
  MeasurementRecord record = twoPeakRecord();
  QWidget window;
  GraphView *graph = new GraphView(record, &window);
  PeakAnalysisView analysis{record, *graph, [this](PeakTableView *table) { table->setParent(&window); }};

  ShownAnalysis() {
    graph->setGeometry(0, 0, 479 + 67, 334 + 40);
    analysis.table()->setGeometry(560, 0, 300, 374);
    window.resize(870, 380);
    window.show();
    analysis.setShown(true);
  }
  PeakTableView &table() { return *analysis.table(); }
  QString cell(int row, int column) { return table().item(row, column)->text(); }
};

}  // namespace

TEST(PeakAnalysisView, TheTableShowsThePeaksInTheGraphsUnits) {
  ShownAnalysis s;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.window));
  EXPECT_TRUE(s.table().isVisible());
  ASSERT_EQ(s.table().rowCount(), 2);
  ASSERT_EQ(s.table().columnCount(), 5);
  EXPECT_EQ(s.table().horizontalHeaderItem(2)->text(), "Height\n[uA]");
  EXPECT_EQ(s.cell(0, 0), "1");
  // potDigits 1 and currDigits 2 for this axis, one more in the table.
  EXPECT_EQ(s.cell(0, 1), "50.00");
  EXPECT_EQ(s.cell(1, 1), "300.00");
  EXPECT_NEAR(s.cell(1, 2).toDouble(), 20, 0.2);
  EXPECT_EQ(s.cell(1, 2).size(), 6);
  EXPECT_EQ(s.cell(1, 3).left(3), "60.");
  s.analysis.setShown(false);
  EXPECT_FALSE(s.table().isVisible());
}

TEST(PeakAnalysisView, ARowClickMarksThePeakTopAsAClickOnTheCurve) {
  ShownAnalysis s;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.window));
  const QImage before = s.graph->plotImage().copy();
  const QRect row = s.table().visualItemRect(s.table().item(1, 1));
  QTest::mouseClick(s.table().viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(s.record.display.panels.pointNumber, "500");
  EXPECT_EQ(s.record.display.panels.potential, "300.0 mV");
  EXPECT_EQ(s.record.display.panels.current, "20.00 uA");
  EXPECT_TRUE(s.record.view.markerShown);
  EXPECT_NE(s.graph->plotImage(), before);
  // The next row's click takes the cross away from the first top.
  const QRect first = s.table().visualItemRect(s.table().item(0, 1));
  QTest::mouseClick(s.table().viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_EQ(s.record.display.panels.pointNumber, "250");
  // A click on the top itself gives the same readouts.
  const Peak &top = s.analysis.peaks()[0];
  const QPoint at = plotPixel(s.record, top.potential, top.topCurrent);
  const StatusPanels byRow = s.record.display.panels;
  QTest::mouseClick(s.graph->plotArea(), Qt::LeftButton, {}, at);
  EXPECT_EQ(s.record.display.panels.potential, byRow.potential);
  EXPECT_EQ(s.record.display.panels.pointNumber, byRow.pointNumber);
}

TEST(PeakAnalysisView, DraggingABaselineEndAlongTheCurveUpdatesTheTable) {
  ShownAnalysis s;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.window));
  const Peak before = s.analysis.peaks()[1];
  const QString area = s.cell(1, 4);
  QWidget *plot = s.graph->plotArea();
  const QPoint end = plotPixel(s.record, before.high.potential, before.high.current);
  const int to = plotPixel(s.record, 0.340, 0).x();
  QTest::mousePress(plot, Qt::LeftButton, {}, end);
  QTest::mouseMove(plot, QPoint((end.x() + to) / 2, end.y()));
  QTest::mouseMove(plot, QPoint(to, end.y() + 40));
  QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(to, end.y() + 40));
  const Peak &after = s.analysis.peaks()[1];
  // The end stays on the curve, at the point of the column let go.
  EXPECT_NEAR(after.high.potential, 0.340, 0.002);
  EXPECT_EQ(after.low.index, before.low.index);
  EXPECT_NE(s.cell(1, 4), area);
  // The press took the end, not a point: no marker, no readout.
  EXPECT_FALSE(s.record.view.markerShown);
  EXPECT_TRUE(s.record.display.panels.pointNumber.isEmpty());
  // A redraw of the same curve keeps the line; the zoom analyses afresh.
  s.graph->DrawGraph();
  EXPECT_NEAR(s.analysis.peaks()[1].high.potential, 0.340, 0.002);
  QTest::mousePress(plot, Qt::RightButton, {}, QPoint(plotPixel(s.record, 0.150, 0).x(), 10));
  QTest::mouseMove(plot, QPoint(470, 320));
  QTest::mouseRelease(plot, Qt::RightButton, {}, QPoint(470, 320));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !s.graph->redrawPending(); }, 2000));
  ASSERT_EQ(s.table().rowCount(), 1);
  EXPECT_EQ(s.cell(0, 1).left(3), "300");
  EXPECT_NEAR(s.analysis.peaks()[0].high.potential, before.high.potential, 0.002);
}

TEST(PeakAnalysisView, HiddenItLeavesTheMouseToTheGraph) {
  ShownAnalysis s;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.window));
  s.analysis.setShown(false);
  const Peak &peak = s.analysis.peaks()[1];
  const QPoint end = plotPixel(s.record, peak.high.potential, peak.high.current);
  QTest::mouseClick(s.graph->plotArea(), Qt::LeftButton, {}, end);
  EXPECT_TRUE(s.record.view.markerShown);
  EXPECT_FALSE(s.record.display.panels.pointNumber.isEmpty());
  // The analysis still follows the curve, for the report.
  EXPECT_EQ(s.analysis.peaks().size(), 2u);
}
