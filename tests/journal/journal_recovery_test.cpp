// A journaled run put back into the record: saving it writes the file a save
// of the run would have written had it stopped after the journaled points,
// and no point that was not measured.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "files/dpv_file.h"
#include "journal/journal_reader.h"
#include "journal_test_support.h"
#include "qstring_print.h"

namespace {

// What the program held: the run's record after `count` points, ready to save.
MeasurementRecord stoppedAfter(MeasurementRecord run, const std::vector<double> &values, int count) {
  run.resizePoints(run.pulseNumber);
  std::copy(values.begin(), values.begin() + count, run.points.begin());
  run.pointIndex = count - 1;
  return run;
}

class JournalRecovery : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  JournalContents journalOf(const MeasurementRecord &run, int count) {
    values = runValues(count);
    writeRunJournal(dir.filePath("run.journal"), run, values);
    return readJournal(dir.filePath("run.journal"));
  }
  QTemporaryDir dir;
  std::vector<double> values;
};

}  // namespace

TEST_F(JournalRecovery, SavingTheRecoveredRunWritesTheFileOfTheRun) {
  const MeasurementRecord run = runRecord();
  for (int count : {2, 3, 777, 2000}) {
    const JournalContents journal = journalOf(run, count);
    ASSERT_EQ(journal.status, JournalContents::Status::Found);
    MeasurementRecord recovered;
    restoreJournaledRun(journal, recovered);
    EXPECT_EQ(dpvFileBytes(recovered), dpvFileBytes(stoppedAfter(run, values, count))) << count << " points";
    EXPECT_EQ(recovered.pointIndex, count - 1);
    EXPECT_EQ(dpvFileLines(recovered).size() - dpvFileLines(recovered).lastIndexOf("[Data]") - 1, count);
  }
}

// The program may hold anything when it restores: another run's points, a
// zoom, other units. Only the journal counts.
TEST_F(JournalRecovery, TheRecordHoldsOnlyTheJournaledRun) {
  MeasurementRecord run = runRecord();
  run.texts.dampingUnitIndex = -1;  // no damping unit selected
  const JournalContents journal = journalOf(run, 10);

  MeasurementRecord recovered = runRecord();
  recovered.texts = factoryTexts();
  recovered.texts.dampingUnitIndex = 2;
  recovered.texts.currUnitIndex = 4;
  recovered.points.assign(5000, 1.0);
  recovered.pointIndex = 4999;
  recovered.zoomed = true;
  recovered.savedPotStart = "-10";
  recovered.savedPotEnd = "10";
  recovered.dataSaved = true;
  recovered.askFileName = false;
  recovered.dataFileName = "/data/other.dpv";
  recovered.panels.panel5 = "Zoom";
  restoreJournaledRun(journal, recovered);

  EXPECT_EQ(recovered.texts.potStart, "-500");
  EXPECT_EQ(recovered.texts.currMin, " -2.5");
  EXPECT_EQ(recovered.texts.currUnitIndex, 2);
  EXPECT_EQ(recovered.texts.dampingUnitIndex, -1);
  EXPECT_FALSE(recovered.zoomed);
  EXPECT_EQ(recovered.sweepStart, -0.5);
  EXPECT_EQ(recovered.pulseNumber, 2000);
  EXPECT_EQ(recovered.description, run.description);
  EXPECT_EQ(recovered.runDateTime, run.runDateTime);
  EXPECT_EQ(recovered.runTimeInfo, "Run time: " + run.runDateTime);
  EXPECT_EQ(recovered.runHint, "Start of measurement: " + run.runDateTime);
  // The storage of the run, the journaled points first and nothing after them.
  ASSERT_EQ(recovered.points.size(), 2000u);
  EXPECT_TRUE(samePoints({recovered.points.begin(), recovered.points.begin() + 10}, values, 10));
  for (size_t i = 10; i < recovered.points.size(); ++i) ASSERT_EQ(recovered.points[i], 0.0) << i;
  EXPECT_EQ(recovered.pointIndex, 9);
  EXPECT_EQ(recovered.runState, RunIdle);
  EXPECT_EQ(recovered.panels.panel5, "");
  EXPECT_FALSE(recovered.dataSaved);
  EXPECT_TRUE(recovered.askFileName);
  EXPECT_EQ(recovered.dataFileName, "");
  EXPECT_EQ(dpvFileBytes(recovered), dpvFileBytes(stoppedAfter(run, values, 10)));
}

// With no point or one, the record counts as empty (pointIndex -1 or 0) and
// a save writes no value: a one-point file cannot be told from an empty one.
TEST_F(JournalRecovery, NoPointOrOneLeavesARecordWithoutPoints) {
  for (int count : {0, 1}) {
    MeasurementRecord recovered;
    restoreJournaledRun(journalOf(runRecord(), count), recovered);
    EXPECT_EQ(recovered.pointIndex, count - 1);
    EXPECT_FALSE(recovered.hasPoints());
    EXPECT_EQ(recovered.points.size(), 2000u);
    EXPECT_TRUE(dpvFileLines(recovered).endsWith("[Data]"));
  }
}
