#include "references/other_measurement.h"

#include "files/dpv_file.h"
#include "files/file_operations.h"
#include "graph/smoothing.h"

bool readOtherMeasurement(const MeasurementRecord &current, const QString &path, MeasurementRecord *other,
                          QString *error) {
  MeasurementRecord file;
  file.texts = current.unzoomedTexts();
  QString reason;
  if (!readDpvFile(path, file, &reason)) {
    if (error) *error = cannotOpenMessage(path, reason);
    return false;
  }
  computeDampingWeights(file);
  *other = std::move(file);
  return true;
}
