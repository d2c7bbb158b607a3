#pragma once
// Writes the run journal while a run goes on: the header at the start, then
// one record per completed point in a single write() that hands it to the
// operating system at once, so a killed process loses none. The file is
// forced to the disk (fdatasync) at the start, on the first point written a
// second or more after the last time, and at the end.
//
// A failure (a full disk, a folder that cannot be written) never stops the
// run: the writer reports it once with the system's reason and writes no more
// for this run. It never throws.

#include <QString>
#include <cstdint>
#include <functional>

#include "journal/journal_file.h"

class JournalWriter {
 public:
  // Milliseconds of a monotonic clock.
  using Clock = std::function<int64_t()>;
  using FailureReport = std::function<void(const QString &reason)>;

  explicit JournalWriter(FailureReport report, Clock clock = steadyMilliseconds);
  ~JournalWriter();
  JournalWriter(const JournalWriter &) = delete;
  JournalWriter &operator=(const JournalWriter &) = delete;

  // Creates the journal at `path` (an old one there is replaced) and writes
  // the run's header. False when that failed (reported).
  bool start(const QString &path, const JournalHeader &header);
  // Appends a completed point: its index and its value in amperes.
  void addPoint(int32_t index, double amperes);
  // The end of the run: forces what was written to the disk and closes the file.
  void finish();

  bool journaling() const { return fd_ >= 0; }
  // The reason of this run's failure, empty while there is none.
  const QString &failure() const { return failure_; }
  // How many times the file was forced to the disk.
  int syncs() const { return syncs_; }

  static int64_t steadyMilliseconds();

 private:
  bool writeAll(const void *data, size_t size);
  bool sync();
  void fail(int errorNumber);

  FailureReport report_;
  Clock clock_;
  int fd_ = -1;
  int64_t lastSyncMs_ = 0;
  int syncs_ = 0;
  QString failure_;
};
