#pragma once
// A quantitation from the table to the result, as the window and the command
// line both run it: check the table, read the peaks of each file (with the
// settings file of the program folder, as File > Open reads a file and the
// peak analysis reads its settings), match one peak per file, fit.

#include "quantitation/quantitation.h"

// False with `error` at the line of the first fault, a file that cannot be
// read among them.
bool quantifyTable(const QuantitationTable &table, const QuantitationSettings &settings, QuantitationResult *result,
                   TableError *error);
