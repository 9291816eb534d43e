#pragma once
// What the launchers and the selection actions hand to the desktop, as this system offers it: a
// folder in the file manager, a system tool out of the programs that do its job here, a web page
// in the browser. The Windows-only tools (the registry editor, the Windows folder, This PC, the
// Services console) are named as not available here.
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

// Opens the folder in the file manager when it exists; otherwise the warning "Folder not found: "
// and the path.
void OpenFolderSafe(QWidget *parent, const QString &path);

// A terminal started in the folder of the file at path; the user is told when no terminal is
// installed.
void OpenTerminalBeside(QWidget *parent, const QString &path);

// A system tool by its Windows name and the programs that do its job here, in order of choice:
// starts the first installed; tells the user when none is installed or it did not start.
struct TSystemTool {
  QString Name;  // "Task Manager"
  QStringList Programs;
};
void LaunchSystemTool(QWidget *parent, const TSystemTool &tool);

// The information box saying that a Windows facility does not exist on this system.
void ShowNotAvailableHere(QWidget *parent, const QString &facility);

// A web address checked as a browser address (http or https, a host, no blanks) opened with the
// desktop's handler; anything else is refused without a word, as a failed start would be.
void OpenWebPage(const QUrl &url);
