#pragma once
// The run journal "run.journal" in the settings folder: the header of the run
// and then each completed point, appended as it completes, so that a crash or
// a kill loses no measured point.
//
// Layout, integers little-endian:
//   "DPVJRNL\n", then the version as u32 (1)
//   records: u32 body size | u8 kind | body | u32 CRC-32 of size, kind and body
//   the first record, kind 'H', the run: string date-time, u32 point count,
//     u32 n and n pairs of strings (parameter name, its text as typed),
//     u32 m and m strings (the description lines)
//   then one record of kind 'P' per completed point: u32 index, then the
//     value in amperes as the 64 bits of its IEEE double
//   a string: u32 byte count, then its UTF-8 bytes
// A record cut by a crash or damaged fails its size or checksum test, and
// reading ends before it.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// What the journal keeps of a run before its points.
struct JournalHeader {
  QString dateTime;
  int32_t pointCount = 0;                          // the run's number of points
  std::vector<std::pair<QString, QString>> texts;  // parameter name and text, as typed
  QStringList description;
};

inline const QString kJournalFileName = QStringLiteral("run.journal");

// The journal's path in `folder`.
QString journalPath(const QString &folder);

namespace journal_layout {

inline constexpr char kMagic[8] = {'D', 'P', 'V', 'J', 'R', 'N', 'L', '\n'};
inline constexpr uint32_t kVersion = 1;
inline constexpr size_t kPreambleSize = sizeof kMagic + 4;
inline constexpr uint8_t kHeaderKind = 'H';
inline constexpr uint8_t kPointKind = 'P';
// Size and kind before the body; the checksum after it.
inline constexpr size_t kFrontSize = 5;
inline constexpr size_t kChecksumSize = 4;
inline constexpr size_t kPointBodySize = 12;
inline constexpr size_t kPointRecordSize = kFrontSize + kPointBodySize + kChecksumSize;

uint32_t readU32(const uint8_t *bytes);

// The start of a journal: magic, version and the header record.
QByteArray encodeStart(const JournalHeader &header);

// The record of one point.
void encodePoint(int32_t index, double amperes, uint8_t (&record)[kPointRecordSize]);

// The body of a header record read back. False when it does not parse.
bool decodeHeader(const QByteArray &body, JournalHeader *header);

// A point record's body read back.
void decodePoint(const uint8_t *body, uint32_t *index, double *amperes);

}  // namespace journal_layout
