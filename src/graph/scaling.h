#pragma once
// Axis scaling of the graph: axis ends, pixel factors, decimal counts and the
// grid step. Pure functions of the record and the plot size.

#include <cstdint>

#include "core/measurement_record.h"

// Number of decimals for showing values of magnitude `m` over a relative span `r`.
uint8_t decimalCount(double m, double r);

// Grid step for an axis from `lo` to `hi` (10 to 25 intervals of 1, 2 or 5
// times a power of ten; negative when lo > hi). The span must be finite and
// not zero.
double gridStep(double lo, double hi);

// True when the potential axis has a span the grid and pixel rules can use.
bool hasPotentialSpan(const MeasurementRecord &record);

// Recomputes the axis fields, factors, digits, maxima and sweepStart (when
// not zoomed) from the axis texts and the plot size in the record, then calls
// SetParameters.
void XYFactors(MeasurementRecord &record);
