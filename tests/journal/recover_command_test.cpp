// dpv --folder DIR --recover OUT.dpv, run as a user runs it.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <functional>

#include "dpv_program.h"
#include "files/dpv_file.h"
#include "journal_test_support.h"
#include "qstring_print.h"

namespace {

class RecoverCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    journal = folder.filePath("run.journal");
    out = folder.filePath("out.dpv");
  }
  ProgramRun recover() { return runDpv({"--folder", folder.path(), "--recover", out}); }

  QTemporaryDir folder;
  QString journal, out;
  MeasurementRecord run = runRecord();
};

}  // namespace

TEST_F(RecoverCommand, WritesTheJournaledPointsAsTheRunsFile) {
  const std::vector<double> values = runValues(37);
  writeRunJournal(journal, run, values);
  const ProgramRun result = recover();
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
  EXPECT_TRUE(result.output.contains("37 of 2000 points")) << result.output.toStdString();
  EXPECT_TRUE(result.output.contains(run.document.runDateTime)) << result.output.toStdString();

  MeasurementRecord expected = run;
  expected.resizePoints(2000);
  std::copy(values.begin(), values.end(), expected.document.points.begin());
  expected.document.pointIndex = 36;
  EXPECT_EQ(fileBytes(out), dpvFileBytes(expected));
  // Recovering writes a copy; the journal stays until the window deals with it.
  EXPECT_TRUE(QFile::exists(journal));
}

TEST_F(RecoverCommand, ACutJournalGivesItsWholePointsAndSaysWhereItEnds) {
  const std::vector<double> values = runValues(20);
  writeRunJournal(journal, run, values);
  QByteArray bytes = fileBytes(journal);
  bytes.chop(7);
  putFile(journal, bytes);
  const ProgramRun result = recover();
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
  EXPECT_TRUE(result.output.contains("19 of 2000 points")) << result.output.toStdString();
  EXPECT_TRUE(result.output.contains("a record cut short")) << result.output.toStdString();
  MeasurementRecord expected = run;
  expected.resizePoints(2000);
  std::copy(values.begin(), values.begin() + 19, expected.document.points.begin());
  expected.document.pointIndex = 18;
  EXPECT_EQ(fileBytes(out), dpvFileBytes(expected));
}

TEST_F(RecoverCommand, WithoutARunToRecoverItSaysSoAndExits1) {
  const struct {
    const char *name;
    std::function<void()> make;
    const char *says;
  } cases[] = {
      {"no journal", [] {}, "does not exist"},
      {"empty journal", [this] { putFile(journal, QByteArray()); }, "holds no run"},
      {"foreign file", [this] { putFile(journal, "[Setup]\r\nC min=-1\r\n"); }, "not a run journal"},
      {"damaged header",
       [this] {
         writeRunJournal(journal, run, runValues(5));
         QByteArray bytes = fileBytes(journal);
         bytes[20] = static_cast<char>(bytes[20] ^ 1);
         putFile(journal, bytes);
       },
       "header is damaged"},
      {"a folder", [this] { QDir(folder.path()).mkdir("run.journal"); }, nullptr},
  };
  for (const auto &c : cases) {
    QFile::remove(journal);
    QDir(folder.path()).rmdir("run.journal");
    c.make();
    const ProgramRun result = recover();
    ASSERT_TRUE(result.finished) << c.name;
    EXPECT_EQ(result.exitCode, 1) << c.name << ": " << result.output.toStdString();
    const QString says = c.says ? QString(c.says) : QString::fromLocal8Bit(std::strerror(EISDIR));
    EXPECT_TRUE(result.output.contains(says)) << c.name << ": " << result.output.toStdString();
    EXPECT_FALSE(QFile::exists(out)) << c.name;
  }
}

TEST_F(RecoverCommand, AnOutputThatCannotBeWrittenExits2) {
  writeRunJournal(journal, run, runValues(5));
  out = folder.filePath("missing/out.dpv");
  const ProgramRun result = recover();
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 2) << result.output.toStdString();
  EXPECT_TRUE(result.output.contains(out)) << result.output.toStdString();
  EXPECT_TRUE(result.output.contains(QString::fromLocal8Bit(std::strerror(ENOENT)))) << result.output.toStdString();
}

TEST_F(RecoverCommand, TheCommandLineTakesOnlyTheOutput) {
  const ProgramRun help = runDpv({"--help"});
  EXPECT_TRUE(help.output.contains("--recover <OUT.dpv>")) << help.output.toStdString();
  const ProgramRun extra = runDpv({"--folder", folder.path(), "--recover", out, "more.dpv"});
  ASSERT_TRUE(extra.finished);
  EXPECT_EQ(extra.exitCode, 2) << extra.output.toStdString();
  const ProgramRun two = runDpv({"--folder", folder.path(), "--recover", out, "--resave", out, "x.dpv"});
  EXPECT_EQ(two.exitCode, 2) << two.output.toStdString();
  EXPECT_FALSE(QFile::exists(out));
}
