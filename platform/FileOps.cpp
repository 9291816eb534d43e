#include "FileOps.h"

#include <QFile>
#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {
QByteArray Native(const QString &path) { return QFile::encodeName(path); }

int ErrnoOf(int result) { return result == 0 ? 0 : errno; }
}  // namespace

int CreateNewFile(const QString &path, bool ownerOnly, int &handle) {
  handle = ::open(Native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ownerOnly ? 0600 : 0666);
  return handle < 0 ? errno : 0;
}

int OpenFileForOverwrite(const QString &path, int &handle) {
  handle = ::open(Native(path).constData(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
  if (handle < 0) return errno;
  // Non-blocking was only for the open; writes wait as usual.
  const int flags = ::fcntl(handle, F_GETFL);
  if (flags != -1) ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK);
  return 0;
}

int OpenRegularFile(const QString &path, int &handle, qint64 &size) {
  handle = ::open(Native(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (handle < 0) return errno;
  struct stat info {};
  int failure = ::fstat(handle, &info) == 0 ? 0 : errno;
  if (failure == 0 && !S_ISREG(info.st_mode)) failure = KNotRegularFile;
  if (failure != 0) {
    ::close(handle);
    handle = -1;
    return failure;
  }
  size = qint64(info.st_size);
  return 0;
}

qint64 ReadFromFile(int handle, char *into, qint64 count, int &error) {
  for (;;) {
    const ssize_t got = ::read(handle, into, size_t(count));
    if (got >= 0) return qint64(got);
    if (errno == EINTR) continue;
    error = errno;
    return -1;
  }
}

int WriteAllBytes(int handle, const char *data, qint64 size) {
  while (size > 0) {
    const ssize_t written = ::write(handle, data, size_t(size));
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += written;
    size -= written;
  }
  return 0;
}

int SyncFile(int handle) {
  if (::fsync(handle) == 0) return 0;
  return errno == EINVAL || errno == EROFS || errno == ENOTSUP ? 0 : errno;
}

int CloseFile(int handle) {
  // After EINTR the handle is gone on Linux; closing again could close someone else's.
  return ::close(handle) == 0 || errno == EINTR ? 0 : errno;
}

int RenameOver(const QString &from, const QString &to) {
  return ErrnoOf(::rename(Native(from).constData(), Native(to).constData()));
}

int RemoveFile(const QString &path) { return ErrnoOf(::unlink(Native(path).constData())); }

int CheckWritable(const QString &path) { return ErrnoOf(::access(Native(path).constData(), W_OK)); }

void CopyModeAndOwner(int handle, const QString &from) {
  struct stat info {};
  if (::stat(Native(from).constData(), &info) != 0) return;
  // Best effort: only root may give a file away, and anyone may keep a group they belong to.
  if (::fchown(handle, info.st_uid, info.st_gid) != 0) std::ignore = ::fchown(handle, uid_t(-1), info.st_gid);
  // The permission bits only: a set-user-id bit on a file that is now ours would hand out our rights.
  std::ignore = ::fchmod(handle, info.st_mode & 0777);
}

QString SystemErrorText(int error) { return qt_error_string(error); }
