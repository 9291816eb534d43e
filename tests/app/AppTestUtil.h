#pragma once
// Helpers for main-window tests: a window with its own settings file, scripted answers to every
// message box, the Save dialog's answer, and file bytes.
#include "app/MainWindow.h"
#include "app/TabStrip.h"
#include "app/menus/CommandRegistry.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <memory>

Q_DECLARE_METATYPE(TAnswer)

// Answers message boxes from a queue and keeps every request; an unexpected box answers Cancel
// (or the last button) and is kept too, so a test sees it.
struct TScriptedBoxes {
  std::deque<TAnswer> Answers;
  QList<TMessageRequest> Asked;

  TScriptedBoxes() {
    SetMessageAnswerer([this](const TMessageRequest &request) {
      Asked << request;
      if (!Answers.empty()) {
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
      }
      return request.Buttons.contains(TAnswer::Cancel) ? TAnswer::Cancel : request.Buttons.last();
    });
  }
  ~TScriptedBoxes() { SetMessageAnswerer(nullptr); }
  QStringList Texts() const {
    QStringList texts;
    for (const TMessageRequest &r : Asked) texts << r.Text;
    return texts;
  }
};

// No test starts a desktop program: every request to the file manager or a terminal is refused
// unless a test records them.
inline const bool KShellRefused = [] {
  SetShellHandler([](TShellRequest, const QString &) { return false; });
  return true;
}();

// Takes the requests to the desktop and keeps them, as "ShowFile /path"; answers with Started.
struct TRecordedShell {
  QStringList Requests;
  bool Started = true;

  TRecordedShell() {
    SetShellHandler([this](TShellRequest request, const QString &path) {
      static const char *const names[] = {"ShowFile", "OpenFolder", "OpenTerminal"};
      Requests << QString::fromLatin1(names[int(request)]) + u' ' + path;
      return Started;
    });
  }
  ~TRecordedShell() {
    SetShellHandler([](TShellRequest, const QString &) { return false; });
  }
};

inline QByteArray ReadBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Writes bytes to a file called name in dir and gives its path.
inline QString MakeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
  const QString path = dir.filePath(name);
  WriteBytes(path, bytes);
  return path;
}

inline std::unique_ptr<TfrmMain> MakeWindow(const QTemporaryDir &dir, const QStringList &arguments = {}) {
  auto window = std::make_unique<TfrmMain>(arguments, dir.filePath(QStringLiteral("settings.ini")));
  window->AskSavePath = [](const QString &) { return QString(); };
  QCoreApplication::processEvents();  // the start-up message
  return window;
}

// A tab's caption as it stands: ten spaces after the name leave room for the close glyph.
inline QString Padded(const QString &caption) { return caption + QString(10, u' '); }

// Chooses the command as its menu item would.
inline void RunCommand(TfrmMain &window, const QString &name) {
  QAction *action = window.Commands().Action(name);
  if (!action) QFAIL(qPrintable("no command " + name));
  action->trigger();
}

// Types text at the caret as the keyboard would.
inline void Type(TMEEdit *editor, const QString &text) { editor->SetSelText(text); }

inline bool WaitForLoads(TfrmMain &window, int timeoutMs = 20000) {
  QDeadlineTimer deadline(timeoutMs);
  while (window.ActiveLoads() > 0 && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return window.ActiveLoads() == 0;
}
