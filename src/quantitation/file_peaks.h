#pragma once
// The peaks of a measurement file, opened as File > Open opens it. The one
// file of the quantitation that holds a measurement record.

#include <QString>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/peaks.h"
#include "core/ini_file.h"

// Opens `path` with the settings of `ini` and finds the peaks of its curve.
// False with the reason in `error` when the file cannot be read.
bool measurementFilePeaks(const IniFile &ini, const AnalysisSettings &settings, const QString &path,
                          std::vector<Peak> *peaks, QString *error);
