#pragma once
// Where the program keeps its files: the user's folder (settings and
// calibration files) and the folder of the files it ships (help, examples).
//
// A portable copy keeps both in the folder of the program file, as the build
// folder does. An installed copy keeps the user's files in
// $XDG_CONFIG_HOME/dpv/ (~/.config/dpv/ when that is unset), created when
// missing, and finds its shipped files in ../share/dpv/ beside the program.
// A marelt.ini beside an installed program makes it portable again for the
// user's files (someone put it there on purpose); the shipped files stay in
// ../share/dpv/. --folder names the user's folder in either layout.

#include <QString>

enum class FileLayout { Portable, Installed };

struct ProgramFolders {
  QString user;             // ends with "/"
  QString shipped;          // ends with "/"
  bool createUser = false;  // the per-user folder, made when missing
};

// The choice itself, from the program's folder, the --folder option and the
// environment's XDG_CONFIG_HOME and HOME.
ProgramFolders chooseProgramFolders(FileLayout layout, const QString &programDir, const QString &folderOption,
                                    const QString &xdgConfigHome, const QString &home);

// The layout the program was built for; main() sets it for an installed build.
void setFileLayout(FileLayout layout);
void setProgramFolder(const QString &folder);
// The user's folder, ending with "/".
QString programFolder();
// programFolder() + name.
QString programFile(const QString &name);
// The settings file's name, and the settings file in the user's folder.
inline const QString kSettingsFileName = QStringLiteral("marelt.ini");
QString settingsFile();
// The file `name` the program ships (help, examples), whatever --folder says.
QString shippedFile(const QString &name);
