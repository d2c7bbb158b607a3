// The peak analysis of the drawn curve: what it analyses, when it analyses
// afresh, baselines moved by the user, and its marks over the curve.
#include <gtest/gtest.h>

#include "graph/drawn_peaks.h"
#include "graph/graph_drawing.h"
#include "graph/peak_marks.h"
#include "graph/smoothing.h"
#include "two_peaks.h"

namespace {

const QRgb kMark = qRgb(200, 0, 0);

int countColor(const QImage &image, QRgb color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == color;
  return n;
}

void zoomTo(MeasurementRecord &r, const QString &start, const QString &end) {
  if (!r.zoomed()) r.view.beforeZoom = AxisTexts{r.texts.potStart, r.texts.potEnd, r.texts.currMin, r.texts.currMax};
  r.texts.potStart = start;
  r.texts.potEnd = end;
  XYFactors(r);
}

}  // namespace

TEST(DrawnPeaks, TheVisibleDrawnPointsAreAnalysed) {
  MeasurementRecord r = twoPeakRecord();
  DrawnPeaks analysis;
  EXPECT_TRUE(analysis.follow(r));
  ASSERT_EQ(analysis.peaks().size(), 2u);
  EXPECT_NEAR(analysis.peaks()[0].potential, 0.050, 0.001);
  EXPECT_NEAR(analysis.peaks()[1].potential, 0.300, 0.001);
  EXPECT_NEAR(analysis.peaks()[1].height, 20e-6, 0.5e-6);
  // The graph draws points 0 .. pointIndex - 1.
  EXPECT_EQ(analysis.curve().count, static_cast<std::size_t>(r.document.pointIndex));

  // Zoomed on the second peak: only its points, at their own indices.
  zoomTo(r, "150", "500");
  EXPECT_TRUE(analysis.follow(r));
  ASSERT_EQ(analysis.peaks().size(), 1u);
  EXPECT_NEAR(analysis.peaks()[0].potential, 0.300, 0.001);
  EXPECT_EQ(analysis.recordIndex(0), 350);
  EXPECT_EQ(analysis.recordIndex(analysis.peaks()[0].topIndex), 500);
  // Nothing of the curve in view.
  zoomTo(r, "800", "900");
  analysis.follow(r);
  EXPECT_TRUE(analysis.peaks().empty());
}

TEST(DrawnPeaks, DampingIsAnalysedAsDrawn) {
  MeasurementRecord r = twoPeakRecord();
  const Peak undamped = drawnCurvePeaks(r, AnalysisSettings())[1];
  r.texts.damping = "80";
  computeDampingWeights(r);
  const std::vector<Peak> damped = drawnCurvePeaks(r, AnalysisSettings());
  ASSERT_EQ(damped.size(), 2u);
  // The damped curve lags behind the sweep and is lower.
  EXPECT_GT(damped[1].potential, undamped.potential + 0.002);
  EXPECT_LT(damped[1].height, undamped.height * 0.995);
}

TEST(DrawnPeaks, AMovedBaselineStaysWhileTheCurveDoes) {
  MeasurementRecord r = twoPeakRecord();
  DrawnPeaks analysis;
  analysis.follow(r);
  const Peak before = analysis.peaks()[0];
  std::size_t moved = 9;
  ASSERT_TRUE(analysis.moveBaselineEnd(0, BaselineSide::High, 0.120, &moved));
  EXPECT_EQ(moved, 0u);
  const Peak &after = analysis.peaks()[0];
  EXPECT_NEAR(after.high.potential, 0.120, 1e-9);
  EXPECT_EQ(after.low.index, before.low.index);
  // The line now cuts into the peak's right flank: less area.
  EXPECT_LT(after.area, before.area * 0.95);
  // A redraw of the same curve keeps it.
  EXPECT_FALSE(analysis.follow(r));
  EXPECT_NEAR(analysis.peaks()[0].high.potential, 0.120, 1e-9);
  // An edited point is another curve: analysed afresh.
  r.document.points[10] += 1e-7;
  EXPECT_TRUE(analysis.follow(r));
  EXPECT_NEAR(analysis.peaks()[0].high.potential, before.high.potential, 1e-9);
}

TEST(DrawnPeaks, BaselineEndsThatLeaveNoPeakAreRefused) {
  MeasurementRecord r = twoPeakRecord();
  DrawnPeaks analysis;
  analysis.follow(r);
  const Peak before = analysis.peaks()[0];
  // Onto the other end: no point between the ends.
  EXPECT_FALSE(analysis.moveBaselineEnd(0, BaselineSide::Low, before.high.potential));
  EXPECT_EQ(analysis.peaks()[0].low.index, before.low.index);
  EXPECT_FALSE(analysis.moveBaselineEnd(5, BaselineSide::Low, 0.0));
  // Dragged over the second peak, the first one's line measures that one, and
  // the table stays in increasing potential.
  std::size_t moved = 0;
  ASSERT_TRUE(analysis.moveBaselineEnd(0, BaselineSide::Low, 0.450, &moved));
  ASSERT_EQ(analysis.peaks().size(), 2u);
  EXPECT_LE(analysis.peaks()[0].potential, analysis.peaks()[1].potential);
  EXPECT_NEAR(analysis.peaks()[moved].high.potential, 0.450, 1e-9);
}

TEST(PeakMarks, DrawnOverTheCurveUnderTheMarkerCrosses) {
  MeasurementRecord r = twoPeakRecord();
  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  const QImage plain = canvas.image.copy();
  const std::vector<Peak> peaks = drawnCurvePeaks(r, AnalysisSettings());
  {
    QPainter painter(&canvas.image);
    drawPeakMarks(painter, r, peaks);
  }
  EXPECT_EQ(countColor(plain, kMark), 0);
  EXPECT_GT(countColor(canvas.image, kMark), 200);
  // The baseline end's handle sits where the curve is drawn.
  const QPoint end = plotPixel(r, peaks[1].high.potential, peaks[1].high.current);
  EXPECT_EQ(canvas.image.pixel(end.x() - 2, end.y()), kMark);
  // A marker cross inverts the marks too; a second one restores them.
  const QImage marked = canvas.image.copy();
  const QPoint top = plotPixel(r, peaks[0].potential, peaks[0].topCurrent);
  DrawMarker(canvas.image, top.x(), top.y());
  EXPECT_NE(canvas.image, marked);
  DrawMarker(canvas.image, top.x(), top.y());
  EXPECT_EQ(canvas.image, marked);
  // The next redraw leaves them out.
  DrawGraph(r, canvas, GraphColors());
  EXPECT_EQ(canvas.image, plain);
}

TEST(PeakMarks, BaselineEndsAreFoundNearTheirPixel) {
  MeasurementRecord r = twoPeakRecord();
  const std::vector<Peak> peaks = drawnCurvePeaks(r, AnalysisSettings());
  const QPoint end = plotPixel(r, peaks[1].low.potential, peaks[1].low.current);
  const auto found = baselineEndAt(r, peaks, end.x() + 3, end.y() - 3);
  ASSERT_TRUE(found.has_value());
  // The first peak's high end and the second's low end may share the valley:
  // either is the same point of the curve.
  const BaselineEnd &at = found->side == BaselineSide::Low ? peaks[found->peak].low : peaks[found->peak].high;
  EXPECT_EQ(at.index, peaks[1].low.index);
  EXPECT_FALSE(baselineEndAt(r, peaks, end.x() + 6, end.y()).has_value());
  EXPECT_FALSE(baselineEndAt(r, {}, end.x(), end.y()).has_value());
}
