#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool ShowInFileManager(const QString &path) {
  // The freedesktop file-manager interface selects the file; not every desktop answers it.
  QProcess request;
  request.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                 QStringLiteral("--dest=org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
                 QStringLiteral("org.freedesktop.FileManager1.ShowItems"),
                 QStringLiteral("array:string:") + QUrl::fromLocalFile(path).toString(), QStringLiteral("string:")});
  if (request.waitForFinished(3000) && request.exitStatus() == QProcess::NormalExit && request.exitCode() == 0)
    return true;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}
