// libFuzzer entry for the .dpv reader: any bytes load without a crash and
// leave pointIndex inside the storage.
#include <cstdint>
#include <cstdlib>

#include "files/dpv_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  MeasurementRecord record;
  record.texts.potStart = QStringLiteral("-500");
  record.texts.potEnd = QStringLiteral("500");
  record.texts.sweep = QStringLiteral("10");
  record.texts.period = QStringLiteral("50");
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  loadDpvBytes(bytes, record);
  if (record.document.pointIndex < -1 ||
      (record.document.pointIndex >= 0 &&
       static_cast<size_t>(record.document.pointIndex) >= record.document.points.size()))
    std::abort();
  dpvFileBytes(record);
  return 0;
}
