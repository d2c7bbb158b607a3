#pragma once
// The peak analysis of the program's measurement record: the one place that
// knows how the record stores its points.

#include <vector>

#include "analysis/curve.h"
#include "analysis/peaks.h"
#include "core/measurement_record.h"

// The stored points 0 .. pointIndex (within the storage) at their present
// potentials, the peaks signed as the pulse amplitude (told from the curve
// when it is 0). A record without points (pointIndex 0 or -1) gives an empty
// curve. The curve reads the record's storage: it lives as long as that does.
Curve recordCurve(const MeasurementRecord &record);

// The peaks of the record's curve.
std::vector<Peak> recordPeaks(const MeasurementRecord &record, const AnalysisSettings &settings);
