#pragma once
// The text export: a short header and a TAB-separated table of the points,
// for other programs. The program never reads it back.

#include <QString>
#include <QStringList>
#include <functional>

#include "core/measurement_record.h"

// The export's bytes, handed to `sink` piece by piece (a megabyte or so at a
// time, so a long measurement needs no copy of its whole text).
void writeTextExportBytes(const MeasurementRecord &record, const std::function<void(const char *, qsizetype)> &sink);

// The lines of the export; rows for points 0 .. pointIndex - 1, as the graph shows.
QStringList textExportLines(const MeasurementRecord &record);

// Writes the export through a temporary file renamed into place. Returns
// false and sets `error` when it cannot.
bool writeTextExport(const QString &path, const MeasurementRecord &record, QString *error);
