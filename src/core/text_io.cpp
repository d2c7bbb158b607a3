#include "core/text_io.h"

#include <unistd.h>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

// The system's reason for the last failure on `file`: its own text, or the C
// library's for `savedErrno` where Qt has none.
QString failureReason(const QFileDevice &file, int savedErrno) {
  const QString reason = file.errorString();
  if (!reason.isEmpty() && reason != QLatin1String("Unknown error")) return reason;
  if (savedErrno != 0) return systemErrorText(savedErrno);
  return reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
}

}  // namespace

QString systemErrorText(int errorNumber) { return QString::fromLocal8Bit(std::strerror(errorNumber)); }

namespace {

const QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

// A stretch of bytes of which none is ASCII: the decoder's verdict on it alone
// is its verdict on it within the file, since ASCII bytes neither continue
// nor complete a UTF-8 sequence.
bool isValidUtf8Run(QByteArrayView run) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8.decode(run);
  return !utf8.hasError();
}

bool isValidUtf8(QByteArrayView bytes) {
  const char *p = bytes.data();
  const char *const end = p + bytes.size();
  while (p != end) {
    // Eight bytes at a time through the ASCII, which is nearly all of a file.
    uint64_t word;
    while (end - p >= 8 && (std::memcpy(&word, p, 8), (word & 0x8080808080808080ull) == 0)) p += 8;
    while (p != end && static_cast<unsigned char>(*p) < 0x80) ++p;
    if (p == end) break;
    const char *run = p;
    while (p != end && static_cast<unsigned char>(*p) >= 0x80) ++p;
    if (!isValidUtf8Run(QByteArrayView(run, p - run))) return false;
  }
  return true;
}

}  // namespace

TextBytes::TextBytes(QByteArrayView bytes) {
  QByteArrayView body = bytes;
  if (body.startsWith(kByteOrderMark)) body = body.sliced(3);
  utf8_ = isValidUtf8(body);
  // The UTF-8 decoder skips one more mark at the start of what it is given.
  if (utf8_ && body.startsWith(kByteOrderMark)) body = body.sliced(3);
  body_ = body;
}

QString TextBytes::decode(QByteArrayView part) const {
  if (!utf8_) return QString::fromLatin1(part);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  return utf8.decode(part);
}

bool TextBytes::Lines::next(QByteArrayView *line) {
  if (pos_ == end_) return false;
  const char *lf = static_cast<const char *>(std::memchr(pos_, '\n', static_cast<size_t>(end_ - pos_)));
  const char *lineEnd = lf ? lf : end_;
  const char *textEnd = lineEnd != pos_ && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
  *line = QByteArrayView(pos_, textEnd - pos_);
  pos_ = lf ? lf + 1 : end_;
  return true;
}

QString decodeText(const QByteArray &bytes) {
  const TextBytes text(bytes);
  return text.decode(text.body());
}

QStringList splitLines(const QString &text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QString &line : lines)
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  return lines;
}

bool readFileBytes(const QString &path, QByteArray *bytes, QString *error) {
  QFile file(path);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = failureReason(file, errno);
    return false;
  }
  *bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = failureReason(file, errno);
    return false;
  }
  return true;
}

bool readTextFile(const QString &path, QStringList *lines, QString *error) {
  QByteArray bytes;
  if (!readFileBytes(path, &bytes, error)) return false;
  *lines = splitLines(decodeText(bytes));
  return true;
}

QByteArray encodeLines(const QStringList &lines) {
  QByteArray out;
  qsizetype size = 0;
  for (const QString &line : lines) size += line.size() + 2;
  out.reserve(size);
  for (const QString &line : lines) {
    out += line.toUtf8();
    out += "\r\n";
  }
  return out;
}

AtomicFileWriter::AtomicFileWriter(const QString &path) : file_(new QSaveFile(path)) {
  // Unbuffered, so every write says what reached the file; a buffered one
  // would fail only in commit(), which renames the file into place all the same.
  errno = 0;
  if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) fail(errno);
}

// Without commit() the temporary file goes and the old file stays.
AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::fail(int savedErrno) {
  if (failed_) return;
  failed_ = true;
  error_ = failureReason(*file_, savedErrno);
  file_->cancelWriting();
}

void AtomicFileWriter::write(const char *data, qsizetype size) {
  for (qsizetype done = 0; !failed_ && done < size;) {
    errno = 0;
    const qint64 written = file_->write(data + done, size - done);
    if (written <= 0) return fail(errno);
    done += written;
  }
}

bool AtomicFileWriter::commit(QString *error) {
  if (!failed_ && !file_->flush()) fail(errno);
  // File systems that keep data back report their errors here.
  if (!failed_ && ::fsync(file_->handle()) != 0) fail(errno);
  if (!failed_ && !file_->commit()) fail(errno);
  if (failed_ && error) *error = error_;
  return !failed_;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error) {
  AtomicFileWriter file(path);
  file.write(bytes.constData(), bytes.size());
  return file.commit(error);
}
