#pragma once
// dpv --quantify TABLE.csv OUT.csv: the quantitation of a table written as
// the CSV of result_rows.h ("-" for OUT: to standard output). Warnings go to
// stderr. Returns the exit code: 0 done; 1 the table cannot be read or used
// (the message names its line); 2 OUT cannot be written.

#include <QString>

#include "quantitation/quantitation_settings.h"

int quantifyCommand(const QString &table, const QString &out, const QuantitationSettings &settings);
