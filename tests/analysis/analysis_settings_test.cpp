// Section "Analysis" of the settings file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "analysis/analysis_settings.h"
#include "core/text_io.h"
#include "qstring_print.h"

namespace {

IniFile iniWith(const QTemporaryDir &dir, const QStringList &lines) {
  const QString path = dir.filePath("marelt.ini");
  QString error;
  EXPECT_TRUE(writeFileAtomically(path, encodeLines(lines), &error)) << error.toStdString();
  return IniFile(path);
}

}  // namespace

TEST(AnalysisSettings, DefaultsWithoutTheSection) {
  QTemporaryDir dir;
  const AnalysisSettings s = readAnalysisSettings(IniFile(dir.filePath("missing.ini")));
  EXPECT_DOUBLE_EQ(s.smoothing, 0.015);
  EXPECT_DOUBLE_EQ(s.threshold, 10);
  EXPECT_DOUBLE_EQ(s.minWidth, 0.010);
  EXPECT_DOUBLE_EQ(s.maxWidth, 0.400);
  EXPECT_EQ(s.baseline, BaselineKind::Tangent);
}

TEST(AnalysisSettings, WrittenInMillivoltsAndReadBack) {
  QTemporaryDir dir;
  IniFile ini(dir.filePath("marelt.ini"));
  AnalysisSettings s;
  s.smoothing = 0.0125;
  s.threshold = 6;
  s.minWidth = 0.0005;
  s.maxWidth = 1.2;
  s.baseline = BaselineKind::Valleys;
  writeAnalysisSettings(ini, s);
  EXPECT_EQ(ini.readString("Analysis", "Smoothing", ""), "12.5");
  EXPECT_EQ(ini.readString("Analysis", "Threshold", ""), "6");
  EXPECT_EQ(ini.readString("Analysis", "Minimum width", ""), "0.5");
  EXPECT_EQ(ini.readString("Analysis", "Maximum width", ""), "1200");
  EXPECT_EQ(ini.readString("Analysis", "Baseline", ""), "Valleys");
  ASSERT_TRUE(ini.save());
  const AnalysisSettings back = readAnalysisSettings(IniFile(ini.path()));
  EXPECT_DOUBLE_EQ(back.smoothing, 0.0125);
  EXPECT_DOUBLE_EQ(back.threshold, 6);
  EXPECT_DOUBLE_EQ(back.minWidth, 0.0005);
  EXPECT_DOUBLE_EQ(back.maxWidth, 1.2);
  EXPECT_EQ(back.baseline, BaselineKind::Valleys);

  // The defaults as they stand in a fresh file.
  IniFile fresh(dir.filePath("fresh.ini"));
  writeAnalysisSettings(fresh, AnalysisSettings());
  EXPECT_EQ(fresh.sectionKeys("Analysis"),
            QStringList({"Smoothing", "Threshold", "Minimum width", "Maximum width", "Baseline"}));
  EXPECT_EQ(fresh.readString("Analysis", "Smoothing", ""), "15");
  EXPECT_EQ(fresh.readString("Analysis", "Maximum width", ""), "400");
  EXPECT_EQ(fresh.readString("Analysis", "Baseline", ""), "Tangent");
}

TEST(AnalysisSettings, HandEditedValues) {
  QTemporaryDir dir;
  // Smoothing off, "." decimals with blanks, any case for the baseline kind.
  AnalysisSettings s =
      readAnalysisSettings(iniWith(dir, {"[analysis]", "smoothing=0", "Threshold= 4.5 ", "Minimum width=2.5e1",
                                         "Maximum width=250", "Baseline=valleys"}));
  EXPECT_DOUBLE_EQ(s.smoothing, 0);
  EXPECT_DOUBLE_EQ(s.threshold, 4.5);
  EXPECT_DOUBLE_EQ(s.minWidth, 0.025);
  EXPECT_DOUBLE_EQ(s.maxWidth, 0.25);
  EXPECT_EQ(s.baseline, BaselineKind::Valleys);
  // What is not a number in range gives the default: a comma, a unit, a
  // negative value, an empty value, a maximum width of 0, an unknown kind.
  s = readAnalysisSettings(iniWith(dir, {"[Analysis]", "Smoothing=12,5", "Threshold=-3", "Minimum width=5 mV",
                                         "Maximum width=0", "Baseline=Spline"}));
  EXPECT_DOUBLE_EQ(s.smoothing, 0.015);
  EXPECT_DOUBLE_EQ(s.threshold, 10);
  EXPECT_DOUBLE_EQ(s.minWidth, 0.010);
  EXPECT_DOUBLE_EQ(s.maxWidth, 0.400);
  EXPECT_EQ(s.baseline, BaselineKind::Tangent);
  s = readAnalysisSettings(iniWith(dir, {"[Analysis]", "Smoothing=", "Threshold=1e999", "Maximum width=nan"}));
  EXPECT_DOUBLE_EQ(s.smoothing, 0.015);
  EXPECT_DOUBLE_EQ(s.threshold, 10);
  EXPECT_DOUBLE_EQ(s.maxWidth, 0.400);
}
