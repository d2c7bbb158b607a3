// The journal of a run as the program keeps it: written from the run's start,
// left after its end, removed when the measurement is saved or given up, but
// never while the run goes on.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "journal/journal_reader.h"
#include "journal/run_journal.h"
#include "journal_test_support.h"
#include "qstring_print.h"

namespace {

class RunJournalTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  // A run that reaches `count` points.
  void runPoints(RunJournal &journal, int count) {
    for (int i = 0; i < count; ++i) journal.pointCompleted(i, values[static_cast<size_t>(i)]);
  }

  QTemporaryDir dir;
  MeasurementRecord record = runRecord();
  std::vector<double> values = runValues(50);
  QStringList failures;
  RunJournal journal{dir.path(), [this](const QString &reason) { failures << reason; }};
};

}  // namespace

TEST_F(RunJournalTest, HoldsTheRunFromItsStartAndStaysAfterItsEnd) {
  EXPECT_EQ(journal.path(), QDir(dir.path()).filePath("run.journal"));
  journal.runStarted(record);
  JournalContents c = readJournal(journal.path());
  ASSERT_EQ(c.status, JournalContents::Status::Found);
  EXPECT_EQ(c.header.pointCount, record.params.pulseNumber);
  EXPECT_TRUE(c.points.empty());
  runPoints(journal, 30);
  // Each point is in the file as soon as it is told, before the run ends.
  EXPECT_TRUE(samePoints(readJournal(journal.path()).points, values, 30));
  journal.runEnded();
  c = readJournal(journal.path());
  EXPECT_TRUE(samePoints(c.points, values, 30));
  EXPECT_EQ(c.header.dateTime, record.document.runDateTime);
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(RunJournalTest, ASaveDuringTheRunKeepsItAndOneAfterTheRunRemovesIt) {
  journal.runStarted(record);
  runPoints(journal, 10);
  journal.discard();  // saved while measuring
  EXPECT_TRUE(QFileInfo::exists(journal.path()));
  journal.pointCompleted(10, values[10]);
  journal.runEnded();
  EXPECT_TRUE(samePoints(readJournal(journal.path()).points, values, 11));
  journal.discard();
  EXPECT_FALSE(QFileInfo::exists(journal.path()));
  journal.discard();  // nothing left to remove
  EXPECT_FALSE(QFileInfo::exists(journal.path()));
}

TEST_F(RunJournalTest, ANewRunReplacesTheLastOne) {
  journal.runStarted(record);
  runPoints(journal, 20);
  journal.runEnded();
  record.document.runDateTime = "3/15/25 8:00 AM";
  journal.runStarted(record);
  runPoints(journal, 2);
  journal.runEnded();
  const JournalContents c = readJournal(journal.path());
  EXPECT_EQ(c.header.dateTime, "3/15/25 8:00 AM");
  EXPECT_TRUE(samePoints(c.points, values, 2));
}

TEST_F(RunJournalTest, AJournalThatCannotBeWrittenIsToldOnceAndTheNextRunTriesAgain) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("run.journal"));  // where the file should go
  journal.runStarted(record);
  runPoints(journal, 5);
  journal.runEnded();
  ASSERT_EQ(failures.size(), 1);
  EXPECT_EQ(failures[0], "Is a directory");
  journal.discard();  // the folder is no journal: it stays
  ASSERT_TRUE(QDir(dir.path()).rmdir("run.journal"));
  journal.runStarted(record);
  runPoints(journal, 5);
  journal.runEnded();
  EXPECT_EQ(failures.size(), 1);
  EXPECT_TRUE(samePoints(readJournal(journal.path()).points, values, 5));
}
