#include "app/text_io.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

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
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = file.errorString();
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
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  if (file.write(bytes) != bytes.size()) {
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}
