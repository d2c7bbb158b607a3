#include "journal/recover_command.h"

#include <QDir>
#include <QTextStream>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "files/file_operations.h"
#include "files/record_settings.h"
#include "journal/journal_reader.h"
#include "journal/journal_record.h"

namespace {

enum ExitCode { Done = 0, NothingToRecover = 1, CannotWrite = 2 };

QTextStream &err() {
  static QTextStream stream(stderr);
  return stream;
}

}  // namespace

int recoverCommand(const QString &folder, const QString &out) {
  const QString path = journalPath(folder);
  const JournalContents journal = readJournal(path);
  const QString shownPath = QDir::toNativeSeparators(path);
  switch (journal.status) {
    case JournalContents::Status::Missing:
      err() << "dpv: no run to recover: " << shownPath << " does not exist" << Qt::endl;
      return NothingToRecover;
    case JournalContents::Status::Empty:
      err() << "dpv: no run to recover: " << shownPath << " holds no run" << Qt::endl;
      return NothingToRecover;
    case JournalContents::Status::Unreadable:
      err() << "dpv: cannot recover from " << shownPath << ": " << journal.error << Qt::endl;
      return NothingToRecover;
    case JournalContents::Status::Found:
      break;
  }

  // The record as the program holds it after start-up, then the run.
  MeasurementRecord record;
  loadRecordSettings(IniFile(QDir(folder).filePath(kSettingsFileName)), record);
  restoreJournaledRun(journal, record);
  QString error;
  if (!saveMeasurementFile(record, out, &error)) {
    err() << "dpv: " << error << Qt::endl;
    return CannotWrite;
  }
  // A measurement file keeps points only from two on: one point alone is no curve.
  const size_t written = journal.points.size() > 1 ? journal.points.size() : 0;
  err() << "dpv: " << written << " of " << journal.header.pointCount << " points of the run of "
        << journal.header.dateTime << " written to " << QDir::toNativeSeparators(out);
  if (journal.end != JournalEnd::EndOfFile) {
    err() << " (the journal ends with " << journalEndText(journal.end);
    if (!journal.error.isEmpty()) err() << ": " << journal.error;
    err() << ")";
  }
  err() << Qt::endl;
  return Done;
}
