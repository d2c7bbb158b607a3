#pragma once
// A second measurement file read beside the one the program holds (a blank,
// a reference curve): parsed as File > Open parses it, into a record of its
// own, so the program's measurement stays as it is.

#include <QString>

#include "core/measurement_record.h"

// Reads `path` into `other`, starting from the parameter texts of `current`
// before any zoom, as opening would start from the window's controls: a key
// the file lacks keeps that text. The axes, parameters and smoothing weights
// are derived from the file's own texts. Returns false with the message in
// `error` when the file cannot be read.
bool readOtherMeasurement(const MeasurementRecord &current, const QString &path, MeasurementRecord *other,
                          QString *error);
