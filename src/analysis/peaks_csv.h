#pragma once
// The peak table as `dpv --peaks` writes it: a header, then one row per peak
// in increasing potential; potentials and widths in mV with 2 decimals,
// heights and areas with 6 significant digits ("1.51923e-05"), "." always.

#include <QByteArray>
#include <QStringList>
#include <vector>

#include "analysis/peaks.h"

inline const QString kPeaksCsvHeader =
    QStringLiteral("Peak,Potential [mV],Height [A],Area [A V],Width [mV],Baseline from [mV],Baseline to [mV]");

// The header and the rows; no peaks give the header alone.
QStringList peaksCsvLines(const std::vector<Peak> &peaks);
// The same lines as file bytes: UTF-8, each line ended by CR LF.
QByteArray peaksCsv(const std::vector<Peak> &peaks);
