// A Ctrl+click keeps the marked point as the reference; the analysis result
// then tells the difference from the reference to the newly marked point.
#include <gtest/gtest.h>
#include <QTest>

#include "qstring_print.h"

#include "graph/ui/graph_view.h"
#include "graph_fixture.h"

namespace {

class ReferenceDifference : public ::testing::Test {
 protected:
  void SetUp() override {
    fillPeak(r, 60, 0);
    view.resize(479 + 67, 334 + 40);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    plot = view.plotArea();
  }

  // The pixel of point i on the drawn curve.
  QPoint pointAt(int i) const {
    return QPoint(qRound((r.pointPotential(i) - r.params.axisPotStart) * r.params.xFactor),
                  r.view.plotHeight - qRound((r.document.points[i] - r.params.axisCurrMin) * r.params.yFactor));
  }

  MeasurementRecord r = exampleRecord();
  GraphView view{r};
  QWidget *plot = nullptr;
};

}  // namespace

TEST_F(ReferenceDifference, CtrlClickShowsPotentialAndCurrentDifferenceInTheProgramsFormat) {
  QTest::mouseClick(plot, Qt::LeftButton, {}, pointAt(25));
  ASSERT_EQ(r.display.panels.pointNumber, "25");
  EXPECT_EQ(r.display.panels.analysis, "");
  QTest::mouseClick(plot, Qt::LeftButton, Qt::ControlModifier, pointAt(30));
  ASSERT_EQ(r.display.panels.pointNumber, "30");
  ASSERT_TRUE(r.view.refMarkerShown);
  // Five points of 11.667 mV up to the top of the peak, 22.309 nA higher.
  EXPECT_EQ(r.display.panels.analysis, "dE 58.3 mV, di 22.31 nA");

  // A second Ctrl+click measures from the same reference; backwards is negative.
  QTest::mouseClick(plot, Qt::LeftButton, Qt::ControlModifier, pointAt(20));
  EXPECT_EQ(r.view.refMarkerIndex, 25);
  EXPECT_EQ(r.display.panels.analysis, "dE -58.3 mV, di -7.56 nA");

  // A plain click ends the reference and its result.
  QTest::mouseClick(plot, Qt::LeftButton, {}, pointAt(30));
  EXPECT_FALSE(r.view.refMarkerShown);
  EXPECT_EQ(r.display.panels.analysis, "");
}

TEST_F(ReferenceDifference, CtrlClickWithoutAMarkedPointBeforeShowsNoDifference) {
  QTest::mouseClick(plot, Qt::LeftButton, Qt::ControlModifier, pointAt(20));
  EXPECT_EQ(r.display.panels.pointNumber, "20");
  EXPECT_EQ(r.display.panels.analysis, "");
}

TEST_F(ReferenceDifference, WithDampingTheDifferenceIsThatOfTheDrawnCurrents) {
  r.texts.damping = "60";
  view.DrawGraph();
  ASSERT_GT(r.params.dampingFactor, 0.5);
  QTest::mouseClick(plot, Qt::LeftButton, {}, pointAt(25));
  const double reference = r.display.panels.current.section(' ', 0, 0).toDouble();
  QTest::mouseClick(plot, Qt::LeftButton, Qt::ControlModifier, pointAt(30));
  const double marked = r.display.panels.current.section(' ', 0, 0).toDouble();
  const QString di = r.display.panels.analysis.section(", di ", 1);
  ASSERT_TRUE(di.endsWith(" nA")) << r.display.panels.analysis.toStdString();
  EXPECT_NEAR(di.section(' ', 0, 0).toDouble(), marked - reference, 0.0101);
  EXPECT_GT(marked - reference, 1);
}
