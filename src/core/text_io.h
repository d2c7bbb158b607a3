#pragma once
// Reading and writing the program's text files.
// Files are written as UTF-8 with CR LF line ends; they are read with CR LF or
// LF line ends, and a file that is not valid UTF-8 is read as Latin-1 so that
// files from older Windows machines open.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <memory>

class QSaveFile;

// The C library's text for an errno value ("No space left on device").
QString systemErrorText(int errorNumber);

// Decodes file bytes as UTF-8, or as Latin-1 when they are not valid UTF-8.
QString decodeText(const QByteArray &bytes);

// File bytes seen as text without decoding them all: the body after a leading
// byte order mark, whether it is valid UTF-8, and its lines as byte ranges,
// which give the texts of decodeText and splitLines once decoded.
class TextBytes {
 public:
  explicit TextBytes(QByteArrayView bytes);

  QByteArrayView body() const { return body_; }
  bool isUtf8() const { return utf8_; }
  // A part of the body as text, decoded as the whole file is.
  QString decode(QByteArrayView part) const;

  // Walks the lines: a final line end starts no other line; CR before LF is dropped.
  class Lines {
   public:
    explicit Lines(QByteArrayView text) : pos_(text.data()), end_(text.data() + text.size()) {}
    bool next(QByteArrayView *line);
    // Where the next line starts.
    const char *position() const { return pos_; }

   private:
    const char *pos_, *end_;
  };
  Lines lines() const { return Lines(body_); }

 private:
  QByteArrayView body_;
  bool utf8_;
};

// Splits decoded text into lines. A final line end does not start another
// line; CR before LF is dropped.
QStringList splitLines(const QString &text);

// Reads a whole file. Returns false and sets `error` when it cannot.
bool readFileBytes(const QString &path, QByteArray *bytes, QString *error);

// Reads a whole text file. Returns false and sets `error` when it cannot.
bool readTextFile(const QString &path, QStringList *lines, QString *error);

// Joins lines, each ended by CR LF, and encodes them as UTF-8.
QByteArray encodeLines(const QStringList &lines);

// Writes `bytes` to `path` through a temporary file in the same folder that is
// renamed into place once every byte is written and flushed, so the old file
// survives any failure (a full disk among them). Returns false and sets
// `error` to the system's reason when it cannot.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error);

// The same for a file written piece by piece: every piece goes to the
// temporary file, commit() renames it into place. After a failure further
// writes do nothing and commit() returns false with the first reason; a
// writer destroyed without commit() leaves the old file.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const QString &path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter &) = delete;
  AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

  void write(const char *data, qsizetype size);
  bool commit(QString *error);

 private:
  void fail(int savedErrno);

  std::unique_ptr<QSaveFile> file_;
  QString error_;
  bool failed_ = false;
};
