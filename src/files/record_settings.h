#pragma once
// The record as the main window holds it after start-up, for the command-line
// forms that work without windows.

#include "core/ini_file.h"
#include "core/measurement_record.h"

// Reads "Setup" and "Info" of the settings file into the record and derives
// the parameters and axes, as the main window does at start.
void loadRecordSettings(const IniFile &ini, MeasurementRecord &record);

// Opens the .dpv file `path` into `record` as the main window holds it after
// start-up and File > Open: the settings of `ini` first, then the file.
// Returns false with the message in `error` when the file cannot be read.
bool openAsProgramDoes(const IniFile &ini, MeasurementRecord &record, const QString &path, QString *error);
