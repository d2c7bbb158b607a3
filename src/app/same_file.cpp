#include "app/same_file.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

bool sameFile(const QString &a, const QString &b) {
  struct stat sa {
  }, sb{};
  if (::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}
