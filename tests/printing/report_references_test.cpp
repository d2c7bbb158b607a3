// The report with reference curves: drawn in the graph frame at the report's
// scale, cut at the frame, with their legend in its top right corner.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/numbers.h"
#include "references/reference_curves.h"
#include "references/reference_palette.h"
#include "report_test_support.h"

namespace {

// -500 .. 500 mV in 10 mV steps at a constant `microamperes`.
QByteArray flatFile(double microamperes) {
  QStringList lines{"[Setup]",      "C min=-1",  "C max=1",         "C units=uA",       "Damping=0", "Damping units=%",
                    "P start=-500", "P end=500", "Sweep speed=100", "Pulse period=100", "[Info]",    "[Data]"};
  for (int i = 0; i <= 101; ++i) lines << formatFixed(microamperes, 4);
  return lines.join("\r\n").toUtf8() + "\r\n";
}

int countColour(const QImage &image, const QColor &color, const QRect &within) {
  int n = 0;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      if (image.pixelColor(x, y) == color) ++n;
  return n;
}

}  // namespace

TEST(ReportReferences, CurvesAndLegendInTheGraphFrame) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const auto &[name, current] : {std::pair{"high.dpv", 0.5}, std::pair{"above.dpv", 3.0}}) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(flatFile(current));
  }
  const MeasurementRecord record = testRecord();
  ReferenceCurves refs;
  ASSERT_EQ(refs.add(record, {dir.filePath("high.dpv"), dir.filePath("above.dpv")}), "");

  const PageGeometry page = a4At300Dpi();
  const ReportStyle style = testStyle();
  QImage image(page.pageWidth, page.pageHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    drawReport(painter, page, style, record, {}, &refs);
  }
  const ReportLayout l = reportLayout(page, style);
  const QVector<QColor> colours = referenceColors(2, style.curveColor, Qt::white);
  const int right = page.pageWidth - l.right, bottom = page.pageHeight - l.bottom;
  const int height = (page.pageHeight - l.top - l.bottom) / 2;
  // 0.5 uA lies a quarter of the graph's height below its top; it runs the
  // whole width, but for the legend's corner.
  const int y = l.graphTop + height / 4;
  const int atHigh = countColour(image, colours[0], QRect(l.left, y - 3, (right - l.left) / 2, 7));
  EXPECT_GE(atHigh, (right - l.left) / 2);
  // 3 uA is above the axis: only its legend sample shows, inside the frame.
  const int above = countColour(image, colours[1], image.rect());
  EXPECT_GT(above, 0);
  const QRect corner(l.left + (right - l.left) / 2, l.graphTop, (right - l.left) / 2, height / 3);
  EXPECT_EQ(countColour(image, colours[1], corner), above);
  EXPECT_EQ(countColour(image, colours[0], QRect(0, 0, page.pageWidth, l.graphTop)), 0);
  EXPECT_EQ(countColour(image, colours[0], QRect(right + 1, 0, page.pageWidth - right - 1, bottom)), 0);
  // The legend's names in black in that corner.
  EXPECT_GT(countColour(image, Qt::black, corner.adjusted(10, 10, -10, -10)), 100);
}

TEST(ReportReferences, WithoutReferencesTheReportIsAsBefore) {
  const MeasurementRecord record = testRecord();
  ReferenceCurves none;
  const PageGeometry page = a4At300Dpi();
  QImage with(page.pageWidth, page.pageHeight, QImage::Format_RGB32);
  with.fill(Qt::white);
  {
    QPainter painter(&with);
    drawReport(painter, page, testStyle(), record, {}, &none);
  }
  EXPECT_EQ(with, drawnReport(record, testStyle(), page));
}
