#include "files/record_settings.h"

#include "core/main_settings.h"
#include "files/file_operations.h"
#include "graph/scaling.h"
#include "measurement/parameters.h"

void loadRecordSettings(const IniFile &ini, MeasurementRecord &record) {
  readSetupSection(ini, &record.texts, nullptr);
  PrePotEditChange(record);
  PreTimeEditChange(record);
  XYFactors(record);
  record.document.description = readDescription(ini);
}

bool openAsProgramDoes(const IniFile &ini, MeasurementRecord &record, const QString &path, QString *error) {
  record.document.dataSaved = true;
  record.document.askFileName = true;
  loadRecordSettings(ini, record);
  return openMeasurementFile(record, path, error);
}
