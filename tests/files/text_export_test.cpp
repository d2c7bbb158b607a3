#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>

#include "files/file_operations.h"
#include "files/text_export.h"
#include "files_test_support.h"

namespace {

MeasurementRecord exportRecord(int32_t completedPoints) {
  MeasurementRecord r = sampleRecord();
  r.texts.currUnitIndex = 1;  // nA
  r.texts.damping = "2";
  r.texts.dampingUnitIndex = 1;
  XYFactors(r);
  r.params.potDigits = 1;
  r.params.currDigits = 2;
  r.resizePoints(r.params.pulseNumber);
  for (int32_t i = 0; i < completedPoints; ++i) r.document.points[i] = (i + 1) * 2.5e-9;
  r.document.pointIndex = completedPoints - 1;
  return r;
}

}  // namespace

TEST(TextExport, HeaderAndRows) {
  MeasurementRecord r = exportRecord(3);
  r.document.description = {"Cell A", ""};
  const QStringList expected = {kTitle,
                                "Cell A",
                                "",
                                "Current: -100 .. 100 nA",
                                "Damping: 2 ms",
                                "Potential start: -500 mV",
                                "Potential end: 500 mV",
                                "Sweep speed: 10 mV/s",
                                "Point\tPotential\tCurrent",
                                "\tmV\tmV\tnA",
                                "0\t-500.00\t2.500",
                                "1\t-499.50\t5.000"};
  EXPECT_EQ(textExportLines(r), expected);
}

TEST(TextExport, NoRowsWithoutPointsAndNoDescription) {
  for (int32_t completed : {0, 1}) {
    const QStringList lines = textExportLines(exportRecord(completed));
    EXPECT_EQ(lines.size(), 8) << completed;
    EXPECT_EQ(lines[1], "Current: -100 .. 100 nA");
    EXPECT_EQ(lines.last(), "\tmV\tmV\tnA");
  }
}

TEST(TextExport, NPointsGiveNMinusOneRows) {
  const QStringList lines = textExportLines(exportRecord(2000));
  EXPECT_EQ(lines.size(), 8 + 1999);
  EXPECT_TRUE(lines.last().startsWith("1998\t499.00\t")) << lines.last().toStdString();
}

TEST(TextExport, NumbersKeepTheDotInAnyLocale) {
  QLocale::setDefault(QLocale(QLocale::German));
  MeasurementRecord r = exportRecord(3);
  r.texts.potStart = "-500,0";
  const QStringList lines = textExportLines(r);
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(lines[3], "Potential start: -500,0 mV");
  EXPECT_EQ(lines[8], "0\t-500.00\t2.500");
}

TEST(TextExport, IsACopyNotASave) {
  QTemporaryDir dir;
  MeasurementRecord r = exportRecord(3);
  r.document.dataSaved = false;
  r.document.askFileName = true;
  r.display.panels.status = "Zoom";
  ASSERT_TRUE(exportMeasurementText(r, dir.filePath("e.txt"), nullptr));
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_TRUE(r.document.askFileName);
  EXPECT_TRUE(r.document.dataFileName.isEmpty());
  EXPECT_EQ(r.display.panels.status, "Zoom");
  EXPECT_TRUE(readBytes(dir.filePath("e.txt")).startsWith("Differential pulse voltammetry\r\nCurrent: "));
  QString error;
  EXPECT_FALSE(exportMeasurementText(r, dir.filePath("no/e.txt"), &error));
  EXPECT_EQ(r.display.panels.status, "Writing");
  EXPECT_FALSE(error.isEmpty());
}
