#pragma once
// Section "References" of the settings: the files of the reference curves
// shown when the program ended, as keys "File1", "File2", ... in order.

#include <QString>
#include <QStringList>

#include "core/ini_file.h"

inline const QString kReferencesSection = QStringLiteral("References");

QStringList readReferencePaths(const IniFile &ini);
// Replaces the section by these paths.
void writeReferencePaths(IniFile &ini, const QStringList &paths);
