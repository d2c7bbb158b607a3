#include "quantitation/file_peaks.h"

#include "analysis/record_curve.h"
#include "core/measurement_record.h"
#include "files/record_settings.h"

bool measurementFilePeaks(const IniFile &ini, const AnalysisSettings &settings, const QString &path,
                          std::vector<Peak> *peaks, QString *error) {
  MeasurementRecord record;
  if (!openAsProgramDoes(ini, record, path, error)) return false;
  *peaks = recordPeaks(record, settings);
  return true;
}
