#include "journal/journal_file.h"

#include <QDir>
#include <cstring>

#include "journal/crc32.h"

namespace journal_layout {

namespace {

void putU32(QByteArray &out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.append(static_cast<char>((value >> shift) & 0xFFu));
}

void putU32(uint8_t *out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>((value >> (8 * i)) & 0xFFu);
}

void putString(QByteArray &out, const QString &text) {
  const QByteArray utf8 = text.toUtf8();
  putU32(out, static_cast<uint32_t>(utf8.size()));
  out.append(utf8);
}

// Reads the fields of a header body in order; once past the end it stays failed.
class BodyCursor {
 public:
  explicit BodyCursor(const QByteArray &body) : body_(body) {}
  bool ok() const { return ok_; }
  bool atEnd() const { return pos_ == static_cast<size_t>(body_.size()); }

  uint32_t u32() {
    if (!take(4)) return 0;
    return readU32(reinterpret_cast<const uint8_t *>(body_.constData()) + pos_ - 4);
  }
  QString string() {
    const uint32_t size = u32();
    if (!take(size)) return QString();
    return QString::fromUtf8(body_.constData() + pos_ - size, static_cast<qsizetype>(size));
  }

 private:
  bool take(size_t n) {
    if (!ok_ || n > static_cast<size_t>(body_.size()) - pos_) return ok_ = false;
    pos_ += n;
    return true;
  }

  const QByteArray &body_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace

uint32_t readU32(const uint8_t *bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

QByteArray encodeStart(const JournalHeader &header) {
  QByteArray body;
  putString(body, header.dateTime);
  putU32(body, static_cast<uint32_t>(header.pointCount));
  putU32(body, static_cast<uint32_t>(header.texts.size()));
  for (const auto &[name, text] : header.texts) {
    putString(body, name);
    putString(body, text);
  }
  putU32(body, static_cast<uint32_t>(header.description.size()));
  for (const QString &line : header.description) putString(body, line);

  QByteArray out(kMagic, sizeof kMagic);
  putU32(out, kVersion);
  const qsizetype recordStart = out.size();
  putU32(out, static_cast<uint32_t>(body.size()));
  out.append(static_cast<char>(kHeaderKind));
  out.append(body);
  putU32(out, crc32(reinterpret_cast<const uint8_t *>(out.constData()) + recordStart,
                    static_cast<size_t>(out.size() - recordStart)));
  return out;
}

void encodePoint(int32_t index, double amperes, uint8_t (&record)[kPointRecordSize]) {
  uint64_t bits = 0;
  std::memcpy(&bits, &amperes, sizeof bits);
  putU32(record, static_cast<uint32_t>(kPointBodySize));
  record[4] = kPointKind;
  putU32(record + kFrontSize, static_cast<uint32_t>(index));
  putU32(record + kFrontSize + 4, static_cast<uint32_t>(bits));
  putU32(record + kFrontSize + 8, static_cast<uint32_t>(bits >> 32));
  putU32(record + kFrontSize + kPointBodySize, crc32(record, kFrontSize + kPointBodySize));
}

bool decodeHeader(const QByteArray &body, JournalHeader *header) {
  BodyCursor in(body);
  JournalHeader h;
  h.dateTime = in.string();
  h.pointCount = static_cast<int32_t>(in.u32());
  // Each entry takes at least 4 bytes, so a count the body cannot hold stops
  // the loop without reserving for it.
  for (uint32_t n = in.u32(); in.ok() && n > 0; --n) {
    QString name = in.string();
    QString text = in.string();
    if (in.ok()) h.texts.emplace_back(std::move(name), std::move(text));
  }
  for (uint32_t n = in.u32(); in.ok() && n > 0; --n) {
    QString line = in.string();
    if (in.ok()) h.description.append(std::move(line));
  }
  if (!in.ok() || !in.atEnd()) return false;
  *header = std::move(h);
  return true;
}

void decodePoint(const uint8_t *body, uint32_t *index, double *amperes) {
  *index = readU32(body);
  const uint64_t bits = uint64_t(readU32(body + 4)) | uint64_t(readU32(body + 8)) << 32;
  std::memcpy(amperes, &bits, sizeof bits);
}

}  // namespace journal_layout

QString journalPath(const QString &folder) { return QDir(folder).filePath(kJournalFileName); }
