#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/app_paths.h"
#include "files/command_forms.h"
#include "files/dpv_file.h"
#include "files_test_support.h"

namespace {

// A program folder whose settings file names the nA unit and a description.
class CommandForms : public ::testing::Test {
 protected:
  void SetUp() override {
    setProgramFolder(folder.path());
    writeBytes(folder.filePath("marelt.ini"),
               "[Setup]\r\nC min=-50\r\nC max=50\r\nC units=nA\r\nP start=-200\r\nP end=200\r\n"
               "Sweep speed=10\r\nPulse period=50\r\n[Info]\r\nfrom settings\r\n");
  }
  void TearDown() override { setProgramFolder(QString()); }

  QTemporaryDir folder;
};

}  // namespace

TEST_F(CommandForms, ExportTextOpensAsFileOpenDoes) {
  const QString in = folder.filePath("in.dpv");
  writeBytes(in, "[Setup]\r\nP start=100\r\n[Info]\r\nCell B\r\n[Data]\r\n1\r\n2\r\n3\r\n");
  ASSERT_EQ(exportTextCommand(in, folder.filePath("out.txt")), 0);
  const QStringList lines = QString::fromUtf8(readBytes(folder.filePath("out.txt"))).split("\r\n");
  EXPECT_EQ(lines[1], "Cell B");
  EXPECT_EQ(lines[2], "Current: -50 .. 50 nA");  // the settings file fills what the file lacks
  EXPECT_EQ(lines[4], "Potential start: 100 mV");
  EXPECT_TRUE(lines[9].startsWith("0\t100.")) << lines[9].toStdString();
  EXPECT_TRUE(lines[10].startsWith("1\t100.5")) << lines[10].toStdString();
  EXPECT_EQ(lines.size(), 12);  // two rows and the end after the last CR LF
}

TEST_F(CommandForms, ResaveWritesTheSameFile) {
  const QString in = folder.filePath("in.dpv");
  MeasurementRecord r = sampleRecord();
  r.document.runDateTime = "today";
  r.document.description = {"x"};
  r.resizePoints(r.params.pulseNumber);
  r.document.points[1] = 3e-6;
  r.document.pointIndex = 2;
  writeBytes(in, dpvFileBytes(r));
  ASSERT_EQ(resaveCommand(in, folder.filePath("out.dpv")), 0);
  EXPECT_EQ(readBytes(folder.filePath("out.dpv")), readBytes(in));
}

TEST_F(CommandForms, FailuresExitNonZeroWithAMessage) {
  const QString in = folder.filePath("in.dpv");
  writeBytes(in, "[Data]\r\n1\r\n");
  struct Case {
    int (*command)(const QString &, const QString &);
    QString in, out;
    int code;
  } cases[] = {{exportTextCommand, folder.filePath("missing.dpv"), folder.filePath("o.txt"), 1},
               {resaveCommand, folder.filePath("missing.dpv"), folder.filePath("o.dpv"), 1},
               {exportTextCommand, in, folder.filePath("no/o.txt"), 2},
               {resaveCommand, in, folder.filePath("no/o.dpv"), 2}};
  for (const Case &c : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(c.command(c.in, c.out), c.code) << c.out.toStdString();
    const std::string message = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("dpv: Cannot"), std::string::npos) << message;
    EXPECT_FALSE(QFile::exists(c.out));
  }
}
