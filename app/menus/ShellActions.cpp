#include "ShellActions.h"

#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "tools/net/WebAddress.h"

#include <QFileInfo>

void OpenFolderSafe(QWidget *parent, const QString &path) {
  if (!path.isEmpty() && QFileInfo(path).isDir()) Desktop().OpenUrl(QUrl::fromLocalFile(path));
  else ShowWarning(parent, QStringLiteral("Folder not found: ") + path);
}

void OpenTerminalBeside(QWidget *parent, const QString &path) {
  if (OpenTerminalAt(QFileInfo(path).absolutePath()) == TLaunch::NotInstalled)
    ShowNotAvailableHere(parent, QStringLiteral("A terminal emulator"));
}

void LaunchSystemTool(QWidget *parent, const TSystemTool &tool) {
  for (const QString &program : tool.Programs) {
    const QString found = Desktop().FindProgram(program);
    if (found.isEmpty()) continue;
    if (!Desktop().StartProgram(found, {}, QString())) ShowWarning(parent, QStringLiteral("Could not launch: ") + program);
    return;
  }
  ShowWarning(parent, QStringLiteral("Could not launch: %1. None of these programs is installed: %2.")
                          .arg(tool.Name, tool.Programs.join(QStringLiteral(", "))));
}

void ShowNotAvailableHere(QWidget *parent, const QString &facility) {
  ShowInformation(parent, facility + QStringLiteral(" is not available on this system."));
}

void OpenWebPage(const QUrl &url) {
  if (const std::optional<QUrl> checked = BrowserUrl(url.toString(QUrl::FullyEncoded))) Desktop().OpenUrl(*checked);
}
