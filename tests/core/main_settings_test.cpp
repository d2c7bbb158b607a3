#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "qstring_print.h"

#include "core/ini_file.h"
#include "core/main_settings.h"

TEST(MainSettings, DefaultsWithoutSettingsFile) {
  const IniFile ini("/nonexistent/marelt.ini");
  ParameterTexts t;
  MainWindowState state;
  state.windowMaximized = true;
  readSetupSection(ini, &t, &state);
  EXPECT_EQ(t.currMin, "-100");
  EXPECT_EQ(t.currMax, "100");
  EXPECT_EQ(t.currUnitText(), "uA");
  EXPECT_EQ(t.damping, "0");
  EXPECT_EQ(t.dampingUnitText(), "%");
  EXPECT_EQ(t.potStart, "0");
  EXPECT_EQ(t.potEnd, "0");
  EXPECT_EQ(t.sweep, "10");
  EXPECT_EQ(t.amplitude, "50");
  EXPECT_EQ(t.period, "50");
  EXPECT_EQ(t.accumulation, "10");
  EXPECT_EQ(t.preTime, "0");
  EXPECT_EQ(t.prePot, "0");
  EXPECT_EQ(t.electrodes, 2);
  EXPECT_FALSE(state.windowMaximized);
  EXPECT_TRUE(state.initialDirectory.isEmpty());
  EXPECT_TRUE(readDescription(ini).isEmpty());
}

TEST(MainSettings, UnitsMatchExactly) {
  QTemporaryDir dir;
  IniFile ini(dir.filePath("marelt.ini"));
  ini.writeString("Setup", "C units", "ua");
  ini.writeString("Setup", "Damping units", "MS");
  ini.writeInteger("Setup", "Electrode system", 9);
  ParameterTexts t;
  readSetupSection(ini, &t, nullptr);
  EXPECT_EQ(t.currUnitText(), "pA");  // no match: the first item stays
  EXPECT_EQ(t.dampingUnitIndex, -1);  // no match: nothing selected
  EXPECT_EQ(t.electrodes, 4);         // limited to the control's range
}

TEST(MainSettings, SetupKeysComeBackAndAreWrittenInOrder) {
  QTemporaryDir dir;
  const QString path = dir.filePath("marelt.ini");
  ParameterTexts t;
  t.currMin = "-10";
  t.currMax = " 50";
  t.currUnitIndex = 1;
  t.damping = "5";
  t.dampingUnitIndex = 2;
  t.potStart = "-200";
  t.potEnd = "500";
  t.sweep = "20";
  t.amplitude = "-25";
  t.period = "100";
  t.accumulation = "15";
  t.preTime = "30";
  t.prePot = "-800";
  t.electrodes = 3;
  MainWindowState state{"/data", true};
  {
    IniFile ini(path);
    writeSetupSection(ini, t, state);
    ASSERT_TRUE(ini.save());
  }
  const IniFile ini(path);
  EXPECT_EQ(ini.sectionKeys("Setup"),
            QStringList({"C min", "C max", "C units", "Damping", "Damping units", "P start", "P end", "Sweep speed",
                         "Pulse amplitude", "Pulse period", "Data accumulation", "Preelectrolysis time",
                         "Preelectrolysis potential", "Electrode system", "Initial directory", "Window maximized"}));
  ParameterTexts back;
  MainWindowState backState;
  readSetupSection(ini, &back, &backState);
  EXPECT_EQ(back.currUnitText(), "nA");
  EXPECT_EQ(back.dampingUnitText(), "s");
  EXPECT_EQ(back.potEnd, "500");
  EXPECT_EQ(back.prePot, "-800");
  EXPECT_EQ(back.electrodes, 3);
  EXPECT_EQ(backState.initialDirectory, "/data");
  EXPECT_TRUE(backState.windowMaximized);
}

class DescriptionTest : public ::testing::TestWithParam<QStringList> {};

TEST_P(DescriptionTest, EveryLineComesBackInOrder) {
  QTemporaryDir dir;
  const QString path = dir.filePath("marelt.ini");
  {
    IniFile ini(path);
    writeDescription(ini, GetParam());
    ASSERT_TRUE(ini.save());
  }
  EXPECT_EQ(readDescription(IniFile(path)), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Lines, DescriptionTest,
                         ::testing::Values(QStringList{}, QStringList{"Cd(II) in 0.1 M KCl", "HMDE, 25 C"},
                                           QStringList{"", "[not a section]", ";not a comment", "a=b", " padded ",
                                                       "same", "same", "Same", "%1:x", "100%", "tab\there"},
                                           QStringList{"last line"}));

TEST(MainSettings, OrdinaryLinesAreStoredAsPlainKeys) {
  QTemporaryDir dir;
  IniFile ini(dir.filePath("marelt.ini"));
  writeDescription(ini, {"Lead in tap water", "pH 4.5"});
  EXPECT_EQ(ini.sectionKeys("Info"), QStringList({"Lead in tap water", "pH 4.5"}));
  EXPECT_EQ(ini.readString("Info", "pH 4.5", "x"), "");
}

TEST(MainSettings, ReadsDescriptionOfAnOlderFile) {
  QTemporaryDir dir;
  QFile f(dir.filePath("marelt.ini"));
  f.open(QIODevice::WriteOnly);
  f.write("[Info]\r\nsample 1=\r\nline with=value\r\n");
  f.close();
  EXPECT_EQ(readDescription(IniFile(f.fileName())), QStringList({"sample 1", "line with"}));
}
