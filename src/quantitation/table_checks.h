#pragma once
// What a table asks for, checked before any of its files is read.

#include "quantitation/quantitation_settings.h"
#include "quantitation/quantitation_table.h"

// A calibration (standards, samples, blanks as you like) or a standard
// addition (one sample, its additions, blanks as you like). False with
// `error` at the line of the fault, or at the table's last line for what is
// missing: no files; a file listed twice; standards and additions together;
// fewer than two standards, or all at one concentration; no sample; for a
// standard addition a second sample name or additions that add nothing; 1/x²
// weighting of a concentration 0.
bool checkTable(const QuantitationTable &table, Weighting weighting, Method *method, TableError *error);
