#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "core/text_io.h"
#include "instrument/instrument.h"
#include "port_fakes.h"

namespace {

class Calibration : public ::testing::Test {
 protected:
  void SetUp() override { setProgramFolder(folder.path()); }
  void TearDown() override { setProgramFolder(QString()); }
  QString path(const char *name) const { return folder.filePath(QLatin1String(name)); }
  void writeFile(const char *name, const QStringList &lines) {
    ASSERT_TRUE(writeFileAtomically(path(name), encodeLines(lines), nullptr));
  }
  QStringList readLines(const char *name) const {
    QStringList lines;
    readTextFile(path(name), &lines, nullptr);
    return lines;
  }

  QTemporaryDir folder;
  ScopedBackend<ScriptedBusBackend> bus;
  Instrument instrument;
};

}  // namespace

TEST_F(Calibration, FreshFolderGivesDefaultsAndSavingWrites32KeysInOrder) {
  instrument.SelDeviceChange(0);
  const CalibrationStore &cal = instrument.calibration();
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(cal.currZeroText[i], QStringLiteral("0"));
    EXPECT_EQ(cal.currFactText[i], QStringLiteral("1.0"));
    EXPECT_EQ(cal.currZero[i], 0.0);
    EXPECT_EQ(cal.currFact[i], 1.0);
  }
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(cal.dacFact[i], 1.0);
    EXPECT_EQ(cal.adcZero[i], 0.0);
  }
  EXPECT_FALSE(QFile::exists(path("gwr305.cal")));

  QString error;
  ASSERT_TRUE(instrument.saveCalibration(&error)) << error.toStdString();
  QStringList expected = {QStringLiteral("[Calibration]")};
  for (int i = 0; i < 8; ++i)
    expected << QStringLiteral("GWR Zero %1=0").arg(i) << QStringLiteral("GWR Fact %1=1.0").arg(i);
  for (const char *group : {"DAC", "ADC"})
    for (int i = 0; i < 4; ++i)
      expected << QStringLiteral("%1 Zero %2=0").arg(QLatin1String(group)).arg(i)
               << QStringLiteral("%1 Fact %2=1.0").arg(QLatin1String(group)).arg(i);
  EXPECT_EQ(expected.size(), 33);
  EXPECT_EQ(readLines("gwr305.cal"), expected);
  // CR LF line ends.
  QFile file(path("gwr305.cal"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("[Calibration]\r\nGWR Zero 0=0\r\n"));
}

TEST_F(Calibration, ASingleKeyChangesOnlyItsRange) {
  writeFile("gwr305.cal", {QStringLiteral("[Calibration]"), QStringLiteral("GWR Zero 3=12.5")});
  instrument.SelDeviceChange(0);
  const CalibrationStore &cal = instrument.calibration();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(cal.currZero[i], i == 3 ? 12.5 : 0.0) << i;
  EXPECT_EQ(cal.currZeroText[3], QStringLiteral("12.5"));
  EXPECT_EQ(cal.currFact[3], 1.0);
}

TEST_F(Calibration, DecimalCommaIsNotADecimalSeparator) {
  writeFile("gwr305.cal", {QStringLiteral("[Calibration]"), QStringLiteral("DAC Fact 0=1,02")});
  instrument.SelDeviceChange(0);
  EXPECT_EQ(instrument.calibration().dacFactText[0], QStringLiteral("1,02"));
  EXPECT_NE(instrument.calibration().dacFact[0], 1.02);
}

TEST_F(Calibration, SevenRangeModelReadsOnlyItsSevenCurrentKeys) {
  writeFile("gwrf406.cal",
            {QStringLiteral("[Calibration]"), QStringLiteral("GWR Zero 6=6"), QStringLiteral("GWR Zero 7=7")});
  instrument.SelDeviceChange(0);
  instrument.calibration().currZeroText[7] = QStringLiteral("-1");
  instrument.SetCalibration();
  instrument.SelDeviceChange(1);
  EXPECT_EQ(instrument.lastCurrentRange(), 6);
  EXPECT_EQ(instrument.calibration().currZero[6], 6.0);
  // The eighth slot keeps what it had.
  EXPECT_EQ(instrument.calibration().currZeroText[7], QStringLiteral("-1"));
  EXPECT_EQ(instrument.calibration().currZero[7], -1.0);
}

TEST_F(Calibration, SwitchingModelsSavesTheEditsOfTheModelLeft) {
  instrument.SelDeviceChange(2);
  instrument.calibration().currZeroText[1] = QStringLiteral("4.25");
  instrument.SetCalibration();
  instrument.SelDeviceChange(0);
  EXPECT_EQ(instrument.calibration().currZeroText[1], QStringLiteral("0"));
  EXPECT_EQ(IniFile(path("gwrf583.cal")).readString("Calibration", "GWR Zero 1", "?"), QStringLiteral("4.25"));
  instrument.SelDeviceChange(2);
  EXPECT_EQ(instrument.calibration().currZeroText[1], QStringLiteral("4.25"));
  EXPECT_EQ(instrument.calibration().currZero[1], 4.25);
}

TEST_F(Calibration, SavingKeepsOtherContentAndLeavesNoTemporaryFile) {
  writeFile("gwr305.cal", {QStringLiteral("[Notes]"), QStringLiteral("Who=me"), QStringLiteral("[Calibration]"),
                           QStringLiteral("ADC Fact 2=0.99")});
  instrument.SelDeviceChange(0);
  instrument.calibration().adcZeroText[0] = QStringLiteral("-3.00");
  ASSERT_TRUE(instrument.saveCalibration(nullptr));
  const IniFile file(path("gwr305.cal"));
  EXPECT_EQ(file.readString("Notes", "Who", ""), QStringLiteral("me"));
  EXPECT_EQ(file.readString("Calibration", "ADC Fact 2", ""), QStringLiteral("0.99"));
  EXPECT_EQ(file.readString("Calibration", "ADC Zero 0", ""), QStringLiteral("-3.00"));
  EXPECT_EQ(file.sectionKeys("Calibration").size(), 32);
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("gwr305.cal")});
}

TEST_F(Calibration, UnwritableFileReportsItsFullPath) {
  instrument.SelDeviceChange(0);
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("gwr305.cal")));  // a folder where the file belongs
  QString error;
  EXPECT_FALSE(instrument.saveCalibration(&error));
  EXPECT_EQ(error, QStringLiteral("Unable to write to ") + path("gwr305.cal") + ": Filename refers to a directory");
}
