#pragma once
// A small tmpfs mounted over a temporary folder, for the tests of writing onto
// a full disk. Mounting needs root (or CAP_SYS_ADMIN); elsewhere mount() says
// why, and the test skips.

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

class FullDisk {
 public:
  FullDisk() = default;
  FullDisk(const FullDisk &) = delete;
  FullDisk &operator=(const FullDisk &) = delete;
  ~FullDisk() {
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
  }

  // Empty when the file system is mounted; otherwise why it is not.
  QString mount() {
    if (!dir_.isValid()) return QStringLiteral("no temporary folder");
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, "size=64k,mode=0700") != 0)
      return QStringLiteral("cannot mount a tmpfs to fill up (needs root): ") +
             QString::fromLocal8Bit(std::strerror(errno));
    mounted_ = true;
    return QString();
  }

  QString path() const { return dir_.path(); }
  QString filePath(const QString &name) const { return dir_.filePath(name); }

  // Takes every free block, so the next write that needs one fails with
  // "No space left on device".
  void fill() {
    const int fd =
        ::open(QFile::encodeName(filePath(QStringLiteral(".filler"))).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0) return;
    static const char block[4096] = {};
    while (::write(fd, block, sizeof block) > 0) {
    }
    while (::write(fd, block, 1) > 0) {
    }
    ::close(fd);
  }

 private:
  QTemporaryDir dir_;
  bool mounted_ = false;
};
