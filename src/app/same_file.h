#pragma once
// Whether two paths name one file, so a command never writes over its input.

#include <QString>

// True when `a` and `b` are the same file: through another spelling of the
// path, "..", a symbolic link or a hard link (device and inode agree). A path
// that does not exist yet is the same as another only when both clean to one
// absolute path.
bool sameFile(const QString &a, const QString &b);
