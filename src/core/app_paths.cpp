#include "core/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString &folderOverride() {
  static QString folder;
  return folder;
}

FileLayout &layoutInUse() {
  static FileLayout layout = FileLayout::Portable;
  return layout;
}

QString asFolder(const QString &path) {
  QString folder = QDir::cleanPath(QDir(path).absolutePath());
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

// XDG: an unset, empty or relative XDG_CONFIG_HOME means ~/.config.
QString userConfigFolder(const QString &xdgConfigHome, const QString &home) {
  const QString base = !xdgConfigHome.isEmpty() && QDir::isAbsolutePath(xdgConfigHome)
                           ? xdgConfigHome
                           : home + QStringLiteral("/.config");
  return asFolder(base + QStringLiteral("/dpv"));
}

ProgramFolders foldersInUse() {
  return chooseProgramFolders(layoutInUse(), QCoreApplication::applicationDirPath(), folderOverride(),
                              qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}
}  // namespace

ProgramFolders chooseProgramFolders(FileLayout layout, const QString &programDir, const QString &folderOption,
                                    const QString &xdgConfigHome, const QString &home) {
  ProgramFolders folders;
  const QString program = asFolder(programDir);
  if (layout == FileLayout::Portable) {
    folders.shipped = program;
    folders.user = folderOption.isEmpty() ? program : asFolder(folderOption);
    return folders;
  }
  folders.shipped = asFolder(program + QStringLiteral("../share/dpv"));
  if (!folderOption.isEmpty()) {
    folders.user = asFolder(folderOption);
  } else if (QFileInfo::exists(program + kSettingsFileName)) {
    folders.user = program;
  } else {
    folders.user = userConfigFolder(xdgConfigHome, home);
    folders.createUser = true;
  }
  return folders;
}

void setFileLayout(FileLayout layout) { layoutInUse() = layout; }

void setProgramFolder(const QString &folder) { folderOverride() = folder; }

QString programFolder() {
  const ProgramFolders folders = foldersInUse();
  if (folders.createUser) QDir().mkpath(folders.user);
  return folders.user;
}

QString programFile(const QString &name) { return programFolder() + name; }

QString settingsFile() { return programFile(kSettingsFileName); }

QString shippedFile(const QString &name) { return foldersInUse().shipped + name; }
