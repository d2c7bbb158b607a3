// The one-page quantitation report: its text lines and where it draws them.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "qstring_print.h"
#include "quantitation/quantitation_report.h"

namespace {

QuantitationResult standardAddition() {
  QuantitationResult r;
  r.method = Method::StandardAddition;
  r.unit = QStringLiteral("mmol/L");
  r.fit = fitLine({0, 0, 1, 2}, {1.5e-6, 1.52e-6, 2.49e-6, 3.5e-6});
  r.points = {{0, 1.5e-6, Role::Sample},
              {0, 1.52e-6, Role::Sample},
              {1, 2.49e-6, Role::Addition},
              {2, 3.5e-6, Role::Addition},
              {0, 1e-8, Role::Blank}};
  r.peakPotential = 0.0751;
  r.matchPotential = 0.075;
  r.matchWindow = 0.02;
  r.lod = 0.0123;
  r.loq = 0.0373;
  r.samples.push_back({QStringLiteral("river"), 2, 1.51e-6, 1.5, 0.02});
  r.warnings << QStringLiteral("A warning.");
  return r;
}

}  // namespace

TEST(QuantitationReport, LinesTellTheTableMethodResultsAndWarnings) {
  const QStringList lines = quantitationReportLines(standardAddition(), QStringLiteral("/data/river table.csv"));
  ASSERT_GE(lines.size(), 16);
  EXPECT_EQ(lines[0], "Table:  river table.csv");
  EXPECT_EQ(lines[1], "Files:  2 additions, 2 samples, 1 blank");
  EXPECT_EQ(lines[2], "Method:  standard addition");
  EXPECT_EQ(lines[3], "Peaks within 20.0 mV of 75.0 mV");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "Peak potential [mV]:  75.1");
  EXPECT_TRUE(lines[6].startsWith("Slope:  ") && lines[6].endsWith(" A per mmol/L")) << lines[6].toStdString();
  EXPECT_EQ(lines[10], "LOD:  0.0123 mmol/L");
  EXPECT_EQ(lines[12], "Concentration river:  1.5 mmol/L");
  EXPECT_EQ(lines[13], "Uncertainty river:  0.02 mmol/L");
  EXPECT_EQ(lines.mid(14), (QStringList{"", "A warning."}));
  QuantitationResult weighted = standardAddition();
  weighted.method = Method::Calibration;
  weighted.weighting = Weighting::InverseSquare;
  EXPECT_EQ(quantitationReportLines(weighted, QString())[0], "Table:  not saved");
  EXPECT_EQ(quantitationReportLines(weighted, QString())[2], "Method:  calibration, weighted by 1/x²");
}

TEST(QuantitationReport, TitleAboveThePlotInTheLowerHalf) {
  // An A4 page at 100 dpi with the report's margins of 2 cm.
  const PageGeometry page{827, 1169, 827, 1169, 100, 100};
  ReportStyle style;
  style.font.setPointSize(12);
  QImage image(page.pageWidth, page.pageHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  drawQuantitationReport(painter, page, style, standardAddition(), QStringLiteral("t.csv"));
  painter.end();
  const ReportLayout l = reportLayout(page, style);
  auto inked = [&](int top, int bottom, int left, int right) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
    return false;
  };
  EXPECT_TRUE(inked(l.top, l.ruleY + 2, l.left, page.pageWidth - l.right));                      // title and rule
  EXPECT_TRUE(inked(l.graphTop, page.pageHeight - l.bottom, l.left, page.pageWidth - l.right));  // the plot
  EXPECT_FALSE(inked(0, page.pageHeight, page.pageWidth - l.right + 1, page.pageWidth));         // right margin
  EXPECT_FALSE(inked(page.pageHeight - l.bottom + 1, page.pageHeight, 0, page.pageWidth));       // bottom margin
  bool curve = false;
  for (int y = l.graphTop; y < page.pageHeight - l.bottom && !curve; ++y)
    for (int x = l.left; x < page.pageWidth - l.right && !curve; ++x)
      curve = image.pixelColor(x, y) == style.curveColor;
  EXPECT_TRUE(curve);  // the line in the report's curve colour
}

TEST(QuantitationReport, ManySamplesPushThePlotDownAndNeverWriteOverIt) {
  const PageGeometry page{827, 1169, 827, 1169, 100, 100};
  ReportStyle style;
  style.font.setPointSize(12);
  const ReportLayout l = reportLayout(page, style);
  const int bottom = page.pageHeight - l.bottom;
  for (int samples : {1, 8, 40}) {
    QuantitationResult r = standardAddition();
    for (int i = 1; i < samples; ++i) r.samples.push_back({QStringLiteral("sample %1").arg(i), 1, 1.51e-6, 1.5, 0.02});
    const QStringList lines = quantitationReportLines(r, QStringLiteral("t.csv"));
    const QuantitationPage p = quantitationPage(page, style, lines);
    SCOPED_TRACE(samples);
    EXPECT_GE(p.plotTop, l.graphTop);
    EXPECT_GE(p.plotTop, l.firstLineY + static_cast<int>(p.lines.size()) * l.linePitch);  // below the last line
    EXPECT_GE(bottom - p.plotTop, (bottom - l.top) / 3);
    if (samples == 1) {
      EXPECT_EQ(p.plotTop, l.graphTop);  // as the measurement report
      EXPECT_EQ(p.lines, lines);
    }
    if (samples == 40) {
      ASSERT_LT(p.lines.size(), lines.size());
      EXPECT_EQ(p.lines.mid(0, p.lines.size() - 1), lines.mid(0, p.lines.size() - 1));
      EXPECT_EQ(p.lines.back(),
                QStringLiteral("(%1 more lines do not fit on the page)").arg(lines.size() - p.lines.size() + 1));
    }
  }
}
