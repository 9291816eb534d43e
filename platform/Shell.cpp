#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

TShellHandler &Handler() {
  static TShellHandler handler;
  return handler;
}

bool SystemShowFile(const QString &path) {
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

bool SystemOpenTerminal(const QString &folder) {
  QStringList terminals;
  if (const QString chosen = qEnvironmentVariable("TERMINAL").trimmed(); !chosen.isEmpty()) terminals << chosen;
  terminals << QStringLiteral("x-terminal-emulator") << QStringLiteral("gnome-terminal") << QStringLiteral("konsole")
            << QStringLiteral("xfce4-terminal") << QStringLiteral("xterm");
  for (const QString &terminal : terminals)
    if (const QString program = QStandardPaths::findExecutable(terminal); !program.isEmpty())
      return QProcess::startDetached(program, {}, folder);
  return false;
}

}  // namespace

bool ShowInFileManager(const QString &path) {
  return Handler() ? Handler()(TShellRequest::ShowFile, path) : SystemShowFile(path);
}

bool OpenFolder(const QString &folder) {
  return Handler() ? Handler()(TShellRequest::OpenFolder, folder)
                   : QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool OpenTerminalAt(const QString &folder) {
  return Handler() ? Handler()(TShellRequest::OpenTerminal, folder) : SystemOpenTerminal(folder);
}

void SetShellHandler(TShellHandler handler) { Handler() = std::move(handler); }
