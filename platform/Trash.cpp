#include "Trash.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

// The freedesktop.org trash, by hand: Qt 6.4's QFile::moveToTrash, finding no trash folder, moves
// the file into "files" under the working folder and reports success.
namespace {

constexpr mode_t KOwnerOnly = S_IRWXU;

bool DeviceOf(const QString &path, dev_t &device) {
  struct stat info {};
  if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
  device = info.st_dev;
  return true;
}

// A real folder (not a link to one) that belongs to this user.
bool IsOwnFolder(const QString &path) {
  struct stat info {};
  return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

bool MakeOwnFolder(const QString &path) {
  if (::mkdir(QFile::encodeName(path).constData(), KOwnerOnly) != 0 && errno != EEXIST) return false;
  return IsOwnFolder(path);
}

// A trash folder with its "files" and "info", made where missing.
bool MakeTrash(const QString &trash) {
  return MakeOwnFolder(trash) && MakeOwnFolder(trash + QStringLiteral("/files")) &&
         MakeOwnFolder(trash + QStringLiteral("/info"));
}

QString HomeTrash() {
  QString data = qEnvironmentVariable("XDG_DATA_HOME");
  if (!QDir::isAbsolutePath(data)) data = QDir::homePath() + QStringLiteral("/.local/share");
  return data + QStringLiteral("/Trash");
}

// The top folder of the disk that holds folder: its highest ancestor on the same device.
QString TopOfDisk(const QString &folder, dev_t device) {
  QString top = folder;
  for (QString up = QFileInfo(top).path(); up != top; up = QFileInfo(top).path()) {
    dev_t upDevice = 0;
    if (!DeviceOf(up, upDevice) || upDevice != device) break;
    top = up;
  }
  return top;
}

// The trash of a disk other than the home's: the shared "$top/.Trash/$uid" when the administrator
// made .Trash a sticky folder, else the user's own "$top/.Trash-$uid".
QString DiskTrash(const QString &top) {
  const QString uid = QString::number(::getuid());
  const QString base = top == QStringLiteral("/") ? QString() : top;
  const QString shared = base + QStringLiteral("/.Trash");
  struct stat info {};
  if (::lstat(QFile::encodeName(shared).constData(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX) &&
      MakeTrash(shared + u'/' + uid))
    return shared + u'/' + uid;
  const QString own = base + QStringLiteral("/.Trash-") + uid;
  return MakeTrash(own) ? own : QString();
}

// The device of path, or of its nearest ancestor that exists.
bool DeviceOfNearest(QString path, dev_t &device) {
  for (QString up = QFileInfo(path).path(); !DeviceOf(path, device); up = QFileInfo(path).path()) {
    if (up == path) return false;
    path = up;
  }
  return true;
}

// The trash for a file on the disk of path, made where missing; empty when there is none. A file
// on the home's disk goes to the home trash or nowhere.
QString TrashFor(const QString &path) {
  dev_t device = 0, homeDevice = 0;
  if (!DeviceOf(path, device)) return QString();
  const QString home = HomeTrash();
  if (DeviceOfNearest(home, homeDevice) && homeDevice == device)
    return QDir().mkpath(QFileInfo(home).path()) && MakeTrash(home) ? home : QString();
  return DiskTrash(TopOfDisk(QFileInfo(path).absolutePath(), device));
}

bool Exists(const QString &path) {
  struct stat info {};
  return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// Claims a name in the trash by making its info file, which only one can make; empty when none
// could be made.
QString ClaimName(const QString &trash, const QString &path) {
  const QString name = QFileInfo(path).fileName();
  const QByteArray info = "[Trash Info]\nPath=" + QUrl::toPercentEncoding(path, "/") + "\nDeletionDate=" +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() + '\n';
  for (int n = 1; n < 10000; ++n) {
    const QString candidate = n == 1 ? name : name + u'.' + QString::number(n);
    // A file left without its info file holds its name too: a rename would replace it.
    if (Exists(trash + QStringLiteral("/files/") + candidate)) continue;
    QFile file(trash + QStringLiteral("/info/") + candidate + QStringLiteral(".trashinfo"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
      if (Exists(file.fileName())) continue;
      return QString();
    }
    if (file.write(info) != info.size() || !file.flush()) {
      file.remove();
      return QString();
    }
    return candidate;
  }
  return QString();
}

}  // namespace

bool MoveToTrash(const QString &path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const QString trash = TrashFor(absolute);
  if (trash.isEmpty()) return false;
  const QString name = ClaimName(trash, absolute);
  if (name.isEmpty()) return false;
  // A rename only: a file never leaves its disk, and is never copied and deleted.
  if (std::rename(QFile::encodeName(absolute).constData(),
                  QFile::encodeName(trash + QStringLiteral("/files/") + name).constData()) == 0)
    return true;
  QFile::remove(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
  return false;
}

#else

bool MoveToTrash(const QString &path) { return QFile::moveToTrash(path); }

#endif
