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
  run.resizePoints(run.params.pulseNumber);
  std::copy(values.begin(), values.begin() + count, run.document.points.begin());
  run.document.pointIndex = count - 1;
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
    EXPECT_EQ(recovered.document.pointIndex, count - 1);
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
  recovered.document.points.assign(5000, 1.0);
  recovered.document.pointIndex = 4999;
  recovered.view.beforeZoom = AxisTexts{"-10", "10", {}, {}};
  recovered.document.dataSaved = true;
  recovered.document.askFileName = false;
  recovered.document.dataFileName = "/data/other.dpv";
  recovered.display.panels.status = "Zoom";
  restoreJournaledRun(journal, recovered);

  EXPECT_EQ(recovered.texts.potStart, "-500");
  EXPECT_EQ(recovered.texts.currMin, " -2.5");
  EXPECT_EQ(recovered.texts.currUnitIndex, 2);
  EXPECT_EQ(recovered.texts.dampingUnitIndex, -1);
  EXPECT_FALSE(recovered.zoomed());
  EXPECT_EQ(recovered.params.sweepStart, -0.5);
  EXPECT_EQ(recovered.params.pulseNumber, 2000);
  EXPECT_EQ(recovered.document.description, run.document.description);
  EXPECT_EQ(recovered.document.runDateTime, run.document.runDateTime);
  EXPECT_EQ(recovered.display.runTimeInfo, "Run time: " + run.document.runDateTime);
  EXPECT_EQ(recovered.display.runHint, "Start of measurement: " + run.document.runDateTime);
  // The storage of the run, the journaled points first and nothing after them.
  ASSERT_EQ(recovered.document.points.size(), 2000u);
  EXPECT_TRUE(samePoints({recovered.document.points.begin(), recovered.document.points.begin() + 10}, values, 10));
  for (size_t i = 10; i < recovered.document.points.size(); ++i) ASSERT_EQ(recovered.document.points[i], 0.0) << i;
  EXPECT_EQ(recovered.document.pointIndex, 9);
  EXPECT_EQ(recovered.runState, RunIdle);
  EXPECT_EQ(recovered.display.panels.status, "");
  EXPECT_FALSE(recovered.document.dataSaved);
  EXPECT_TRUE(recovered.document.askFileName);
  EXPECT_EQ(recovered.document.dataFileName, "");
  EXPECT_EQ(dpvFileBytes(recovered), dpvFileBytes(stoppedAfter(run, values, 10)));
}

// With no point or one, the record counts as empty (pointIndex -1 or 0) and
// a save writes no value: a one-point file cannot be told from an empty one.
TEST_F(JournalRecovery, NoPointOrOneLeavesARecordWithoutPoints) {
  for (int count : {0, 1}) {
    MeasurementRecord recovered;
    restoreJournaledRun(journalOf(runRecord(), count), recovered);
    EXPECT_EQ(recovered.document.pointIndex, count - 1);
    EXPECT_FALSE(recovered.hasPoints());
    EXPECT_EQ(recovered.document.points.size(), 2000u);
    EXPECT_TRUE(dpvFileLines(recovered).endsWith("[Data]"));
  }
}
