#include "app/app_paths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &folderOverride() {
  static QString folder;
  return folder;
}
}  // namespace

void setProgramFolder(const QString &folder) { folderOverride() = folder; }

QString programFolder() {
  QString folder = folderOverride();
  if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
  folder = QDir(folder).absolutePath();
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

QString programFile(const QString &name) { return programFolder() + name; }

QString shippedFile(const QString &name) {
  return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name);
}
