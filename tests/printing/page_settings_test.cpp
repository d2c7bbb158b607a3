// "Page setup" keys: defaults, font styles, colours and the written order.
#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "core/text_io.h"
#include "printing/page_settings.h"
#include "printing/report_pdf.h"

TEST(PageSettings, DefaultsForAMissingFile) {
  const PageSettings s = readPageSettings(IniFile(QStringLiteral("/nonexistent/marelt.ini")));
  EXPECT_EQ(s.orientation, 0);
  EXPECT_EQ(s.marginTop, "2.0");
  EXPECT_EQ(s.marginLeft, "2.0");
  EXPECT_EQ(s.curveColor, QColor(0, 0, 255));
  EXPECT_EQ(s.lineWidth, 2);
  EXPECT_TRUE(s.visibleGrid);
  EXPECT_EQ(s.fontName, "Arial");
  EXPECT_EQ(s.fontSize, 12);
  EXPECT_EQ(s.fontColor, QColor(0, 0, 0));
  EXPECT_FALSE(s.bold || s.italic);
}

TEST(PageSettings, FontStyleIsComparedExactly) {
  struct Row {
    const char *text;
    bool bold, italic;
  };
  for (const Row &row : {Row{"Bold", true, false}, Row{"Italic", false, true}, Row{"Bold, Italic", true, true},
                         Row{"bold", false, false}, Row{"Bold,Italic", false, false}, Row{"", false, false}}) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath("marelt.ini"));
    ini.writeString(kPageSection, "Font style", row.text);
    const PageSettings s = readPageSettings(ini);
    EXPECT_EQ(s.bold, row.bold) << row.text;
    EXPECT_EQ(s.italic, row.italic) << row.text;
  }
}

TEST(PageSettings, ColoursAreBlueGreenRed) {
  EXPECT_EQ(colorFromSetting(16711680), QColor(0, 0, 255));
  EXPECT_EQ(colorFromSetting(255), QColor(255, 0, 0));
  EXPECT_EQ(settingFromColor(QColor(0x12, 0x34, 0x56)), 0x563412);
}

TEST(PageSettings, WrittenInTableOrderAndStyleOnlyWhenNamed) {
  QTemporaryDir dir;
  const QString path = dir.filePath("marelt.ini");
  PageSettings s;
  s.bold = true;
  s.italic = true;
  {
    IniFile ini(path);
    writePageSettings(ini, s);
    ASSERT_TRUE(ini.save());
  }
  IniFile ini(path);
  EXPECT_EQ(ini.sectionKeys(kPageSection),
            QStringList({"Orientation", "Margin top", "Margin bottom", "Margin left", "Margin right", "C line color",
                         "C line width", "Visible grid", "Font name", "Font size", "Font color", "Font style"}));
  EXPECT_EQ(ini.readString(kPageSection, "Font style", "?"), "Bold, Italic");
  EXPECT_EQ(ini.readString(kPageSection, "C line color", "?"), "16711680");

  s.underline = true;  // a style the file cannot name leaves the stored one
  writePageSettings(ini, s);
  EXPECT_EQ(ini.readString(kPageSection, "Font style", "?"), "Bold, Italic");
  s.underline = false;
  s.bold = s.italic = false;
  writePageSettings(ini, s);
  EXPECT_EQ(ini.readString(kPageSection, "Font style", "?"), "");
}

TEST(PageSettings, ReportStyleParsesTheMarginTexts) {
  PageSettings s;
  s.marginLeft = "1.5";
  s.marginRight = "";
  s.marginTop = "abc";
  s.marginBottom = " 3e0";
  const ReportStyle style = reportStyle(s);
  EXPECT_DOUBLE_EQ(style.marginLeft, 1.5);
  EXPECT_DOUBLE_EQ(style.marginRight, 0);
  EXPECT_DOUBLE_EQ(style.marginTop, 0);
  EXPECT_DOUBLE_EQ(style.marginBottom, 3);
  EXPECT_EQ(style.font.pointSize(), 12);
}
