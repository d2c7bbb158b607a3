#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "graph/graph_colors.h"
#include "graph/ui/colors.h"

namespace {

// Answers the next colour picker with `color`, or cancels it when invalid.
void answerPicker(const QColor &color) {
  QTimer::singleShot(0, [color] {
    auto *picker = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
    ASSERT_NE(picker, nullptr);
    if (!color.isValid()) {
      picker->setCurrentColor(Qt::green);  // a cancelled picker keeps its start colour
      picker->reject();
      return;
    }
    picker->setCurrentColor(color);
    picker->accept();
  });
}

class ColorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    setProgramFolder(dir.path() + "/");
  }
  void TearDown() override { setProgramFolder(QString()); }
  QTemporaryDir dir;
};

}  // namespace

TEST(ColorValue, RedInTheLowestByte) {
  EXPECT_EQ(colorFromValue(16711680), QColor(0, 0, 255));
  EXPECT_EQ(colorFromValue(0x00336699), QColor(0x99, 0x66, 0x33));
  EXPECT_EQ(colorValue(QColor(0x99, 0x66, 0x33)), 0x00336699);
}

TEST_F(ColorsTest, WithoutSettingsTheCurveIsBlueOnWhite) {
  {
    TGColors dialog;
    EXPECT_EQ(GColors, &dialog);
    EXPECT_EQ(dialog.windowTitle(), "Graph colors");
    EXPECT_EQ(dialog.lineColorValue(), 16711680);
    EXPECT_EQ(dialog.backgroundColorValue(), 16777215);
  }
  EXPECT_EQ(GColors, nullptr);
}

TEST_F(ColorsTest, SettingsWithoutTheKeysGiveTheDefaults) {
  IniFile ini(programFile("marelt.ini"));
  ini.writeInteger("Setup", "Other", 1);
  ASSERT_TRUE(ini.save());
  TGColors dialog;
  EXPECT_EQ(dialog.lineColorValue(), 16711680);
  EXPECT_EQ(dialog.backgroundColorValue(), 16777215);
}

TEST_F(ColorsTest, ReadsAndWritesTheGraphSetupKeys) {
  IniFile ini(programFile("marelt.ini"));
  ini.writeInteger("Graph setup", "C line color", 255);
  ini.writeInteger("Graph setup", "Bkg color", 0);
  ASSERT_TRUE(ini.save());
  TGColors dialog;
  EXPECT_EQ(dialog.lineColor(), QColor(255, 0, 0));
  EXPECT_EQ(dialog.backgroundColor(), QColor(0, 0, 0));

  answerPicker(QColor(0x12, 0x34, 0x56));
  dialog.Button4Click();
  IniFile out(dir.path() + "/out.ini");
  dialog.writeSettings(out);
  EXPECT_EQ(out.readInteger("Graph setup", "C line color", -1), 255);
  EXPECT_EQ(out.readInteger("Graph setup", "Bkg color", -1), 0x563412);
}

TEST_F(ColorsTest, PickingAndCancelling) {
  TGColors dialog;
  answerPicker(QColor());
  dialog.Button2Click();
  answerPicker(QColor());
  dialog.Button4Click();
  EXPECT_EQ(dialog.lineColorValue(), 16711680);
  EXPECT_EQ(dialog.backgroundColorValue(), 16777215);

  answerPicker(QColor(255, 255, 255));
  dialog.Button2Click();
  EXPECT_EQ(dialog.lineColor(), dialog.backgroundColor()) << "nothing prevents an invisible curve";
  EXPECT_EQ(dialog.backgroundColorValue(), 16777215);
}
