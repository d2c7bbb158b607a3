#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/text_io.h"
#include "files/data_view_text.h"
#include "files/dpv_file.h"
#include "files/text_export.h"
#include "files_test_support.h"

namespace {

// Pieces that real and damaged files are made of, so random files reach the
// interesting branches more often than random bytes alone would.
const char *const kPieces[] = {
    "[Setup]",
    "[Info]",
    "[Data]",
    "[",
    "]",
    "=",
    "\r\n",
    "\n",
    "\r",
    "C min=",
    "C max=",
    "C units=",
    "nA",
    "Damping=",
    "Damping units=",
    "ms",
    "P start=",
    "P end=",
    "Sweep speed=",
    "Pulse period=",
    "Pulse amplitude=",
    "Data accumulation=",
    "Preelectrolysis time=",
    "Preelectrolysis potential=",
    "Date time=",
    "-",
    "1e308",
    "1e-320",
    "0",
    "12.5",
    "-7",
    "nan",
    "inf",
    "1e99999",
    " ",
    "\t",
    "\xff\xfe",
    "\xc3\xa9",
    "\xEF\xBB\xBF",
    "99999999999",
};

QByteArray randomFile(QRandomGenerator &random) {
  QByteArray bytes;
  const int pieces = random.bounded(60);
  for (int i = 0; i < pieces; ++i) {
    if (random.bounded(5) == 0) {
      bytes += static_cast<char>(random.bounded(256));
    } else {
      bytes += kPieces[random.bounded(static_cast<int>(std::size(kPieces)))];
    }
  }
  return bytes;
}

}  // namespace

// Any input loads without a crash and leaves the record's invariants whole;
// every user of the points can then read it.
TEST(DpvReaderFuzz, RandomFilesLoadWithinTheStorage) {
  QRandomGenerator random(20261208);
  for (int round = 0; round < 20000; ++round) {
    const QByteArray file = randomFile(random);
    MeasurementRecord r = sampleRecord();
    r.params.dampingFactor = 0.5;
    r.params.dampingRest = 0.5;
    loadDpvLines(splitLines(decodeText(file)), r);
    ASSERT_GE(r.document.pointIndex, -1) << file.toHex().toStdString();
    ASSERT_LT(r.document.pointIndex,
              static_cast<int64_t>(r.document.points.size()) + (r.document.pointIndex < 0 ? 1 : 0))
        << file.toHex().toStdString();
    ASSERT_LE(r.document.points.size(), 10'000'000u);
    const QStringList written = dpvFileLines(r);
    ASSERT_FALSE(written.isEmpty());
    textExportLines(r);
    dataViewRows(r, DataViewColumns{});
  }
}
