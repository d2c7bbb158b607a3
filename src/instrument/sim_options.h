#pragma once
// The --sim-cell text: comma-separated name=value pairs that change the
// simulated cell and instrument ("E0=0.25,n=2,noise=0").

#include <QString>

#include "instrument/sim_cell.h"

struct SimOptions {
  SimCellParameters cell;
  bool converterErrors = true;  // per-range zero and gain errors of the converters
};

// Applies the pairs of `text` to `options`; empty text changes nothing.
// Returns false with `error` for an unknown name or a value it cannot use.
bool parseSimOptions(const QString &text, SimOptions *options, QString *error);

// One line per parameter, for --help.
QString simOptionsHelp();
