#include "calibration/meter_calibration.h"

#include <cmath>

#include "calibration/meter_readout.h"
#include "core/numbers.h"
#include "instrument/instrument.h"

MeterCalibration::MeterCalibration(Instrument &instrument, ReadoutClock &clock)
    : instrument_(instrument), clock_(clock) {
  for (int i = 0; i <= instrument.lastMeterRange(); ++i) rangeNames_ << Instrument::potentialRangeName(i);
}

void MeterCalibration::selectRange(int index) {
  if (index >= 0 && index < rangeNames_.size()) rangeIndex_ = index;
}

QString MeterCalibration::zeroText() const { return instrument_.calibration().adcZeroText[rangeIndex_]; }
QString MeterCalibration::factorText() const { return instrument_.calibration().adcFactText[rangeIndex_]; }

void MeterCalibration::setZeroText(const QString &text) {
  instrument_.calibration().adcZeroText[rangeIndex_] = text;
  instrument_.SetCalibration();
}

void MeterCalibration::setFactorText(const QString &text) {
  instrument_.calibration().adcFactText[rangeIndex_] = text;
  instrument_.SetCalibration();
}

void MeterCalibration::activate() {
  instrument_.PotentiometerOn(instrument_.meterRangeLimits()[rangeIndex_]);
  readPotential_.restart(instrument_.PotentiometerGetPotential());
}

void MeterCalibration::deactivate() { instrument_.PotentiometerOff(); }

QString MeterCalibration::tick() {
  readPotential_.update([this] { return instrument_.PotentiometerGetPotential(); }, clock_);
  return formatMeterCalibrationReadout(readPotential_.value(), rangeIndex_);
}

std::optional<QString> MeterCalibration::setZero() {
  const double scale = instrument_.meterScale();
  if (scale == 0) return std::nullopt;
  const double offset = instrument_.meterOffset() + readPotential_.value() / scale;
  // A factor near the smallest doubles gives no usable zero.
  if (!std::isfinite(offset)) return std::nullopt;
  instrument_.setMeterOffset(offset);
  return formatFixed(2048 - instrument_.meterOffset(), 2);
}
