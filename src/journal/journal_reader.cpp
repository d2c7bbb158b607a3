#include "journal/journal_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/text_io.h"
#include "journal/crc32.h"
#include "measurement/run_plan.h"

namespace {

using namespace journal_layout;
using Status = JournalContents::Status;

// Buffered reads from a file descriptor that keep the first error's number.
class FileBytes {
 public:
  explicit FileBytes(int fd) : fd_(fd) {}
  // Reads up to `size` bytes; fewer only at the end of the file or on an error.
  size_t read(uint8_t *out, size_t size) {
    size_t done = 0;
    while (done < size) {
      if (pos_ == filled_ && !refill()) break;
      const size_t n = std::min(size - done, filled_ - pos_);
      std::memcpy(out + done, buffer_ + pos_, n);
      pos_ += n;
      done += n;
    }
    return done;
  }
  int error() const { return error_; }

 private:
  bool refill() {
    if (error_ != 0) return false;
    ssize_t n;
    while ((n = ::read(fd_, buffer_, sizeof buffer_)) < 0 && errno == EINTR) {
    }
    if (n < 0) error_ = errno;
    pos_ = 0;
    filled_ = n > 0 ? static_cast<size_t>(n) : 0;
    return filled_ > 0;
  }

  int fd_;
  uint8_t buffer_[65536];
  size_t pos_ = 0, filled_ = 0;
  int error_ = 0;
};

JournalContents withStatus(Status status, const QString &error = QString()) {
  JournalContents c;
  c.status = status;
  c.error = error;
  return c;
}

// One record read whole, or why not.
struct Record {
  enum Outcome { Whole, NoMore, Cut, BadChecksum } outcome = NoMore;
  uint8_t kind = 0;
  QByteArray body;
};

// `left` is what the file holds after the present position, so a damaged
// size cannot make the reader reserve more than the file.
Record readRecord(FileBytes &in, uint64_t &left) {
  Record r;
  uint8_t front[kFrontSize];
  const size_t got = in.read(front, sizeof front);
  left -= std::min<uint64_t>(left, got);
  if (got == 0) return r;
  r.outcome = Record::Cut;
  if (got < sizeof front) return r;
  const uint32_t size = readU32(front);
  if (uint64_t(size) + kChecksumSize > left) return r;
  r.kind = front[4];
  r.body.resize(static_cast<qsizetype>(size));
  uint8_t checksum[kChecksumSize];
  if (in.read(reinterpret_cast<uint8_t *>(r.body.data()), size) < size ||
      in.read(checksum, sizeof checksum) < sizeof checksum)
    return r;
  left -= uint64_t(size) + kChecksumSize;
  const uint32_t crc = crc32(reinterpret_cast<const uint8_t *>(r.body.constData()), size, crc32(front, sizeof front));
  r.outcome = crc == readU32(checksum) ? Record::Whole : Record::BadChecksum;
  return r;
}

JournalContents readOpened(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return withStatus(Status::Unreadable, systemErrorText(errno));
  uint64_t left = st.st_size > 0 ? static_cast<uint64_t>(st.st_size) : 0;
  FileBytes in(fd);
  const QString damaged = QStringLiteral("its header is damaged");

  uint8_t preamble[kPreambleSize];
  const size_t got = in.read(preamble, sizeof preamble);
  if (in.error() != 0) return withStatus(Status::Unreadable, systemErrorText(in.error()));
  left -= std::min<uint64_t>(left, got);
  if (std::memcmp(preamble, kMagic, std::min(got, sizeof kMagic)) != 0)
    return withStatus(Status::Unreadable, QStringLiteral("it is not a run journal"));
  if (got < sizeof preamble) return withStatus(Status::Empty);
  const uint32_t version = readU32(preamble + sizeof kMagic);
  if (version != kVersion)
    return withStatus(Status::Unreadable, QStringLiteral("its version %1 is not known to this program").arg(version));

  Record header = readRecord(in, left);
  if (in.error() != 0) return withStatus(Status::Unreadable, systemErrorText(in.error()));
  if (header.outcome == Record::NoMore || header.outcome == Record::Cut) return withStatus(Status::Empty);
  JournalContents c;
  if (header.outcome != Record::Whole || header.kind != kHeaderKind || !decodeHeader(header.body, &c.header) ||
      c.header.pointCount < 1 || c.header.pointCount > kMaxRunPoints)
    return withStatus(Status::Unreadable, damaged);
  c.status = Status::Found;
  c.points.reserve(static_cast<size_t>(std::min<uint64_t>(c.header.pointCount, left / kPointRecordSize)));

  for (;;) {
    const Record point = readRecord(in, left);
    if (in.error() != 0) {
      c.end = JournalEnd::ReadError;
      c.error = systemErrorText(in.error());
      break;
    }
    if (point.outcome == Record::NoMore) break;
    if (point.outcome == Record::Cut) {
      c.end = JournalEnd::CutRecord;
      break;
    }
    if (point.outcome == Record::BadChecksum) {
      c.end = JournalEnd::BadChecksum;
      break;
    }
    if (point.kind != kPointKind || point.body.size() != static_cast<qsizetype>(kPointBodySize)) {
      c.end = JournalEnd::UnexpectedRecord;
      break;
    }
    uint32_t index = 0;
    double amperes = 0;
    decodePoint(reinterpret_cast<const uint8_t *>(point.body.constData()), &index, &amperes);
    if (index != c.points.size()) {
      c.end = JournalEnd::PointOutOfOrder;
      break;
    }
    if (index >= static_cast<uint32_t>(c.header.pointCount)) {
      c.end = JournalEnd::PointBeyondRun;
      break;
    }
    c.points.push_back(amperes);
  }
  return c;
}

}  // namespace

QString journalEndText(JournalEnd end) {
  switch (end) {
    case JournalEnd::EndOfFile:
      return QStringLiteral("the end of the journal");
    case JournalEnd::CutRecord:
      return QStringLiteral("a record cut short");
    case JournalEnd::BadChecksum:
      return QStringLiteral("a record with a wrong checksum");
    case JournalEnd::UnexpectedRecord:
      return QStringLiteral("a record of another kind");
    case JournalEnd::PointOutOfOrder:
      return QStringLiteral("a point out of order");
    case JournalEnd::PointBeyondRun:
      return QStringLiteral("more points than the run has");
    case JournalEnd::ReadError:
      return QStringLiteral("a read error");
  }
  return QString();
}

JournalContents readJournal(const QString &path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return errno == ENOENT ? withStatus(Status::Missing) : withStatus(Status::Unreadable, systemErrorText(errno));
  JournalContents c = readOpened(fd);
  ::close(fd);
  return c;
}
