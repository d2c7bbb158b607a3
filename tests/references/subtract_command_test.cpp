// dpv --subtract run as a shell runs it: OUT written as Save writes it, and
// the exit codes of a blank that does not cover IN, of inputs that cannot be
// read and of an OUT that cannot be written.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "core/ini_file.h"
#include "dpv_program.h"
#include "files/dpv_file.h"
#include "files/record_settings.h"
#include "qstring_print.h"
#include "reference_files.h"
#include "references/blank_subtraction.h"

namespace {

class SubtractCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    writeFile(path("in.dpv"), measurementBytes(-100, 100, 20, std::vector<double>(201, 5.0)));
    writeFile(path("blank.dpv"), measurementBytes(-150, 150, 50, std::vector<double>(121, 1.25)));
    writeFile(path("narrow.dpv"), measurementBytes(-50, 150, 50, std::vector<double>(81, 1.25)));
  }
  QString path(const QString &name) const { return dir.filePath(name); }
  ProgramRun subtract(const QStringList &files) {
    return runDpv(QStringList{"--folder", dir.path(), "--subtract"} + files);
  }
  QTemporaryDir dir;
};

}  // namespace

TEST_F(SubtractCommand, WritesTheDifferenceAsSaveDoes) {
  const ProgramRun run = subtract({path("blank.dpv"), path("in.dpv"), path("out.dpv")});
  ASSERT_TRUE(run.finished);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(run.output.isEmpty()) << run.output;
  // What the window would save after Work > "Subtract blank...".
  MeasurementRecord record;
  QString error;
  ASSERT_TRUE(openAsProgramDoes(IniFile(path("marelt.ini")), record, path("in.dpv"), &error));
  ASSERT_EQ(subtractBlankFile(record, path("blank.dpv"), &error), Subtraction::Done);
  EXPECT_EQ(fileBytes(path("out.dpv")), dpvFileBytes(record));
  const QString out = QString::fromUtf8(fileBytes(path("out.dpv")));
  EXPECT_TRUE(out.contains("[Info]\r\ncell one\r\nBlank subtracted: blank.dpv\r\n[Data]\r\n3.7500\r\n")) << out;
  // The inputs stay as they were.
  EXPECT_EQ(fileBytes(path("in.dpv")), measurementBytes(-100, 100, 20, std::vector<double>(201, 5.0)));
}

TEST_F(SubtractCommand, ABlankNotCoveringInExitsThreeAndWritesNothing) {
  const ProgramRun run = subtract({path("narrow.dpv"), path("in.dpv"), path("out.dpv")});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_TRUE(run.output.contains("\"narrow.dpv\"")) << run.output;
  EXPECT_TRUE(run.output.contains("does not cover the potential range")) << run.output;
  EXPECT_FALSE(QFileInfo::exists(path("out.dpv")));
}

TEST_F(SubtractCommand, UnreadableInputsExitOneAndAnUnwritableOutputTwo) {
  for (const QStringList &files : {QStringList{path("none.dpv"), path("in.dpv"), path("out.dpv")},
                                   QStringList{path("blank.dpv"), path("none.dpv"), path("out.dpv")}}) {
    const ProgramRun run = subtract(files);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1) << files.join(' ');
    EXPECT_TRUE(run.output.contains("none.dpv")) << run.output;
    EXPECT_FALSE(QFileInfo::exists(path("out.dpv")));
  }
  const ProgramRun run = subtract({path("blank.dpv"), path("in.dpv"), path("no folder/out.dpv")});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.output.contains("Cannot write file")) << run.output;
}

TEST_F(SubtractCommand, TakesThreeFilesAndNeverWritesOverAnInput) {
  ProgramRun run = subtract({path("blank.dpv"), path("in.dpv")});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.output.contains("--subtract takes BLANK.dpv IN.dpv OUT.dpv")) << run.output;
  for (const QString &output : {path("in.dpv"), path("blank.dpv")}) {
    run = subtract({path("blank.dpv"), path("in.dpv"), output});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.output.contains("name another output file")) << run.output;
  }
  EXPECT_EQ(fileBytes(path("in.dpv")), measurementBytes(-100, 100, 20, std::vector<double>(201, 5.0)));
  run = runDpv({"--help"});
  EXPECT_TRUE(run.output.contains("--subtract <BLANK.dpv>")) << run.output;
}
