#pragma once
// Where the program keeps its settings, calibration and help files: the
// folder of the program file, or the folder named by --folder.

#include <QString>

void setProgramFolder(const QString &folder);
// The folder, ending with "/".
QString programFolder();
// programFolder() + name.
QString programFile(const QString &name);
// The file `name` shipped beside the program itself, whatever --folder says.
QString shippedFile(const QString &name);
