#pragma once
// dpv --report IN.dpv OUT.pdf: open IN as File > Open does and write the
// one-page report as PDF, with the page settings of the settings file.
// Returns the exit code: 0 done, 1 IN cannot be read, 2 OUT cannot be
// written; a failure is explained on stderr.

#include <QString>

int reportCommand(const QString &in, const QString &out);
