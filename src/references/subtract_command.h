#pragma once
// dpv --subtract BLANK.dpv IN.dpv OUT.dpv: opens IN as File > Open does,
// subtracts the blank as Work > "Subtract blank..." does and writes OUT as
// Save does. Returns the exit code: 0 done, 1 an input cannot be read, 2 OUT
// cannot be written, 3 the blank does not cover IN's potential range (no OUT
// is written); the message goes to stderr.

#include <QString>

int subtractCommand(const QString &blank, const QString &in, const QString &out);
