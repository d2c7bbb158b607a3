#pragma once
// The journal of the program's runs, as the window and --measure keep it: each
// run writes "run.journal" in the settings folder from its start, and the file
// stays after the run until the measurement is saved or given up.

#include <QString>
#include <functional>

#include "journal/journal_writer.h"
#include "measurement/run_observer.h"

class RunJournal : public RunObserver {
 public:
  // `report` is told, once per run, why the run is not journaled.
  RunJournal(QString folder, JournalWriter::FailureReport report);

  void runStarted(const MeasurementRecord &record) override;
  void pointCompleted(int32_t index, double value) override;
  void runEnded() override;

  // The measurement of the journal was saved or given up: the journal goes.
  // A run going on keeps its journal, so a save during the run never
  // removes the points that follow it.
  void discard();

  const QString &path() const { return path_; }

 private:
  QString path_;
  JournalWriter writer_;
  bool running_ = false;
};
