// dpv --report IN.dpv OUT.pdf, through the file reader and the settings file.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "core/app_paths.h"
#include "files/dpv_file.h"
#include "printing/report_command.h"
#include "report_test_support.h"

TEST(ReportCommandLine, WritesTheReportOfAMeasurementFile) {
  QTemporaryDir dir;
  setProgramFolder(dir.path());
  MeasurementRecord record = testRecord();
  record.document.points = {0, 1e-7, 2e-7, 1e-7};
  record.document.pointIndex = 3;
  const QString in = dir.filePath("run.dpv");
  QString error;
  ASSERT_TRUE(writeDpvFile(in, record, &error)) << error.toStdString();

  const QString out = dir.filePath("run.pdf");
  EXPECT_EQ(reportCommand(in, out), 0);
  QFile pdf(out);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");

  EXPECT_EQ(reportCommand(dir.filePath("missing.dpv"), dir.filePath("x.pdf")), 1);
  EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
  EXPECT_EQ(reportCommand(in, dir.filePath("no/folder/x.pdf")), 2);
}
