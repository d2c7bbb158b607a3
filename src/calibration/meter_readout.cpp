#include "calibration/meter_readout.h"

#include "core/numbers.h"

QString formatMeterCalibrationReadout(double volts, int meterRange) {
  if (meterRange <= 1) return formatFixed(volts, 4) + QStringLiteral(" V");
  return formatFixed(volts * 1000, 2) + QStringLiteral(" mV");
}

QString formatOpenCircuitReadout(double volts) { return formatFixed(volts * 1000, 1) + QStringLiteral(" mV"); }
