#pragma once
// The --sim-cell text: comma-separated name=value pairs that change the
// simulated cell and instrument ("E0=0.25,n=2,noise=0"). Semicolons separate
// couples ("E0=0.1,C=1.2;E0=0.35,n=2,C=0.6"): E0, n, C and D belong to the
// couple they stand in, the other names to the whole cell wherever they stand.

#include <QString>

#include "instrument/sim_cell.h"

struct SimOptions {
  SimCellParameters cell;
  bool converterErrors = true;  // per-range zero and gain errors of the converters
};

// Applies the pairs of `text` to `options`: the i-th couple of the text to
// the i-th couple of `options` (a new one starts from the defaults), and
// `options` keeps as many couples as the text gives; empty text changes
// nothing. Within one couple the last of a repeated name holds. Returns false
// with `error` (naming the pair) for an unknown name, a value it cannot use,
// or a name of the whole cell given different values in two couples.
bool parseSimOptions(const QString &text, SimOptions *options, QString *error);

// One line per parameter, those of a couple first, for --help.
QString simOptionsHelp();
