#include "journal/run_journal.h"

#include <QFile>

#include "journal/journal_record.h"

RunJournal::RunJournal(QString folder, JournalWriter::FailureReport report)
    : path_(journalPath(folder)), writer_(std::move(report)) {}

void RunJournal::runStarted(const MeasurementRecord &record) {
  running_ = true;
  writer_.start(path_, journalHeader(record));
}

void RunJournal::pointCompleted(int32_t index, double value) { writer_.addPoint(index, value); }

void RunJournal::runEnded() {
  writer_.finish();
  running_ = false;
}

void RunJournal::discard() {
  if (!running_) QFile::remove(path_);
}
