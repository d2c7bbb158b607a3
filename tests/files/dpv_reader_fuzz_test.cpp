#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/text_io.h"
#include "files/data_view_text.h"
#include "files/dpv_file.h"
#include "files/text_export.h"

#include "damaged_files.h"
#include "files_test_support.h"

// Any input loads without a crash and leaves the record's invariants whole;
// every user of the points can then read it.
TEST(DpvReaderFuzz, RandomFilesLoadWithinTheStorage) {
  QRandomGenerator random(20261208);
  for (int round = 0; round < 20000; ++round) {
    const QByteArray file = randomDamagedFile(random);
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
