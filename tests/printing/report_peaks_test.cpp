// The report's peak table: below the text lines, above the graph, and
// nothing else of the page changes.
#include <gtest/gtest.h>

#include "graph/drawn_peaks.h"
#include "printing/report_peaks.h"
#include "report_test_support.h"
#include "two_peaks.h"

namespace {

MeasurementRecord reportedRecord() {
  MeasurementRecord r = twoPeakRecord();
  r.document.description = QStringList{"Sample A"};
  r.document.dataFileName = "/data/Run.dpv";
  return r;
}

QImage withTable(const MeasurementRecord &r, const std::vector<Peak> &peaks, const PageGeometry &page) {
  QImage image = drawnReport(r, testStyle(), page);
  QPainter painter(&image);
  drawReportPeakTable(painter, page, testStyle(), r, peaks);
  return image;
}

// Pixels that differ outside `area`, and inside it.
std::pair<int, int> differences(const QImage &a, const QImage &b, const QRect &area) {
  int outside = 0, inside = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) ++(area.contains(x, y) ? inside : outside);
  return {outside, inside};
}

ReportLayout layoutWithPitch(int textHeight, int pitch) {
  ReportLayout l;
  l.textHeight = textHeight;
  l.linePitch = pitch;
  return l;
}

}  // namespace

TEST(ReportPeaks, TheTableGoesBelowTheTextAndNothingElseMoves) {
  const PageGeometry page = a4At300Dpi();
  const MeasurementRecord r = reportedRecord();
  const std::vector<Peak> peaks = drawnCurvePeaks(r, AnalysisSettings());
  ASSERT_EQ(peaks.size(), 2u);
  const QImage plain = drawnReport(r, testStyle(), page);
  const QImage table = withTable(r, peaks, page);
  const QRect area = reportPeakTableArea(page, testStyle(), r);
  const ReportLayout l = reportLayout(page, testStyle());
  // One empty line after the last text line; the graph below.
  EXPECT_EQ(area.top(), l.firstLineY + (reportTextLines(r).size() + 1) * l.linePitch);
  EXPECT_LT(area.bottom(), l.graphTop - 1);
  EXPECT_EQ(area.left(), l.left);
  const auto [outside, inside] = differences(plain, table, area);
  EXPECT_EQ(outside, 0);
  EXPECT_GT(inside, 1000);
  // Three lines: header and two rows; nothing below them.
  const QImage below =
      table.copy(area.left(), area.top() + 3 * l.linePitch, area.width(), area.height() - 3 * l.linePitch);
  EXPECT_EQ(below,
            plain.copy(area.left(), area.top() + 3 * l.linePitch, area.width(), area.height() - 3 * l.linePitch));
}

TEST(ReportPeaks, WithoutPeaksOrRoomThePageIsAsBefore) {
  const PageGeometry page = a4At300Dpi();
  MeasurementRecord r = reportedRecord();
  const std::vector<Peak> peaks = drawnCurvePeaks(r, AnalysisSettings());
  EXPECT_EQ(withTable(r, {}, page), drawnReport(r, testStyle(), page));
  // A description that fills the upper half leaves no line free.
  for (int i = 0; i < 30; ++i) r.document.description << QStringLiteral("Line %1").arg(i);
  EXPECT_TRUE(reportPeakTableArea(page, testStyle(), r).height() < 3 * reportLayout(page, testStyle()).linePitch);
  EXPECT_EQ(withTable(r, peaks, page), drawnReport(r, testStyle(), page));
}

TEST(ReportPeaks, PeaksThatDoNotFitAreCounted) {
  const ReportLayout l = layoutWithPitch(50, 55);
  const QRect fourLines(0, 0, 1000, 3 * 55 + 50);
  EXPECT_EQ(reportPeakTableLines(l, fourLines, 2), 3);
  EXPECT_EQ(reportPeakTableLines(l, fourLines, 3), 4);
  // Header, two rows and the line of the rest.
  EXPECT_EQ(reportPeakTableLines(l, fourLines, 10), 4);
  const QRect twoLines(0, 0, 1000, 55 + 50);
  EXPECT_EQ(reportPeakTableLines(l, twoLines, 1), 2);
  EXPECT_EQ(reportPeakTableLines(l, twoLines, 2), 0);
  EXPECT_EQ(reportPeakTableLines(l, QRect(0, 0, 1000, 49), 1), 0);
  EXPECT_EQ(reportPeakTableLines(l, fourLines, 0), 0);
}
