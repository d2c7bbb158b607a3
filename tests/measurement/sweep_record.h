#pragma once
// A record set up for a sweep at 100 mV/s on a -10..10 uA axis, the other
// parameters as a fresh program has them.

#include "core/measurement_record.h"
#include "factory_texts.h"
#include "graph/scaling.h"

inline MeasurementRecord sweepRecord(const char *start, const char *end, const char *period, const char *accumulation) {
  MeasurementRecord r;
  r.texts = factoryTexts();
  r.texts.currMin = "-10";
  r.texts.currMax = "10";
  r.texts.potStart = start;
  r.texts.potEnd = end;
  r.texts.sweep = "100";
  r.texts.period = period;
  r.texts.accumulation = accumulation;
  XYFactors(r);
  return r;
}
