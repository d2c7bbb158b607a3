#pragma once
// Parameter texts as a fresh program shows them; tests change what they need.

#include "core/measurement_record.h"

inline ParameterTexts factoryTexts() {
  ParameterTexts t;
  t.currMin = "-100";
  t.currMax = "100";
  t.currUnitIndex = 2;  // uA
  t.damping = "0";
  t.dampingUnitIndex = 0;  // %
  t.potStart = "0";
  t.potEnd = "0";
  t.sweep = "10";
  t.amplitude = "50";
  t.period = "50";
  t.accumulation = "10";
  t.preTime = "0";
  t.prePot = "0";
  return t;
}
