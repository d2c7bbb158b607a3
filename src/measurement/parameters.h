#pragma once
// Turns the parameter texts into the numeric fields of the record and
// derives the pulse step, recording time and pulse number.

#include "core/measurement_record.h"

// Recomputes sweepSpeed .. pulseNumber and the three information labels.
// Stops early, changing nothing further, when the sweep speed or the pulse
// period is not positive.
void SetParameters(MeasurementRecord &record);
void PrePotEditChange(MeasurementRecord &record);
void PreTimeEditChange(MeasurementRecord &record);
