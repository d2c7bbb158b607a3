#pragma once
// The .dpv measurement file: section "[Setup]" with the parameter texts,
// "[Info]" with the description and "[Data]" with one current per line in
// the display unit.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include "core/measurement_record.h"

// The file's bytes: the lines, each ended by CR LF; the values are written
// straight into the one buffer.
QByteArray dpvFileBytes(const MeasurementRecord &record);

// The lines of the file for the record, in the order they are written.
QStringList dpvFileLines(const MeasurementRecord &record);

// Writes the file through a temporary file renamed into place, so an old file
// of the same name survives a failure. Returns false and sets `error`.
bool writeDpvFile(const QString &path, const MeasurementRecord &record, QString *error);

// Puts a file's bytes into the record as opening does: the setup texts (then
// the axes and parameters are derived again), the description and the points
// with pointIndex at the last value read (-1 for none). Only the text parts
// are decoded (UTF-8, or Latin-1 when the file is not valid UTF-8); the
// values are read from the bytes.
void loadDpvBytes(QByteArrayView bytes, MeasurementRecord &record);

// loadDpvBytes for a file given as its lines.
void loadDpvLines(const QStringList &lines, MeasurementRecord &record);

// Reads the file and loads it. Returns false and sets `error` when the file
// cannot be read; the record is then untouched.
bool readDpvFile(const QString &path, MeasurementRecord &record, QString *error);
