#pragma once
// The current ranges as the hardware calibration dialog sees them: ten rows
// from "1 A" down to "1 nA" covering every model, each with the range value
// that makes the instrument choose exactly that range and the way the
// reading is shown in it.

#include <QString>

struct CurrentReadoutRow {
  const char *range;  // range name
  double rangeValue;  // amperes passed to PotentiostatOn
  double divisor;     // amperes per display unit
  const char *unit;   // shown after the number
  int decimals;
};

constexpr int kCurrentReadoutRowCount = 10;
extern const CurrentReadoutRow kCurrentReadoutRows[kCurrentReadoutRowCount];

// The row of the first current range of a model: model 0 starts at "1 A",
// models 1 and 2 at "1 mA".
int firstCurrentReadoutRow(int modelIndex);

// `amperes` in the row's unit, e.g. 0.5 mA in the "1 mA" row gives "0.5000 mA".
QString formatCurrentReadout(double amperes, const CurrentReadoutRow &row);
