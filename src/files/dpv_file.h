#pragma once
// The .dpv measurement file: section "[Setup]" with the parameter texts,
// "[Info]" with the description and "[Data]" with one current per line in
// the display unit.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/measurement_record.h"

// The lines of the file for the record, in the order they are written.
QStringList dpvFileLines(const MeasurementRecord &record);

// The file's bytes: the lines, each ended by CR LF.
QByteArray dpvFileBytes(const MeasurementRecord &record);

// Writes the file through a temporary file renamed into place, so an old file
// of the same name survives a failure. Returns false and sets `error`.
bool writeDpvFile(const QString &path, const MeasurementRecord &record, QString *error);

// Puts a file, given as its lines, into the record as opening does: the setup
// texts (then the axes and parameters are derived again), the description and
// the points with pointIndex at the last value read (-1 for none).
void loadDpvLines(const QStringList &lines, MeasurementRecord &record);

// Reads the file and loads it. Returns false and sets `error` when the file
// cannot be read; the record is then untouched.
bool readDpvFile(const QString &path, MeasurementRecord &record, QString *error);
