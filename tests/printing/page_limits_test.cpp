// Page settings from the file are held to sizes the report can draw with,
// whatever the file says.
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "core/ini_file.h"
#include "printing/page_settings.h"
#include "printing/report_pdf.h"
#include "report_test_support.h"

TEST(PageLimits, NumbersFromTheFileStayWithinWhatTheReportDraws) {
  QTemporaryDir dir;
  IniFile ini(dir.filePath("marelt.ini"));
  ini.writeString(kPageSection, "Font size", "2147483647");
  ini.writeString(kPageSection, "Margin top", "1e999");
  ini.writeString(kPageSection, "Margin left", "-1e999");
  ini.writeString(kPageSection, "Margin right", "1e-320");
  ini.writeString(kPageSection, "C line width", "2147483647");
  ini.writeString(kPageSection, "C line color", "0xFFFFFFFF");
  ini.writeString(kPageSection, "Font color", "-2147483648");
  ASSERT_TRUE(ini.save());
  const PageSettings s = readPageSettings(IniFile(dir.filePath("marelt.ini")));
  EXPECT_GE(s.fontSize, 1);
  EXPECT_LE(s.fontSize, 512);
  EXPECT_LE(s.lineWidth, 20);
  EXPECT_EQ(s.font().pointSize(), s.fontSize);
  EXPECT_EQ(s.curveColor, QColor(255, 255, 255));

  PageSettings fromDialog;
  QFont huge(QStringLiteral("Arial"));
  huge.setPointSizeF(1e9);
  fromDialog.setFont(huge);
  EXPECT_LE(fromDialog.fontSize, 512);

  // The layout's sums stay far inside the integers, and the page draws.
  const PageGeometry page = a4At600Dpi();
  const ReportLayout l = reportLayout(page, reportStyle(s));
  EXPECT_GT(l.firstLineY, 0);
  EXPECT_LT(l.firstLineY, 1000000);
  EXPECT_LT(l.linePitch, 1000000);
  MeasurementRecord record = testRecord();
  record.document.points = {0, 1e-7, 1e300, -1e300, 2e-7};
  record.document.pointIndex = 4;
  QImage image(page.pageWidth / 8, page.pageHeight / 8, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(0.125, 0.125);
  drawReport(painter, page, reportStyle(s), record);
}
