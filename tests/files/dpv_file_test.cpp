#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cmath>

#include "core/text_io.h"
#include "files/dpv_file.h"
#include "files/file_operations.h"
#include "files_test_support.h"

namespace {

MeasurementRecord measuredRecord() {
  MeasurementRecord r = sampleRecord();
  r.document.runDateTime = "08.12.2026 14:03:07";
  r.document.description = {"Cell A", "0.1 M KCl"};
  r.params.currDigits = 1;
  r.resizePoints(r.params.pulseNumber);
  r.document.points[0] = 1.5e-6;
  r.document.points[1] = -2.25e-6;
  r.document.points[2] = -0.0001e-6;
  r.document.points[3] = 12.3456e-6;
  r.document.pointIndex = 3;
  return r;
}

// What opening does, on a record that starts from the sample texts.
MeasurementRecord loaded(const QByteArray &file) {
  MeasurementRecord r = sampleRecord();
  loadDpvLines(splitLines(decodeText(file)), r);
  return r;
}

const QByteArray kSetup =
    "[Setup]\r\nDate time=1.1.2020\r\nC min=-10\r\nC max=10\r\nC units=nA\r\nDamping=5\r\n"
    "Damping units=ms\r\nP start=100\r\nP end=300\r\nSweep speed=20\r\nPulse amplitude=25\r\n"
    "Pulse period=100\r\nData accumulation=20\r\nPreelectrolysis time=30\r\nPreelectrolysis potential=-200\r\n";

}  // namespace

TEST(DpvWriter, MatchesTheFileWrittenByHand) {
  const QByteArray expected =
      "[Setup]\r\n"
      "Date time=08.12.2026 14:03:07\r\n"
      "C min=-100\r\n"
      "C max=100\r\n"
      "C units=uA\r\n"
      "Damping=0\r\n"
      "Damping units=%\r\n"
      "P start=-500\r\n"
      "P end=500\r\n"
      "Sweep speed=10\r\n"
      "Pulse amplitude=50\r\n"
      "Pulse period=50\r\n"
      "Data accumulation=10\r\n"
      "Preelectrolysis time=0\r\n"
      "Preelectrolysis potential=0\r\n"
      "[Info]\r\n"
      "Cell A\r\n"
      "0.1 M KCl\r\n"
      "[Data]\r\n"
      "1.500\r\n"
      "-2.250\r\n"
      "0.000\r\n"
      "12.346\r\n";
  EXPECT_EQ(dpvFileBytes(measuredRecord()), expected);
}

TEST(DpvWriter, TextsAreWrittenAsTypedAndDecimalsFollowCurrDigits) {
  MeasurementRecord r = measuredRecord();
  r.texts.potStart = " -500 ";
  r.texts.dampingUnitIndex = -1;
  r.document.description.clear();
  r.params.currDigits = 7;
  const QStringList lines = dpvFileLines(r);
  EXPECT_EQ(lines[7], "P start= -500 ");
  EXPECT_EQ(lines[6], "Damping units=");
  EXPECT_EQ(lines[15], "[Info]");
  EXPECT_EQ(lines[16], "[Data]");
  EXPECT_EQ(lines[17], "1.500000000");
}

TEST(DpvWriter, NoValuesWhenPointIndexIsZeroOrBelow) {
  for (int32_t index : {0, -1}) {
    MeasurementRecord r = measuredRecord();
    r.document.pointIndex = index;
    EXPECT_TRUE(dpvFileBytes(r).endsWith("[Info]\r\nCell A\r\n0.1 M KCl\r\n[Data]\r\n")) << index;
  }
}

TEST(DpvFile, SaveThenOpenRestoresEverything) {
  QTemporaryDir dir;
  const QString path = dir.filePath("run.dpv");
  MeasurementRecord saved = measuredRecord();
  saved.texts.damping = " 3";
  saved.texts.dampingUnitIndex = 2;
  saved.texts.currUnitIndex = 1;
  saved.texts.currMin = "-1e3";
  saved.document.description = {"", "µ-electrode, 25 °C", "Peak at [Pb]", "   "};
  XYFactors(saved);
  saved.params.currDigits = 3;
  ASSERT_TRUE(saveMeasurementFile(saved, path, nullptr));

  MeasurementRecord opened;
  ASSERT_TRUE(openMeasurementFile(opened, path, nullptr));
  const ParameterTexts &a = saved.texts, &b = opened.texts;
  EXPECT_EQ(std::tie(a.currMin, a.currMax, a.currUnitIndex, a.damping, a.dampingUnitIndex, a.potStart, a.potEnd,
                     a.sweep, a.amplitude, a.period, a.accumulation, a.preTime, a.prePot),
            std::tie(b.currMin, b.currMax, b.currUnitIndex, b.damping, b.dampingUnitIndex, b.potStart, b.potEnd,
                     b.sweep, b.amplitude, b.period, b.accumulation, b.preTime, b.prePot));
  EXPECT_EQ(opened.document.description, saved.document.description);
  EXPECT_EQ(opened.document.runDateTime, saved.document.runDateTime);
  EXPECT_EQ(opened.document.pointIndex, 3);
  for (int i = 0; i <= 3; ++i) EXPECT_NEAR(opened.document.points[i], saved.document.points[i], 0.5e-5 * 1e-9) << i;
  EXPECT_EQ(opened.params.pulseNumber, saved.params.pulseNumber);
  EXPECT_EQ(opened.document.points.size(), static_cast<size_t>(saved.params.pulseNumber));
  EXPECT_TRUE(opened.document.dataSaved);
  EXPECT_FALSE(opened.document.askFileName);
  EXPECT_EQ(opened.document.dataFileName, QFileInfo(path).absoluteFilePath());
  EXPECT_EQ(opened.caption(), kTitle + " [run.dpv]");
  EXPECT_EQ(opened.display.runHint, "Start of measurement: 08.12.2026 14:03:07");
  EXPECT_EQ(opened.display.runTimeInfo, "Run time: 08.12.2026 14:03:07");
  EXPECT_TRUE(opened.display.panels.status.isEmpty());
  // Saved again unchanged, the file is the same byte for byte.
  opened.params.currDigits = saved.params.currDigits;
  EXPECT_EQ(dpvFileBytes(opened), readBytes(path));
}

TEST(DpvReader, SetupTextsDriveTheDerivedValues) {
  const MeasurementRecord r = loaded(kSetup + "[Info]\r\n[Data]\r\n1.5\r\n-2\r\n");
  EXPECT_EQ(r.texts.currUnitIndex, 1);
  EXPECT_EQ(r.texts.dampingUnitIndex, 1);
  EXPECT_DOUBLE_EQ(r.params.currUnitFactor, 1e-9);
  EXPECT_DOUBLE_EQ(r.params.sweepStart, 0.1);
  EXPECT_DOUBLE_EQ(r.params.prePotential, -0.2);
  EXPECT_DOUBLE_EQ(r.params.preTime, 30);
  EXPECT_EQ(r.params.pulseNumber, 100);  // 10 s at 100 ms
  EXPECT_DOUBLE_EQ(r.document.points[0], 1.5e-9);
  EXPECT_DOUBLE_EQ(r.document.points[1], -2e-9);
  EXPECT_EQ(r.document.pointIndex, 1);
}

TEST(DpvReader, MissingSections) {
  const MeasurementRecord base = sampleRecord();
  const MeasurementRecord noSetup = loaded("[Info]\r\nnote\r\n[Data]\r\n1\r\n2\r\n");
  EXPECT_EQ(noSetup.texts.potStart, base.texts.potStart);
  EXPECT_EQ(noSetup.texts.currUnitIndex, base.texts.currUnitIndex);
  EXPECT_EQ(noSetup.document.pointIndex, 1);

  const MeasurementRecord noInfo = loaded(kSetup + "[Data]\r\n1\r\n");
  EXPECT_TRUE(noInfo.document.description.isEmpty());

  const MeasurementRecord noData = loaded(kSetup + "[Info]\r\nnote\r\n");
  EXPECT_EQ(noData.document.pointIndex, -1);
  EXPECT_EQ(noData.document.description, QStringList{"note"});

  const MeasurementRecord empty = loaded("");
  EXPECT_EQ(empty.document.pointIndex, -1);
}

struct DataCase {
  const char *name;
  QByteArray data;             // lines after "[Data]"
  std::vector<double> values;  // in the file's unit, nA
};

class DpvDataSection : public ::testing::TestWithParam<DataCase> {};

TEST_P(DpvDataSection, LoadsTheValues) {
  const DataCase &c = GetParam();
  const MeasurementRecord r = loaded(kSetup + "[Info]\r\n[Data]\r\n" + c.data);
  ASSERT_EQ(r.document.pointIndex, static_cast<int32_t>(c.values.size()) - 1);
  for (size_t i = 0; i < c.values.size(); ++i) EXPECT_DOUBLE_EQ(r.document.points[i], c.values[i] * 1e-9) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Amended, DpvDataSection,
    ::testing::Values(DataCase{"none", "", {}}, DataCase{"one", "7\r\n", {7}},
                      DataCase{"trailing_empty_lines", "1\r\n2\r\n\r\n\r\n", {1, 2}},
                      DataCase{"trailing_blank_line", "1\r\n2\r\n  \r\n", {1, 2}},
                      DataCase{"empty_line_between", "1\r\n\r\n3\r\n", {1, 0, 3}},
                      DataCase{"only_empty_lines", "\r\n\r\n", {}}, DataCase{"no_final_line_end", "1\r\n2", {1, 2}},
                      DataCase{"lf_line_ends", "1\n-2.5e1\n", {1, -25}},
                      DataCase{"malformed", "12abc\r\nabc\r\n1,5\r\n  -3\r\n1e\r\n.5\r\n", {12, 0, 1, -3, 1, 0.5}}),
    [](const ::testing::TestParamInfo<DataCase> &info) { return std::string(info.param.name); });

TEST(DpvReader, OneValueCountsAsEmptyAndResavesWithoutValues) {
  MeasurementRecord r = loaded(kSetup + "[Info]\r\n[Data]\r\n7\r\n");
  EXPECT_EQ(r.document.pointIndex, 0);
  EXPECT_TRUE(dpvFileBytes(r).endsWith("[Data]\r\n"));
}

TEST(DpvReader, MoreValuesThanPulseNumberGrowTheStorage) {
  QByteArray data;
  for (int i = 0; i < 250; ++i) data += QByteArray::number(i) + "\r\n";
  const MeasurementRecord r = loaded(kSetup + "[Info]\r\n[Data]\r\n" + data);
  EXPECT_EQ(r.params.pulseNumber, 100);
  EXPECT_EQ(r.document.pointIndex, 249);
  ASSERT_GE(r.document.points.size(), 250u);
  EXPECT_DOUBLE_EQ(r.document.points[249], 249e-9);
}

TEST(DpvReader, FewerValuesLeaveTheCapacityAtPulseNumber) {
  const MeasurementRecord r = loaded(kSetup + "[Info]\r\n[Data]\r\n1\r\n2\r\n");
  EXPECT_EQ(r.document.points.size(), 100u);
}

TEST(DpvReader, AbsurdPulseNumberDoesNotReserveGigabytes) {
  const MeasurementRecord r = loaded(
      "[Setup]\r\nP start=0\r\nP end=1e12\r\nSweep speed=1e-6\r\nPulse period=1\r\n[Info]\r\n[Data]\r\n1\r\n2\r\n");
  EXPECT_EQ(r.params.pulseNumber, INT32_MAX);
  EXPECT_LE(r.document.points.size(), 10'000'000u);
  EXPECT_EQ(r.document.pointIndex, 1);
}

TEST(DpvReader, DescriptionLinesWithBracketsComeBack) {
  const MeasurementRecord r = loaded(kSetup + "[Info]\r\nPb [II] 1e-5 M\r\n[x]\r\n[Setup]\r\nlast\r\n[Data]\r\n1\r\n");
  EXPECT_EQ(r.document.description, (QStringList{"Pb [II] 1e-5 M", "[x]", "[Setup]", "last"}));
  EXPECT_EQ(r.document.pointIndex, 0);
}

TEST(DpvReader, InfoAsLastSectionKeepsEveryLine) {
  const MeasurementRecord r = loaded(kSetup + "[Info]\r\none\r\ntwo\r\n");
  EXPECT_EQ(r.document.description, (QStringList{"one", "two"}));
}

TEST(DpvReader, DescriptionLineThatIsDataHeaderStartsTheData) {
  const MeasurementRecord r = loaded(kSetup + "[Info]\r\nnote\r\n[Data]\r\n5\r\n[Data]\r\n1\r\n");
  EXPECT_EQ(r.document.description, QStringList{"note"});
  EXPECT_EQ(r.document.pointIndex, 2);
  EXPECT_DOUBLE_EQ(r.document.points[0], 5e-9);
  EXPECT_DOUBLE_EQ(r.document.points[1], 0);  // the second "[Data]" reads as 0
}

TEST(DpvReader, SetupValuesAreTakenAsTheyStand) {
  const MeasurementRecord r = loaded(
      "junk before\r\n[Setup]\r\nPulse period=100\r\nsome other line\r\nP start= 250\r\n"
      "C units=ua\r\nDamping units=S\r\nP end=400=x\r\nSweep speed=[5\r\n"
      "Date time=\r\n[Info]\r\nC min=999\r\n[Data]\r\n");
  EXPECT_EQ(r.texts.period, "100");
  EXPECT_EQ(r.texts.potStart, " 250");
  EXPECT_DOUBLE_EQ(r.params.sweepStart, 0.25);
  EXPECT_EQ(r.texts.currUnitIndex, 2);     // "ua" is no item: uA stays
  EXPECT_EQ(r.texts.dampingUnitIndex, 0);  // "S" is no item: % stays
  EXPECT_EQ(r.texts.potEnd, "400=x");
  EXPECT_EQ(r.texts.sweep, "[5");      // a "[" inside a value does not end the section
  EXPECT_EQ(r.texts.currMin, "-100");  // a key in [Info] is no setting
  EXPECT_EQ(r.document.runDateTime, "");
}

TEST(DpvReader, ReadsLatin1Files) {
  const QByteArray file = kSetup +
                          "[Info]\r\n\xB5m \xB0"
                          "C\r\n[Data]\r\n";
  EXPECT_EQ(loaded(file).document.description, QStringList{QString::fromUtf8("µm °C")});
}

TEST(DpvOpen, LeavesTheZoomSoTheFileStartPotentialIsUsed) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.dpv");
  writeBytes(path, "[Setup]\r\nP end=300\r\n[Info]\r\n[Data]\r\n");
  MeasurementRecord r = sampleRecord();
  r.view.beforeZoom = AxisTexts{"-800", {}, "-5", "5"};
  r.texts.potStart = "-100";
  ASSERT_TRUE(openMeasurementFile(r, path, nullptr));
  EXPECT_FALSE(r.zoomed());
  EXPECT_EQ(r.texts.potStart, "-800");
  EXPECT_EQ(r.texts.potEnd, "300");
  EXPECT_EQ(r.texts.currMin, "-5");
  EXPECT_DOUBLE_EQ(r.params.sweepStart, -0.8);
}

TEST(DpvOpen, UnreadableFileChangesNoFlags) {
  MeasurementRecord r = sampleRecord();
  r.document.dataSaved = false;
  r.document.dataFileName = "/old/name.dpv";
  QString error;
  EXPECT_FALSE(openMeasurementFile(r, "/nonexistent/x.dpv", &error));
  EXPECT_TRUE(error.contains("/nonexistent/x.dpv")) << error.toStdString();
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_EQ(r.document.dataFileName, "/old/name.dpv");
  EXPECT_EQ(r.display.panels.status, "Loading");
}

TEST(DpvSave, FlagsNameAndStatus) {
  QTemporaryDir dir;
  MeasurementRecord r = measuredRecord();
  r.document.dataSaved = false;
  r.display.panels.status = "Measuring";
  ASSERT_TRUE(saveMeasurementFile(r, dir.filePath("b.dpv"), nullptr));
  EXPECT_TRUE(r.document.dataSaved);
  EXPECT_FALSE(r.document.askFileName);
  EXPECT_EQ(r.display.panels.status, "Measuring");
  EXPECT_EQ(r.caption(), kTitle + " [b.dpv]");
}

TEST(DpvSave, FailureKeepsTheOldFileAndLeavesNoTemporaryFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("c.dpv");
  MeasurementRecord r = measuredRecord();
  ASSERT_TRUE(saveMeasurementFile(r, path, nullptr));
  const QByteArray before = readBytes(path);
  r.texts.potStart = "-600";
  ASSERT_TRUE(saveMeasurementFile(r, path, nullptr));  // replaced whole
  EXPECT_NE(readBytes(path), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"c.dpv"});

  // A folder in the way of the name cannot be replaced: the error is told
  // and nothing is left behind.
  QDir(dir.path()).mkdir("taken.dpv");
  r.document.dataSaved = false;
  r.display.panels.status.clear();
  QString error;
  EXPECT_FALSE(saveMeasurementFile(r, dir.filePath("taken.dpv"), &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_EQ(r.document.dataFileName, QFileInfo(path).absoluteFilePath());
  EXPECT_EQ(r.display.panels.status, "Saving");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"c.dpv"});
  EXPECT_FALSE(saveMeasurementFile(r, dir.filePath("missing/d.dpv"), &error));
}
