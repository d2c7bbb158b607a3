#pragma once
// How the potential meter readings are written in the dialogs' panels.

#include <QString>

// Potential meter calibration: volts with 4 decimals in the "5 V" and "2 V"
// ranges (0 and 1), millivolts with 2 decimals in "500 mV" and "200 mV".
QString formatMeterCalibrationReadout(double volts, int meterRange);

// Open-circuit display: always millivolts with 1 decimal.
QString formatOpenCircuitReadout(double volts);
