// The report drawn into an image of a known page: layout figures, frame,
// grid, curve and text lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "printing/report_layout.h"
#include "report_test_support.h"

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kRed = qRgb(255, 0, 0);

int countInColumn(const QImage &image, int x, int y0, int y1, QRgb colour) {
  int n = 0;
  for (int y = y0; y < y1; ++y) n += image.pixel(x, y) == colour;
  return n;
}

int countColour(const QImage &image, QRgb colour, QRect area = QRect()) {
  if (area.isNull()) area = image.rect();
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) n += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF);
  }
  return n;
}

// The graph below the text block.
QRect graphArea(const QImage &image, const ReportLayout &l) {
  return QRect(0, l.graphTop - 1, image.width(), image.height() - l.graphTop + 1);
}

// Middles of the lines inside the frame that are grey from top to bottom.
std::vector<double> solidGreyLines(const QImage &image, const ReportLayout &l) {
  std::vector<double> lines;
  const int y0 = l.graphTop + 8, y1 = image.height() - l.bottom - 8;
  int runStart = -1;
  for (int x = l.left + 8; x < image.width() - l.right - 8; ++x) {
    const bool solid = countInColumn(image, x, y0, y1, kGrey) >= y1 - y0 - 1;
    if (solid && runStart < 0) runStart = x;
    if (!solid && runStart >= 0) {
      lines.push_back((runStart + x - 1) / 2.0);
      runStart = -1;
    }
  }
  return lines;
}

// Lengths of the runs of `colour` and of the gaps between them, walking
// `count` pixels from `from` in steps of `step`.
struct Runs {
  std::vector<int> on, off;
};

Runs runsAlong(const QImage &image, QPoint from, QPoint step, int count, QRgb colour) {
  Runs runs;
  bool inRun = false;
  int length = 0;
  for (int i = 0; i < count; ++i, from += step) {
    const bool hit = image.pixel(from) == colour;
    if (i > 0 && hit != inRun) {
      (inRun ? runs.on : runs.off).push_back(length);
      length = 0;
    }
    inRun = hit;
    ++length;
  }
  return runs;
}

int median(std::vector<int> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

bool rowHasInk(const QImage &image, int y, int x0, int x1) {
  for (int x = x0; x < x1; ++x)
    if (qGray(image.pixel(x, y)) < 128) return true;
  return false;
}

}  // namespace

TEST(ReportLayout, TwelvePointFontAt600DpiGivesTheTextPitch) {
  const ReportLayout l = reportLayout(a4At600Dpi(), testStyle());
  EXPECT_EQ(l.textHeight, 100);
  EXPECT_EQ(l.titleHeight, 117);
  EXPECT_EQ(l.linePitch, 110);
  EXPECT_EQ(l.ruleY, l.top + 117 + 5);
  EXPECT_EQ(l.firstLineY, l.top + 217);
}

TEST(ReportLayout, MarginsAreMeasuredFromTheSheetEdge) {
  const ReportLayout l = reportLayout(a4At600Dpi(), testStyle());
  // 2 cm is 472 pixels; the 118-pixel border leaves 354, that is 1.5 cm.
  EXPECT_EQ(l.left, 354);
  EXPECT_EQ(l.right, 354);
  EXPECT_EQ(l.top, 354);
  EXPECT_EQ(l.bottom, 354);
  EXPECT_EQ(l.graphTop, (6780 - 708) / 2 + 354);
  EXPECT_TRUE(l.graphFits);
}

TEST(ReportDrawing, FrameBeginsOneAndAHalfCentimetresInsideThePrintableArea) {
  const QImage image = drawnReport(testRecord());
  const ReportLayout l = reportLayout(a4At600Dpi(), testStyle());
  // Beside the 0 A line, which runs over the frame's left edge.
  const int middle = (l.graphTop + image.height() - l.bottom) / 2 + 7;
  EXPECT_NEAR(l.left, 1.5 / 2.54 * 600, 0.5);
  EXPECT_EQ(qGray(image.pixel(l.left, middle)), 0);
  EXPECT_EQ(image.pixel(l.left - 1, middle), kWhite);
  EXPECT_EQ(qGray(image.pixel(image.width() - l.right - 1, middle)), 0);
  EXPECT_EQ(qGray(image.pixel(image.width() / 2 + 7, l.graphTop)), 0);
}

// Line width 2 is 2 pixels of curve and 1 of frame and grid at 300 dpi, and
// twice that at 600 dpi: the page looks the same at every resolution. All
// four frame edges survive the blanking; the grid dots are 2 pixels long with
// gaps of 4.
TEST(ReportDrawing, PensScaleWithTheResolutionAndTheFrameKeepsFourEdges) {
  MeasurementRecord r = testRecord();
  r.document.points.assign(1001, 0.5e-6);  // a flat curve a quarter below the frame top
  r.document.pointIndex = 1000;
  const QRgb kBlack = qRgb(0, 0, 0);
  for (const PageGeometry &page : {a4At300Dpi(), a4At600Dpi()}) {
    SCOPED_TRACE(page.dpiX);
    const int k = page.dpiX / 300;
    const QImage image = drawnReport(r, testStyle(), page);
    const ReportLayout l = reportLayout(page, testStyle());
    const int right = page.pageWidth - l.right, bottom = page.pageHeight - l.bottom;
    const int row = (l.graphTop + bottom) / 2 + 7 * k, column = (l.left + right) / 2 + 7 * k;

    // Across each edge from 10 pixels outside: white, then k pixels of black.
    const struct {
      QPoint from, step;
    } edges[] = {{{l.left - 10, row}, {1, 0}},
                 {{right + 9, row}, {-1, 0}},
                 {{column, l.graphTop - 10}, {0, 1}},
                 {{column, bottom + 9}, {0, -1}}};
    for (const auto &edge : edges) {
      const Runs runs = runsAlong(image, edge.from, edge.step, 20, kBlack);
      EXPECT_EQ(runs.off.front(), 10) << edge.from.x() << "," << edge.from.y();
      EXPECT_EQ(runs.on, std::vector<int>{k}) << edge.from.x() << "," << edge.from.y();
    }

    EXPECT_EQ(countInColumn(image, (l.left + right) / 3, l.graphTop, bottom, kRed), 2 * k);

    // The current grid line at 0.4 uA and the potential line at 0.1 V.
    const double sy = (page.pageHeight - l.top - l.bottom) * 0.5 / 2e-6;
    const double sx = (right - l.left) / 1.0;
    const int lineRow = bottom - qRound(1.4e-6 * sy) - k / 2;
    const int lineColumn = l.left + qRound(0.6 * sx) - k / 2;
    const Runs across = runsAlong(image, QPoint(l.left + k, lineRow), QPoint(1, 0), right - l.left - 2 * k, kGrey);
    EXPECT_EQ(median(across.on), 2 * k);
    EXPECT_EQ(median(across.off), 4 * k);
    const Runs down =
        runsAlong(image, QPoint(lineColumn, l.graphTop + k), QPoint(0, 1), bottom - l.graphTop - 2 * k, kGrey);
    EXPECT_EQ(median(down.on), 2 * k);
    EXPECT_EQ(median(down.off), 4 * k);
  }
}

TEST(ReportDrawing, AxisThroughZeroHasOneSolidLineAtZeroVolts) {
  const ReportLayout l = reportLayout(a4At600Dpi(), testStyle());
  const QImage image = drawnReport(testRecord());
  const std::vector<double> solid = solidGreyLines(image, l);
  ASSERT_EQ(solid.size(), 1u);
  const double sx = (4725 - 708) / 1.0;
  EXPECT_NEAR(solid[0], l.left + 0.5 * sx, 1.0);
  // The dotted lines are there too: 0.1 V apart.
  EXPECT_GT(countInColumn(image, l.left + qRound(0.6 * sx), l.graphTop + 2, 6780 - l.bottom - 2, kGrey), 100);

  MeasurementRecord positive = testRecord();
  positive.params.axisPotStart = 0.1;
  positive.params.axisPotEnd = 0.5;
  EXPECT_TRUE(solidGreyLines(drawnReport(positive), l).empty());
}

TEST(ReportDrawing, HiddenGridDrawsNoGreyLines) {
  ReportStyle style = testStyle();
  style.visibleGrid = false;
  const QImage image = drawnReport(testRecord(), style);
  EXPECT_EQ(countColour(image, kGrey, graphArea(image, reportLayout(a4At600Dpi(), style))), 0);
}

TEST(ReportDrawing, CurveNeedsTwoPoints) {
  MeasurementRecord r = testRecord();
  r.document.points = {0.5e-6, 0.2e-6, -0.3e-6};
  std::optional<double> last;

  r.document.pointIndex = 1;
  EXPECT_EQ(countColour(drawnReport(r, testStyle(), a4At600Dpi(), &last), kRed), 0);
  ASSERT_TRUE(last.has_value());
  EXPECT_DOUBLE_EQ(*last, 0.5e-6);

  r.document.pointIndex = 2;
  EXPECT_GT(countColour(drawnReport(r, testStyle(), a4At600Dpi(), &last), kRed), 0);
  EXPECT_DOUBLE_EQ(*last, 0.2e-6);

  r.document.pointIndex = 0;
  EXPECT_EQ(countColour(drawnReport(r, testStyle(), a4At600Dpi(), &last), kRed), 0);
  EXPECT_FALSE(last.has_value());
}

TEST(ReportDrawing, CurveIsSmoothedAndCutAtTheFrame) {
  MeasurementRecord r = testRecord();
  r.params.dampingFactor = 0.5;
  r.params.dampingRest = 0.5;
  // The middle value runs far above the axis: the blanking removes it above the frame.
  r.document.points = {0, 10e-6, 0, 0};
  r.document.pointIndex = 4;
  std::optional<double> last;
  const QImage image = drawnReport(r, testStyle(), a4At600Dpi(), &last);
  ASSERT_TRUE(last.has_value());
  EXPECT_DOUBLE_EQ(*last, 1.25e-6);  // 0, 5, 2.5, 1.25 uA
  const ReportLayout l = reportLayout(a4At600Dpi(), testStyle());
  for (int y = 0; y < l.graphTop - 1; ++y)
    for (int x = 0; x < image.width(); x += 3) ASSERT_NE(image.pixel(x, y), kRed) << x << "," << y;
}

TEST(ReportDrawing, TitleRuleAndLinesFollowTheFontHeight) {
  const QImage image = drawnReport(testRecord());
  const ReportLayout l = reportLayout(a4At600Dpi(), testStyle());
  const int right = image.width() - l.right;
  // The rule under the title runs across the text width.
  auto fullRow = [&](int y) {
    for (int x = l.left; x < right; ++x)
      if (qGray(image.pixel(x, y)) > 64) return false;
    return true;
  };
  EXPECT_TRUE(fullRow(l.top + 122));
  EXPECT_FALSE(fullRow(l.top + 118));
  EXPECT_FALSE(fullRow(l.top + 126));

  // Every text line starts with a capital, so its ink starts at the same
  // height within the line: the starts are 110 pixels apart (220 across the
  // empty lines).
  std::vector<int> starts;
  bool inInk = false;
  for (int y = l.ruleY + 10; y < l.graphTop - 1; ++y) {
    const bool ink = rowHasInk(image, y, l.left, l.left + 1200);
    if (ink && !inInk) starts.push_back(y);
    inInk = ink;
  }
  ASSERT_EQ(starts.size(), 17u);  // 19 lines, two of them empty
  std::vector<int> gaps(13, 110);
  gaps.insert(gaps.begin(), 220);
  gaps.push_back(220);
  gaps.push_back(110);
  for (size_t i = 1; i < starts.size(); ++i) EXPECT_EQ(starts[i] - starts[i - 1], gaps[i - 1]) << "line " << i;
  EXPECT_GT(starts[0], l.firstLineY);
  EXPECT_LT(starts[0], l.firstLineY + 40);
}

TEST(ReportDrawing, ZeroPotentialSpanDrawsFrameAndTextOnly) {
  MeasurementRecord r = testRecord();
  r.params.axisPotStart = r.params.axisPotEnd = 0;
  r.document.points = {1e-7, 2e-7, 3e-7};
  r.document.pointIndex = 3;
  std::optional<double> last;
  const QImage image = drawnReport(r, testStyle(), a4At600Dpi(), &last);
  const ReportLayout l = reportLayout(a4At600Dpi(), testStyle());
  EXPECT_FALSE(last.has_value());
  EXPECT_EQ(countColour(image, kGrey, graphArea(image, l)), 0);
  EXPECT_EQ(countColour(image, kRed), 0);
  EXPECT_EQ(qGray(image.pixel(l.left, (l.graphTop + image.height() - l.bottom) / 2)), 0);
  EXPECT_TRUE(rowHasInk(image, l.firstLineY + 50, l.left, l.left + 1000));
}

struct BadMargins {
  double left, right, top, bottom;
  bool frame;
};

class ReportMargins : public ::testing::TestWithParam<BadMargins> {};

TEST_P(ReportMargins, DrawWhatFits) {
  const BadMargins m = GetParam();
  ReportStyle style = testStyle();
  style.marginLeft = m.left;
  style.marginRight = m.right;
  style.marginTop = m.top;
  style.marginBottom = m.bottom;
  MeasurementRecord r = testRecord();
  r.document.points = {0, 1e-7, 2e-7};
  r.document.pointIndex = 3;
  const ReportLayout l = reportLayout(a4At600Dpi(), style);
  EXPECT_EQ(l.graphFits, m.frame);
  const QImage image = drawnReport(r, style);
  EXPECT_FALSE(image.isNull());
}

INSTANTIATE_TEST_SUITE_P(Rows, ReportMargins,
                         ::testing::Values(BadMargins{0, 0, 0, 0, true},      // empty or not a number
                                           BadMargins{-5, -5, -5, -5, true},  // inside the unprintable border
                                           BadMargins{12, 12, 2, 2, false},   // no width left
                                           BadMargins{2, 2, 20, 20, false},   // no height left
                                           BadMargins{1e308, 1e308, 1e308, 1e308, false},
                                           BadMargins{std::nan(""), 2, std::numeric_limits<double>::infinity(), 2,
                                                      true}));

TEST(ReportText, EighteenLinesAfterTheDescription) {
  MeasurementRecord r = testRecord();
  r.document.description = QStringList{"first", "second"};
  r.texts.dampingUnitIndex = 1;
  const QStringList lines = reportTextLines(r);
  ASSERT_EQ(lines.size(), 2 + 1 + 17);
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "File: Run.dpv");
  EXPECT_EQ(lines[4], "Date & Time: Monday");
  EXPECT_EQ(lines[5], "Potential start:  -500 mV");
  EXPECT_EQ(lines[7], "Sweep speed:  10 mV/s");
  EXPECT_EQ(lines[10], "Data accumulation:  10 %");
  EXPECT_EQ(lines[13], "Signal damping:  0 ms");
  EXPECT_EQ(lines[16], "Pulse number: 1000");
  EXPECT_EQ(lines[17], "");
  EXPECT_EQ(lines[18], "Current axis:  -1 .. 1 uA");
  EXPECT_EQ(lines[19], "Potential axis:  -500 .. 500 mV");

  r.document.dataFileName.clear();
  EXPECT_EQ(reportTextLines(r)[3], "File: ");
}
