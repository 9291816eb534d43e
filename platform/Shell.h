#pragma once
// Handing things to the desktop: programs, web addresses, folders, the file manager and the
// terminal. Everything goes through one TDesktop, the system's own unless a test installs a
// stand-in that records the requests, so no test ever starts a program or a browser. Programs get
// their arguments as a list: no shell reads them, so a selected text is never a command.
#include <QString>
#include <QStringList>
#include <QUrl>

class TDesktop {
 public:
  virtual ~TDesktop() = default;
  // The full path of an installed program found on the search path; empty when there is none.
  virtual QString FindProgram(const QString &name) = 0;
  // False when the program did not start.
  virtual bool StartProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory) = 0;
  // A web address, or a local file or folder, opened with the desktop's handler.
  virtual bool OpenUrl(const QUrl &url) = 0;
  // The file manager showing path selected, or path's properties; false when no file manager took
  // the request.
  virtual bool ShowItem(const QString &path) = 0;
  virtual bool ShowItemProperties(const QString &path) = 0;
};

TDesktop &Desktop();
// Tests: replacement serves every request from now on; null restores the system's.
void SetDesktop(TDesktop *replacement);

enum class TLaunch : quint8 { Started, Failed, NotInstalled };
// Starts the first of programs that is installed (a name on the search path or a full path).
TLaunch StartFirstInstalled(const QStringList &programs, const QStringList &arguments,
                            const QString &workingDirectory = QString());

// Shows the file selected in the desktop's file manager, or, where no file manager takes such a
// request, opens its folder; never opens the file itself. Answers whether anything was started.
bool ShowInFileManager(const QString &path);

// The user's terminal emulator ($TERMINAL, else the system's choice, else a known one) started in
// folder.
TLaunch OpenTerminalAt(const QString &folder);
