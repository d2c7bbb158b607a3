#include "instrument/calibration_store.h"

#include "core/ini_file.h"
#include "core/numbers.h"

namespace {

const QString kSection = QStringLiteral("Calibration");
const QString kZeroDefault = QStringLiteral("0");
const QString kFactorDefault = QStringLiteral("1.0");
// What a text beyond the double range ("1e999") counts as.
constexpr double kZero = 0.0;
constexpr double kFactor = 1.0;

QString key(const char *prefix, int index) { return QLatin1String(prefix) + QString::number(index); }

}  // namespace

CalibrationStore::CalibrationStore() {
  for (int i = 0; i < kMaxCurrentRanges; ++i) {
    currZeroText[i] = kZeroDefault;
    currFactText[i] = kFactorDefault;
  }
  for (int i = 0; i < kPotentialRangeCount; ++i) {
    dacZeroText[i] = kZeroDefault;
    dacFactText[i] = kFactorDefault;
  }
  for (int i = 0; i < kMeterRangeCount; ++i) {
    adcZeroText[i] = kZeroDefault;
    adcFactText[i] = kFactorDefault;
  }
  SetCalibration(kMaxCurrentRanges - 1);
}

void CalibrationStore::SetCalibration(int lastCurrentRange) {
  for (int i = 0; i <= lastCurrentRange; ++i) {
    currZero[i] = readFiniteNumber(currZeroText[i], kZero);
    currFact[i] = readFiniteNumber(currFactText[i], kFactor);
  }
  for (int i = 0; i < kPotentialRangeCount; ++i) {
    dacZero[i] = readFiniteNumber(dacZeroText[i], kZero);
    dacFact[i] = readFiniteNumber(dacFactText[i], kFactor);
  }
  for (int i = 0; i < kMeterRangeCount; ++i) {
    adcZero[i] = readFiniteNumber(adcZeroText[i], kZero);
    adcFact[i] = readFiniteNumber(adcFactText[i], kFactor);
  }
}

void CalibrationStore::load(const QString &path, int lastCurrentRange) {
  const IniFile file(path);
  for (int i = 0; i <= lastCurrentRange; ++i) {
    currZeroText[i] = file.readString(kSection, key("GWR Zero ", i), kZeroDefault);
    currFactText[i] = file.readString(kSection, key("GWR Fact ", i), kFactorDefault);
  }
  for (int i = 0; i < kPotentialRangeCount; ++i) {
    dacZeroText[i] = file.readString(kSection, key("DAC Zero ", i), kZeroDefault);
    dacFactText[i] = file.readString(kSection, key("DAC Fact ", i), kFactorDefault);
  }
  for (int i = 0; i < kMeterRangeCount; ++i) {
    adcZeroText[i] = file.readString(kSection, key("ADC Zero ", i), kZeroDefault);
    adcFactText[i] = file.readString(kSection, key("ADC Fact ", i), kFactorDefault);
  }
  SetCalibration(lastCurrentRange);
}

bool CalibrationStore::save(const QString &path, int lastCurrentRange, QString *error) const {
  IniFile file(path);
  for (int i = 0; i <= lastCurrentRange; ++i) {
    file.writeString(kSection, key("GWR Zero ", i), currZeroText[i]);
    file.writeString(kSection, key("GWR Fact ", i), currFactText[i]);
  }
  for (int i = 0; i < kPotentialRangeCount; ++i) {
    file.writeString(kSection, key("DAC Zero ", i), dacZeroText[i]);
    file.writeString(kSection, key("DAC Fact ", i), dacFactText[i]);
  }
  for (int i = 0; i < kMeterRangeCount; ++i) {
    file.writeString(kSection, key("ADC Zero ", i), adcZeroText[i]);
    file.writeString(kSection, key("ADC Fact ", i), adcFactText[i]);
  }
  return file.save(error);
}
