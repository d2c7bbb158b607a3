#include "calibration/hardware_calibration.h"

#include <cmath>

#include "core/numbers.h"
#include "instrument/instrument.h"

namespace {

// Values that make the instrument choose exactly the potential range of each
// list entry: half of each range's limit.
constexpr double kPotentialRangeValues[kPotentialRangeCount] = {2.5, 1.0, 0.25, 0.1};
constexpr uint8_t kElectrodes = 2;

}  // namespace

HardwareCalibration::HardwareCalibration(Instrument &instrument, ReadoutClock &clock)
    : instrument_(instrument), clock_(clock) {
  takeModelRanges();
}

bool HardwareCalibration::takeModelRanges() {
  QStringList names;
  for (int i = 0; i <= instrument_.lastCurrentRange(); ++i) names << instrument_.currentRangeName(i);
  const int model = instrument_.modelIndex();
  if (model == modelIndex_ && names == currentRangeNames_) return false;
  modelIndex_ = model;
  currentRangeNames_ = names;
  firstRangeIndex_ = firstCurrentReadoutRow(model);
  currentIndex_ = 0;
  return true;
}

QStringList HardwareCalibration::potentialRangeNames() {
  return {QStringLiteral("5 V"), QStringLiteral("2 V"), QStringLiteral("0.5 V"), QStringLiteral("0.2 V")};
}

void HardwareCalibration::selectCurrentRange(int index) {
  if (index < 0 || index >= currentRangeNames_.size()) return;
  currentIndex_ = index;
  instrument_.SetCalibration();
}

void HardwareCalibration::selectPotentialRange(int index) {
  if (index >= 0 && index < kPotentialRangeCount) potentialIndex_ = index;
}

QString HardwareCalibration::currZeroText() const { return instrument_.calibration().currZeroText[currentIndex_]; }
QString HardwareCalibration::currFactText() const { return instrument_.calibration().currFactText[currentIndex_]; }
QString HardwareCalibration::dacZeroText() const { return instrument_.calibration().dacZeroText[potentialIndex_]; }
QString HardwareCalibration::dacFactText() const { return instrument_.calibration().dacFactText[potentialIndex_]; }

void HardwareCalibration::setCurrZeroText(const QString &text) {
  instrument_.calibration().currZeroText[currentIndex_] = text;
  instrument_.SetCalibration();
}

void HardwareCalibration::setCurrFactText(const QString &text) {
  instrument_.calibration().currFactText[currentIndex_] = text;
  instrument_.SetCalibration();
}

void HardwareCalibration::setDacZeroText(const QString &text) {
  instrument_.calibration().dacZeroText[potentialIndex_] = text;
  instrument_.SetCalibration();
}

void HardwareCalibration::setDacFactText(const QString &text) {
  instrument_.calibration().dacFactText[potentialIndex_] = text;
  instrument_.SetCalibration();
}

void HardwareCalibration::setElectrodePotentialText(const QString &millivolts) {
  electrodePotential_ = readNumber(millivolts) / 1000;
}

void HardwareCalibration::activate() {
  instrument_.PotentiostatOn(kElectrodes, row().rangeValue, kPotentialRangeValues[potentialIndex_],
                             electrodePotential_);
}

void HardwareCalibration::deactivate() { instrument_.PotentiostatOff(); }

QString HardwareCalibration::tick() {
  readCurrent_.update([this] { return instrument_.PotentiostatGetCurrent(); }, clock_);
  instrument_.PotentiostatSetPotential(electrodePotential_);
  return formatCurrentReadout(readCurrent_.value(), row());
}

std::optional<QString> HardwareCalibration::setZero() {
  const double scale = instrument_.currScale();
  if (scale == 0) return std::nullopt;
  const double offset = instrument_.adcOffset() + readCurrent_.value() / scale;
  // A factor near the smallest doubles gives no usable zero.
  if (!std::isfinite(offset)) return std::nullopt;
  instrument_.setAdcOffset(offset);
  return formatFixed(2048 - instrument_.adcOffset(), 2);
}
