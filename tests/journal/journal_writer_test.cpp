// Writing the journal: forced to the disk at the start, at least once a
// second and at the end; a failure is told once, with the system's reason,
// and the run goes on unjournaled.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "full_disk.h"
#include "journal/journal_reader.h"
#include "journal_test_support.h"
#include "qstring_print.h"

namespace {

using Status = JournalContents::Status;

QString systemText(int errorNumber) { return QString::fromLocal8Bit(std::strerror(errorNumber)); }

struct Reports {
  QStringList reasons;
  JournalWriter::FailureReport sink() {
    return [this](const QString &reason) { reasons << reason; };
  }
};

}  // namespace

TEST(JournalWriter, ForcesTheFileToDiskOnThePointThatFindsASecondPassed) {
  QTemporaryDir dir;
  int64_t now = 0;
  JournalWriter writer(nullptr, [&now] { return now; });
  ASSERT_TRUE(writer.start(dir.filePath("run.journal"), journalHeader(runRecord())));
  EXPECT_EQ(writer.syncs(), 1);  // the header
  const struct {
    int64_t at;
    int syncs;
  } steps[] = {{500, 1}, {999, 1}, {1000, 2}, {1500, 2}, {1999, 2}, {2600, 3}, {2700, 3}, {9000, 4}};
  int32_t index = 0;
  for (const auto &s : steps) {
    now = s.at;
    writer.addPoint(index++, 1e-6);
    EXPECT_EQ(writer.syncs(), s.syncs) << "at " << s.at << " ms";
  }
  writer.finish();
  EXPECT_EQ(writer.syncs(), 5);
  EXPECT_FALSE(writer.journaling());
  EXPECT_EQ(readJournal(dir.filePath("run.journal")).points.size(), 8u);
}

// Every point is in the file the moment addPoint returns, before any sync:
// a killed process loses nothing the system already has.
TEST(JournalWriter, EachPointIsInTheFileAtOnce) {
  QTemporaryDir dir;
  const QString path = dir.filePath("run.journal");
  JournalWriter writer(nullptr, [] { return int64_t(0); });
  ASSERT_TRUE(writer.start(path, journalHeader(runRecord())));
  const std::vector<double> values = runValues(5);
  for (int32_t i = 0; i < 5; ++i) {
    writer.addPoint(i, values[i]);
    const JournalContents c = readJournal(path);
    EXPECT_TRUE(samePoints(c.points, values, size_t(i) + 1));
  }
  EXPECT_EQ(writer.syncs(), 1);
}

TEST(JournalWriter, AStartReplacesTheLastRunsJournal) {
  QTemporaryDir dir;
  const QString path = dir.filePath("run.journal");
  writeRunJournal(path, runRecord(), runValues(30));
  MeasurementRecord next = runRecord();
  next.document.runDateTime = "later";
  JournalWriter writer(nullptr);
  ASSERT_TRUE(writer.start(path, journalHeader(next)));
  writer.addPoint(0, 7e-9);
  const JournalContents c = readJournal(path);
  EXPECT_EQ(c.header.dateTime, "later");
  ASSERT_EQ(c.points.size(), 1u);
  EXPECT_EQ(c.points[0], 7e-9);
}

TEST(JournalWriter, AFolderThatCannotBeWrittenIsToldOnceAndTheRunGoesOn) {
  QTemporaryDir dir;
  Reports reports;
  JournalWriter writer(reports.sink());
  EXPECT_FALSE(writer.start(dir.filePath("missing/run.journal"), journalHeader(runRecord())));
  for (int32_t i = 0; i < 100; ++i) writer.addPoint(i, 1e-6);
  writer.finish();
  EXPECT_EQ(reports.reasons, QStringList{systemText(ENOENT)});
  EXPECT_EQ(writer.failure(), systemText(ENOENT));
  EXPECT_FALSE(writer.journaling());

  // The next run tries again.
  EXPECT_TRUE(writer.start(dir.filePath("run.journal"), journalHeader(runRecord())));
  EXPECT_TRUE(writer.failure().isEmpty());
  EXPECT_EQ(reports.reasons.size(), 1);
}

class JournalOnAFullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString why = disk.mount();
    if (!why.isEmpty()) GTEST_SKIP() << why.toStdString();
  }
  FullDisk disk;
  Reports reports;
};

TEST_F(JournalOnAFullDisk, TheFirstPointThatFindsNoRoomIsToldOnceAndTheWholeOnesStay) {
  const QString path = disk.filePath("run.journal");
  JournalWriter writer(reports.sink());
  ASSERT_TRUE(writer.start(path, journalHeader(runRecord())));
  disk.fill();
  const std::vector<double> values = runValues(2000);
  for (int32_t i = 0; i < 2000; ++i) writer.addPoint(i, values[i]);  // 42 kB: more than the disk holds
  writer.finish();
  EXPECT_EQ(reports.reasons, QStringList{systemText(ENOSPC)});
  EXPECT_FALSE(writer.journaling());

  const JournalContents c = readJournal(path);
  ASSERT_EQ(c.status, Status::Found);
  EXPECT_LT(c.points.size(), 2000u);
  EXPECT_TRUE(samePoints(c.points, values, c.points.size()));
}

TEST_F(JournalOnAFullDisk, AStartWithoutRoomIsToldOnce) {
  disk.fill();
  const QString path = disk.filePath("run.journal");
  JournalWriter writer(reports.sink());
  EXPECT_FALSE(writer.start(path, journalHeader(runRecord())));
  for (int32_t i = 0; i < 10; ++i) writer.addPoint(i, 1e-6);
  writer.finish();
  EXPECT_EQ(reports.reasons, QStringList{systemText(ENOSPC)});
  const JournalContents c = readJournal(path);
  EXPECT_NE(c.status, Status::Found);
  EXPECT_TRUE(c.points.empty());
}
