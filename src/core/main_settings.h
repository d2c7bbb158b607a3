#pragma once
// The main window's part of the settings file: section "Setup" (parameters,
// folder, window state) and section "Info" (the experiment description).

#include <QString>
#include <QStringList>

#include "core/ini_file.h"
#include "core/measurement_record.h"

struct MainWindowState {
  QString initialDirectory;
  bool windowMaximized = false;
};

// Fills the parameter texts from "Setup" with the defaults for missing keys.
// The current unit starts at "pA" and moves only on an exact match.
void readSetupSection(const IniFile &ini, ParameterTexts *texts, MainWindowState *state);
// Writes the "Setup" keys in their fixed order (without "Selected device").
void writeSetupSection(IniFile &ini, const ParameterTexts &texts, const MainWindowState &state);

// "Selected device" of "Setup": the instrument model of the device window.
int readSelectedDevice(const IniFile &ini);
void writeSelectedDevice(IniFile &ini, int index);
// "Initial directory" of "Setup": the folder the file dialogs start in.
QString readInitialDirectory(const IniFile &ini);

// The description lines stored in section "Info", in order.
QStringList readDescription(const IniFile &ini);
// Replaces section "Info" with the description lines.
void writeDescription(IniFile &ini, const QStringList &lines);
