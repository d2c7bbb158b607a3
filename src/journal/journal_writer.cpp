#include "journal/journal_writer.h"

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <chrono>

#include "core/text_io.h"

namespace {

// Makes the new file's name in its folder durable, so the journal is found
// after a power cut. A file system that cannot do it still keeps the data.
void syncFolder(const QString &path) {
  const int fd =
      ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

JournalWriter::JournalWriter(FailureReport report, Clock clock)
    : report_(std::move(report)), clock_(std::move(clock)) {}

JournalWriter::~JournalWriter() { finish(); }

int64_t JournalWriter::steadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool JournalWriter::start(const QString &path, const JournalHeader &header) {
  finish();
  failure_.clear();
  syncs_ = 0;
  fd_ = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    fail(errno);
    return false;
  }
  const QByteArray start = journal_layout::encodeStart(header);
  if (!writeAll(start.constData(), static_cast<size_t>(start.size())) || !sync()) return false;
  syncFolder(path);
  return true;
}

void JournalWriter::addPoint(int32_t index, double amperes) {
  if (fd_ < 0) return;
  uint8_t record[journal_layout::kPointRecordSize];
  journal_layout::encodePoint(index, amperes, record);
  if (!writeAll(record, sizeof record)) return;
  if (clock_() - lastSyncMs_ >= 1000) sync();
}

void JournalWriter::finish() {
  if (fd_ < 0) return;
  if (!sync()) return;
  if (::close(fd_) != 0) {
    fd_ = -1;
    fail(errno);
    return;
  }
  fd_ = -1;
}

bool JournalWriter::writeAll(const void *data, size_t size) {
  const char *bytes = static_cast<const char *>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd_, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      fail(written < 0 ? errno : ENOSPC);
      return false;
    }
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool JournalWriter::sync() {
  int result;
  while ((result = ::fdatasync(fd_)) != 0 && errno == EINTR) {
  }
  if (result != 0) {
    fail(errno);
    return false;
  }
  lastSyncMs_ = clock_();
  ++syncs_;
  return true;
}

void JournalWriter::fail(int errorNumber) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  failure_ = systemErrorText(errorNumber);
  if (report_) report_(failure_);
}
