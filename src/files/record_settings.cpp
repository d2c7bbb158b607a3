#include "files/record_settings.h"

#include "app/main_settings.h"
#include "graph/scaling.h"
#include "measurement/parameters.h"

void loadRecordSettings(const IniFile &ini, MeasurementRecord &record) {
  readSetupSection(ini, &record.texts, nullptr);
  PrePotEditChange(record);
  PreTimeEditChange(record);
  XYFactors(record);
  record.description = readDescription(ini);
}
