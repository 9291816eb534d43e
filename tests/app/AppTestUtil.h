#pragma once
// Helpers for main-window tests: a window with its own settings file, scripted answers to every
// message box, the Save dialog's answer, and file bytes.
#include "../NetTestServer.h"
#include "app/MainWindow.h"
#include "app/TabStrip.h"
#include "app/menus/CommandRegistry.h"
#include "app/menus/NetInsertCommands.h"
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

// The desktop of every window test: it records what the program would start or open and starts
// nothing, so no test runs a real program or a browser. Installed programs are the test's choice.
struct TRecordingDesktop : TDesktop {
  struct TRequest {
    QString Kind;  // "start", "url", "show", "properties"
    QString Target;
    QStringList Arguments;
    QString WorkingDirectory;
  };
  QList<TRequest> Requests;
  QStringList Installed;  // program names FindProgram finds, as "/usr/bin/<name>"
  bool Answer = true;     // what every request answers

  QString FindProgram(const QString &name) override {
    return Installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
  }
  bool StartProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory) override {
    Requests << TRequest{QStringLiteral("start"), program, arguments, workingDirectory};
    return Answer;
  }
  bool OpenUrl(const QUrl &url) override {
    Requests << TRequest{QStringLiteral("url"), url.toString(QUrl::FullyEncoded), {}, {}};
    return Answer;
  }
  bool ShowItem(const QString &path) override {
    Requests << TRequest{QStringLiteral("show"), path, {}, {}};
    return Answer;
  }
  bool ShowItemProperties(const QString &path) override {
    Requests << TRequest{QStringLiteral("properties"), path, {}, {}};
    return Answer;
  }
};

inline TRecordingDesktop &TestDesktop() {
  static TRecordingDesktop desktop;
  return desktop;
}

// What-is-my-address answers from this process, so a window under test never asks the internet.
inline TTestHttpServer &TestMyIpServer() {
  static TTestHttpServer *server = [] {
    auto *made = new TTestHttpServer;
    made->setParent(QCoreApplication::instance());
    TServedPage page;
    page.ContentType = "text/plain";
    page.Body = "192.0.2.77\n";
    made->Serve(QStringLiteral("/"), page);
    return made;
  }();
  return *server;
}

inline std::unique_ptr<TfrmMain> MakeWindow(const QTemporaryDir &dir, const QStringList &arguments = {}) {
  SetDesktop(&TestDesktop());
  auto window = std::make_unique<TfrmMain>(arguments, dir.filePath(QStringLiteral("settings.ini")));
  window->NetInserts().MyIpService = TestMyIpServer().Url(QStringLiteral("/"));
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
