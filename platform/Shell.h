#pragma once
// Handing things to the desktop: the file manager and the terminal. Tests install a handler that
// takes every request instead, so no test ever starts a program.
#include <QString>

#include <functional>

// Shows the file selected in the desktop's file manager, or, where no file manager takes such a
// request, opens its folder; never opens the file itself. Answers whether anything was started.
bool ShowInFileManager(const QString &path);
// Opens the folder in the desktop's file manager.
bool OpenFolder(const QString &folder);
// The user's terminal emulator ($TERMINAL, else the system's choice, else a known one) started in
// folder; false when none could be started.
bool OpenTerminalAt(const QString &folder);

enum class TShellRequest : quint8 { ShowFile, OpenFolder, OpenTerminal };
using TShellHandler = std::function<bool(TShellRequest request, const QString &path)>;
// Tests: handler takes every request from now on; null gives them back to the desktop.
void SetShellHandler(TShellHandler handler);
