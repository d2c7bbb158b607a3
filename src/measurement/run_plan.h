#pragma once
// The parameters of a run, taken from the record when it starts and kept for
// the whole run, whatever the controls are changed to meanwhile.

#include <QString>
#include <cstdint>

#include "core/measurement_record.h"

// Largest number of points a run may have, so the storage stays in memory.
inline constexpr int32_t kMaxRunPoints = 10000000;

struct RunPlan {
  double sweepStart = 0, pulseStep = 0, pulseAmplitude = 0, pulsePeriod = 0, accumulation = 0;
  double preTime = 0, prePotential = 0;
  int32_t pulseNumber = 0;
  int electrodes = 2;
  // The instrument's ranges follow the graph's axes.
  double currentRange = 0, potentialRange = 0;
};

RunPlan planRun(const MeasurementRecord &record);

// Why the parameter texts cannot give a sweep, or an empty text when they can.
// The record's derived numbers must be those of its texts (XYFactors).
QString sweepProblem(const MeasurementRecord &record);
