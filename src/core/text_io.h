#pragma once
// Reading and writing the program's text files.
// Files are written as UTF-8 with CR LF line ends; they are read with CR LF or
// LF line ends, and a file that is not valid UTF-8 is read as Latin-1 so that
// files from older Windows machines open.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The C library's text for an errno value ("No space left on device").
QString systemErrorText(int errorNumber);

// Decodes file bytes as UTF-8, or as Latin-1 when they are not valid UTF-8.
QString decodeText(const QByteArray &bytes);

// Splits decoded text into lines. A final line end does not start another
// line; CR before LF is dropped.
QStringList splitLines(const QString &text);

// Reads a whole text file. Returns false and sets `error` when it cannot.
bool readTextFile(const QString &path, QStringList *lines, QString *error);

// Joins lines, each ended by CR LF, and encodes them as UTF-8.
QByteArray encodeLines(const QStringList &lines);

// Writes `bytes` to `path` through a temporary file in the same folder that is
// renamed into place once every byte is written and flushed, so the old file
// survives any failure (a full disk among them). Returns false and sets
// `error` to the system's reason when it cannot.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error);
