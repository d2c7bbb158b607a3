// Reading the journal back: whole records come back exactly, and whatever a
// crash or damage leaves, the reader returns only points whose records are
// whole and in order.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <random>

#include "journal/crc32.h"
#include "journal/journal_reader.h"
#include "journal_test_support.h"
#include "qstring_print.h"

namespace {

using Status = JournalContents::Status;
using journal_layout::kPointRecordSize;

class JournalReader : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    path = dir.filePath("run.journal");
  }
  // A journal of `count` points; returns its bytes.
  QByteArray journalOf(int count) {
    values = runValues(count);
    writeRunJournal(path, record, values);
    return fileBytes(path);
  }
  JournalContents readBytes(const QByteArray &bytes) {
    putFile(cut, bytes);
    return readJournal(cut);
  }
  // Where the point records begin.
  qsizetype pointsStart(const QByteArray &journal, int count) const {
    return journal.size() - count * static_cast<qsizetype>(kPointRecordSize);
  }

  QTemporaryDir dir;
  QString path;
  QString cut = dir.filePath("cut.journal");
  MeasurementRecord record = runRecord();
  std::vector<double> values;
};

}  // namespace

TEST(JournalChecksum, IsTheIeeeCrc32) {
  const char *text = "123456789";
  EXPECT_EQ(crc32(reinterpret_cast<const uint8_t *>(text), 9), 0xCBF43926u);
  // In pieces as in one.
  EXPECT_EQ(crc32(reinterpret_cast<const uint8_t *>(text) + 4, 5, crc32(reinterpret_cast<const uint8_t *>(text), 4)),
            0xCBF43926u);
  EXPECT_EQ(crc32(nullptr, 0), 0u);
}

TEST_F(JournalReader, GivesBackTheHeaderAndEveryPointExactly) {
  journalOf(250);
  const JournalContents c = readJournal(path);
  ASSERT_EQ(c.status, Status::Found) << c.error.toStdString();
  EXPECT_EQ(c.header.dateTime, record.document.runDateTime);
  EXPECT_EQ(c.header.pointCount, 2000);
  EXPECT_EQ(c.header.description, record.document.description);
  EXPECT_EQ(c.header.texts.size(), 13u);
  EXPECT_TRUE(samePoints(c.points, values, 250));
  EXPECT_EQ(c.end, JournalEnd::EndOfFile);
  EXPECT_TRUE(c.error.isEmpty());
}

TEST_F(JournalReader, AHeaderAloneIsARunWithoutPoints) {
  journalOf(0);
  const JournalContents c = readJournal(path);
  ASSERT_EQ(c.status, Status::Found) << c.error.toStdString();
  EXPECT_EQ(c.header.pointCount, 2000);
  EXPECT_TRUE(c.points.empty());
  EXPECT_EQ(c.end, JournalEnd::EndOfFile);
}

// A crash can end the file anywhere: each cut at every byte of the last three
// records gives exactly the points whose records are whole.
TEST_F(JournalReader, ACutAtAnyByteOfTheLastRecordsGivesTheWholeOnes) {
  const int count = 40;
  const QByteArray journal = journalOf(count);
  const qsizetype start = pointsStart(journal, count);
  for (qsizetype size = journal.size() - 3 * qsizetype(kPointRecordSize); size <= journal.size(); ++size) {
    const JournalContents c = readBytes(journal.left(size));
    ASSERT_EQ(c.status, Status::Found) << "cut at " << size;
    const size_t whole = static_cast<size_t>((size - start) / qsizetype(kPointRecordSize));
    EXPECT_TRUE(samePoints(c.points, values, whole)) << "cut at " << size;
    const bool atBoundary = (size - start) % qsizetype(kPointRecordSize) == 0;
    EXPECT_EQ(c.end, atBoundary ? JournalEnd::EndOfFile : JournalEnd::CutRecord) << "cut at " << size;
  }
}

// A crash before the header was whole leaves no run, and no point.
TEST_F(JournalReader, ACutInsideTheHeaderLeavesNoRun) {
  const QByteArray journal = journalOf(3);
  for (qsizetype size = 0; size < pointsStart(journal, 3); ++size) {
    const JournalContents c = readBytes(journal.left(size));
    EXPECT_EQ(c.status, Status::Empty) << "cut at " << size << ": " << c.error.toStdString();
    EXPECT_TRUE(c.points.empty());
  }
}

TEST_F(JournalReader, ADamagedByteEndsThePointsAtItsRecord) {
  const int count = 12;
  const QByteArray journal = journalOf(count);
  const qsizetype start = pointsStart(journal, count);
  for (qsizetype at = start + (count - 3) * qsizetype(kPointRecordSize); at < journal.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      QByteArray damaged = journal;
      damaged[at] = static_cast<char>(damaged[at] ^ (1 << bit));
      const JournalContents c = readBytes(damaged);
      ASSERT_EQ(c.status, Status::Found) << "byte " << at;
      const size_t before = static_cast<size_t>((at - start) / qsizetype(kPointRecordSize));
      EXPECT_TRUE(samePoints(c.points, values, before)) << "byte " << at << " bit " << bit;
      EXPECT_NE(c.end, JournalEnd::EndOfFile) << "byte " << at << " bit " << bit;
    }
  }
  // A wrong value with its size intact is caught by the checksum alone.
  QByteArray damaged = journal;
  damaged[start + 10] = static_cast<char>(damaged[start + 10] ^ 0x40);
  const JournalContents c = readBytes(damaged);
  EXPECT_TRUE(c.points.empty());
  EXPECT_EQ(c.end, JournalEnd::BadChecksum);
}

// Damage of any kind, anywhere: what comes back is always a prefix of what was written.
TEST_F(JournalReader, RandomDamageNeverGivesAPointThatWasNotWritten) {
  const int count = 60;
  const QByteArray journal = journalOf(count);
  std::mt19937 random(15);
  for (int trial = 0; trial < 1000; ++trial) {
    QByteArray damaged = journal.left(std::uniform_int_distribution<qsizetype>(0, journal.size())(random));
    for (int n = std::uniform_int_distribution<int>(0, 4)(random); n > 0 && !damaged.isEmpty(); --n)
      damaged[std::uniform_int_distribution<qsizetype>(0, damaged.size() - 1)(random)] =
          static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    const JournalContents c = readBytes(damaged);
    if (c.status != Status::Found) {
      ASSERT_TRUE(c.points.empty()) << "trial " << trial;
      continue;
    }
    ASSERT_LE(c.points.size(), size_t(count)) << "trial " << trial;
    ASSERT_TRUE(samePoints(c.points, values, c.points.size())) << "trial " << trial;
  }
}

TEST_F(JournalReader, ADamagedHeaderGivesNoRun) {
  const QByteArray journal = journalOf(2);
  for (qsizetype at = 0; at < pointsStart(journal, 2); ++at) {
    QByteArray damaged = journal;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
    const JournalContents c = readBytes(damaged);
    EXPECT_NE(c.status, Status::Found) << "byte " << at;
    EXPECT_TRUE(c.points.empty());
  }
}

// The writer writes what it is given; the reader still takes only point 0, 1, 2, ...
TEST_F(JournalReader, PointsOutOfOrderOrBeyondTheRunEndTheRead) {
  record.texts.potEnd = "-499";  // 1 mV: two points
  XYFactors(record);
  ASSERT_EQ(record.params.pulseNumber, 2);
  const struct {
    std::vector<int32_t> indexes;
    size_t read;
    JournalEnd end;
  } cases[] = {{{0, 1}, 2, JournalEnd::EndOfFile},
               {{0, 2, 1}, 1, JournalEnd::PointOutOfOrder},
               {{1}, 0, JournalEnd::PointOutOfOrder},
               {{0, 0}, 1, JournalEnd::PointOutOfOrder},
               {{0, 1, 2}, 2, JournalEnd::PointBeyondRun}};
  for (const auto &k : cases) {
    JournalWriter writer(nullptr);
    ASSERT_TRUE(writer.start(path, journalHeader(record)));
    for (int32_t i : k.indexes) writer.addPoint(i, 1e-6 * (i + 1));
    writer.finish();
    const JournalContents c = readJournal(path);
    ASSERT_EQ(c.status, Status::Found);
    ASSERT_EQ(c.points.size(), k.read);
    for (size_t i = 0; i < k.read; ++i) EXPECT_EQ(c.points[i], 1e-6 * double(i + 1));
    EXPECT_EQ(c.end, k.end);
  }
}

// A record with a good checksum but of an unknown kind (a later version's,
// say) ends the points too.
TEST_F(JournalReader, ARecordOfAnotherKindEndsThePoints) {
  QByteArray journal = journalOf(3);
  const qsizetype second = pointsStart(journal, 3) + qsizetype(kPointRecordSize);
  journal[second + 4] = 'X';
  const uint32_t crc = crc32(reinterpret_cast<const uint8_t *>(journal.constData()) + second, 17);
  for (int i = 0; i < 4; ++i) journal[second + 17 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
  const JournalContents c = readBytes(journal);
  ASSERT_EQ(c.status, Status::Found);
  EXPECT_TRUE(samePoints(c.points, values, 1));
  EXPECT_EQ(c.end, JournalEnd::UnexpectedRecord);
}

TEST_F(JournalReader, MissingEmptyAndForeignFilesGiveNoRun) {
  EXPECT_EQ(readJournal(dir.filePath("none")).status, Status::Missing);
  EXPECT_EQ(readBytes(QByteArray()).status, Status::Empty);
  EXPECT_EQ(readBytes("DPVJR").status, Status::Empty);  // cut inside the magic

  const struct {
    QByteArray bytes;
    const char *error;
  } foreign[] = {{"[Setup]\r\nDate time=today\r\n", "not a run journal"},
                 {"D", nullptr},  // one byte of the magic: an empty run, below
                 {QByteArray("DPVJRNL\n\x02\0\0\0", 12), "version 2"},
                 {QByteArray(5000, '\0'), "not a run journal"},
                 {QByteArray("DPVJRNL\n\x01\0\0\0\xff\xff\xff\x7fH", 17), nullptr}};
  for (const auto &f : foreign) {
    const JournalContents c = readBytes(f.bytes);
    EXPECT_TRUE(c.points.empty());
    if (!f.error) {
      EXPECT_EQ(c.status, Status::Empty) << f.bytes.toStdString();
      continue;
    }
    EXPECT_EQ(c.status, Status::Unreadable) << f.bytes.toStdString();
    EXPECT_TRUE(c.error.contains(f.error)) << c.error.toStdString();
  }

  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.journal"));
  const JournalContents folder = readJournal(dir.filePath("folder.journal"));
  EXPECT_EQ(folder.status, Status::Unreadable);
  EXPECT_EQ(folder.error, QString::fromLocal8Bit(std::strerror(EISDIR)));
}

// A header whose checksum holds but whose contents do not parse (or claim an
// impossible run) is damaged, never a run.
TEST_F(JournalReader, AHeaderThatDoesNotParseIsDamaged) {
  const auto withBody = [](const QByteArray &body) {
    QByteArray out("DPVJRNL\n\x01\0\0\0", 12);
    QByteArray record;
    for (int i = 0; i < 4; ++i) record.append(static_cast<char>((body.size() >> (8 * i)) & 0xFF));
    record.append('H');
    record.append(body);
    const uint32_t crc = crc32(reinterpret_cast<const uint8_t *>(record.constData()), size_t(record.size()));
    for (int i = 0; i < 4; ++i) record.append(static_cast<char>((crc >> (8 * i)) & 0xFF));
    return out + record;
  };
  const QByteArray zeroCount = QByteArray(4, '\0') + QByteArray(12, '\0');  // date "", 0 points, no texts, no lines
  const QByteArray oneCount = QByteArray(4, '\0') + QByteArray("\x01\0\0\0", 4) + QByteArray(8, '\0');
  const QByteArray hugeTexts = QByteArray(4, '\0') + QByteArray("\x01\0\0\0\xff\xff\xff\xff", 8);
  EXPECT_EQ(readBytes(withBody(oneCount)).status, Status::Found);
  for (const QByteArray &body : {zeroCount, hugeTexts, oneCount + "x", QByteArray("\xff\xff\xff\xff", 4)}) {
    const JournalContents c = readBytes(withBody(body));
    EXPECT_EQ(c.status, Status::Unreadable);
    EXPECT_TRUE(c.error.contains("damaged")) << c.error.toStdString();
  }
}
