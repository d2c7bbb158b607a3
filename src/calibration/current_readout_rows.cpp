#include "calibration/current_readout_rows.h"

#include "core/numbers.h"

const CurrentReadoutRow kCurrentReadoutRows[kCurrentReadoutRowCount] = {
    {"1 A", 1.0, 1, " A", 4},         {"100 mA", 0.1, 0.001, " mA", 2}, {"10 mA", 0.01, 0.001, " mA", 3},
    {"1 mA", 0.001, 0.001, " mA", 4}, {"100 uA", 1e-4, 1e-6, " uA", 2}, {"10 uA", 1e-5, 1e-6, " uA", 3},
    {"1 uA", 1e-6, 1e-6, " uA", 4},   {"100 nA", 1e-7, 1e-9, " nA", 2}, {"10 nA", 1e-8, 1e-9, " nA", 3},
    {"1 nA", 1e-9, 1e-9, " nA", 4},
};

int firstCurrentReadoutRow(int modelIndex) { return modelIndex == 1 || modelIndex == 2 ? 3 : 0; }

QString formatCurrentReadout(double amperes, const CurrentReadoutRow &row) {
  return formatFixed(amperes / row.divisor, row.decimals) + QLatin1String(row.unit);
}
