#pragma once
// A small file system of the test's own (tmpfs), mounted for the test and filled up so that writes
// fail as on a full disk, whatever rights the test runs with. Mounting needs the right to (root on
// a machine that allows it); a test skips itself when it cannot.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/mount.h>

class TSmallFileSystem {
 public:
  TSmallFileSystem() {
    if (!FDir.isValid()) return;
    if (::mount("tmpfs", QFile::encodeName(FDir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0)
      FMounted = true;
    else FWhy = qt_error_string(errno);
  }
  ~TSmallFileSystem() {
    if (FMounted) ::umount2(QFile::encodeName(FDir.path()).constData(), MNT_DETACH);
  }
  TSmallFileSystem(const TSmallFileSystem &) = delete;
  TSmallFileSystem &operator=(const TSmallFileSystem &) = delete;

  bool Mounted() const { return FMounted; }
  // For QSKIP when it could not be mounted.
  QString SkipMessage() const {
    return QStringLiteral("cannot mount a small tmpfs here (needs root on a machine that allows mounts): ") + FWhy;
  }
  QString Path() const { return FDir.path(); }
  QString FilePath(const QString &name) const { return FDir.filePath(name); }

  // Read-only from now on, for root too.
  bool MakeReadOnly() {
    return ::mount(nullptr, QFile::encodeName(FDir.path()).constData(), nullptr,
                   MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
  }

  // Fills every free block with a file of its own; true once the system answered "no space".
  bool FillUp() {
    QFile filler(FilePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    return filler.errorString() == qt_error_string(ENOSPC);
  }

 private:
  QTemporaryDir FDir;
  bool FMounted = false;
  QString FWhy;
};
