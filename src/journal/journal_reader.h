#pragma once
// Reads the run journal back: the run's header and the points whose records
// are whole, in order from point 0. It stops at the first record that is cut,
// damaged or out of order, and says why; it never makes up a point.

#include <QString>
#include <vector>

#include "journal/journal_file.h"

// Why the points of a journal end.
enum class JournalEnd {
  EndOfFile,         // after the last whole record
  CutRecord,         // a record cut short, as a crash leaves it
  BadChecksum,       // a record whose checksum does not match
  UnexpectedRecord,  // a record of another kind or size
  PointOutOfOrder,   // a point that is not the next one
  PointBeyondRun,    // more points than the run has
  ReadError,         // the system could not read on; JournalContents::error says why
};

// The reason in words, for messages.
QString journalEndText(JournalEnd end);

struct JournalContents {
  enum class Status {
    Missing,     // no journal
    Empty,       // a journal that holds no run: ended before its header was written
    Unreadable,  // cannot be read, is no journal, or its header is damaged; `error` says why
    Found,       // the header and points below
  };
  Status status = Status::Missing;
  QString error;  // why it is unreadable, or the read error that ended the points
  JournalHeader header;
  std::vector<double> points;  // points 0 .. size() - 1, in amperes
  JournalEnd end = JournalEnd::EndOfFile;
};

JournalContents readJournal(const QString &path);
