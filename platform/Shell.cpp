#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// dbus-send splits an array's text at every comma; an encoded comma names the same file.
QString FileUri(const QString &path) {
  return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).replace(u',', QStringLiteral("%2C"));
}

// The freedesktop file-manager interface; not every desktop answers it.
bool CallFileManager(const QString &method, const QString &path) {
  QProcess request;
  request.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                 QStringLiteral("--dest=org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
                 QStringLiteral("org.freedesktop.FileManager1.") + method, QStringLiteral("array:string:") + FileUri(path),
                 QStringLiteral("string:")});
  return request.waitForFinished(3000) && request.exitStatus() == QProcess::NormalExit && request.exitCode() == 0;
}

class TSystemDesktop : public TDesktop {
 public:
  QString FindProgram(const QString &name) override {
    if (QFileInfo(name).isAbsolute()) return QFileInfo(name).isExecutable() ? name : QString();
    return QStandardPaths::findExecutable(name);
  }
  bool StartProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory) override {
    return QProcess::startDetached(program, arguments, workingDirectory);
  }
  bool OpenUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }
  bool ShowItem(const QString &path) override { return CallFileManager(QStringLiteral("ShowItems"), path); }
  bool ShowItemProperties(const QString &path) override {
    return CallFileManager(QStringLiteral("ShowItemProperties"), path);
  }
};

TDesktop *&Replacement() {
  static TDesktop *replacement = nullptr;
  return replacement;
}

}  // namespace

TDesktop &Desktop() {
  static TSystemDesktop system;
  return Replacement() ? *Replacement() : system;
}

void SetDesktop(TDesktop *replacement) { Replacement() = replacement; }

TLaunch StartFirstInstalled(const QStringList &programs, const QStringList &arguments, const QString &workingDirectory) {
  for (const QString &program : programs) {
    const QString found = Desktop().FindProgram(program);
    if (found.isEmpty()) continue;
    return Desktop().StartProgram(found, arguments, workingDirectory) ? TLaunch::Started : TLaunch::Failed;
  }
  return TLaunch::NotInstalled;
}

bool ShowInFileManager(const QString &path) {
  if (Desktop().ShowItem(path)) return true;
  return Desktop().OpenUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

TLaunch OpenTerminalAt(const QString &folder) {
  QStringList terminals;
  if (const QString chosen = qEnvironmentVariable("TERMINAL").trimmed(); !chosen.isEmpty()) terminals << chosen;
  terminals << QStringLiteral("x-terminal-emulator") << QStringLiteral("gnome-terminal") << QStringLiteral("konsole")
            << QStringLiteral("xfce4-terminal") << QStringLiteral("xterm");
  return StartFirstInstalled(terminals, {}, folder);
}
