#pragma once
// Opening, saving and exporting the measurement as the File commands do once
// a file name is known: status word, document flags, file name and run labels.
// The caption follows from record.caption().

#include <QByteArray>
#include <QString>

#include "core/measurement_record.h"

// Opens a .dpv file into the record. On failure returns false with a message
// in `error`; the flags and file name stay and the status keeps "Loading".
bool openMeasurementFile(MeasurementRecord &record, const QString &path, QString *error);

// Saves the record as a .dpv file and marks it saved under `path`. On failure
// returns false with a message; the old file, flags and file name stay and
// the status keeps "Saving".
bool saveMeasurementFile(MeasurementRecord &record, const QString &path, QString *error);

// Writes the text export. A copy, not a save: flags and file name stay. On
// failure returns false with a message and the status keeps "Writing".
bool exportMeasurementText(MeasurementRecord &record, const QString &path, QString *error);

// The output of a command-line form: the file `path`, replaced only by the
// whole of `bytes`, or standard output for "-". On failure returns false with
// a message.
bool writeCommandOutput(const QString &path, const QByteArray &bytes, QString *error);

// Messages for files that cannot be read or written, with the system's reason.
QString cannotOpenMessage(const QString &path, const QString &reason);
QString cannotWriteMessage(const QString &path, const QString &reason);
