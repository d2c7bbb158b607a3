#pragma once
// The fields of one line of comma-separated text as spreadsheets write it: a
// field in double quotes may hold commas and blanks, and "" inside it stands
// for one quote.

#include <QString>
#include <QStringList>

// Splits `line` into its fields, unquoted. False for a quoted field without
// its closing quote (a field that runs on to the next line is not read).
bool splitCsvLine(const QString &line, QStringList *fields);

// `text` as one field: quoted when it holds a comma or a quote, so that
// splitCsvLine gives it back unchanged.
QString csvField(const QString &text);
