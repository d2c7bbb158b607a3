#include "core/text_io.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>
#include <unistd.h>

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

QString decodeText(const QByteArray &bytes) {
  QByteArray data = bytes;
  if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(data);
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(data);
}

QStringList splitLines(const QString &text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QString &line : lines)
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  return lines;
}

bool readTextFile(const QString &path, QStringList *lines, QString *error) {
  QFile file(path);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = failureReason(file, errno);
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = failureReason(file, errno);
    return false;
  }
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

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error) {
  QSaveFile file(path);
  auto fail = [&](int savedErrno) {
    if (error) *error = failureReason(file, savedErrno);
    file.cancelWriting();
    return false;
  };
  // Unbuffered, so every write says what reached the file; a buffered one
  // would fail only in commit(), which renames the file into place all the same.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(errno);
  for (qsizetype done = 0; done < bytes.size();) {
    errno = 0;
    const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
    if (written <= 0) return fail(errno);
    done += written;
  }
  if (!file.flush()) return fail(errno);
  // File systems that keep data back report their errors here.
  if (::fsync(file.handle()) != 0) return fail(errno);
  if (!file.commit()) return fail(errno);
  return true;
}
