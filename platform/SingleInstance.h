#pragma once
// One copy of the program per user and display. The first copy holds a lock file and listens on a
// local socket, both in the user's runtime folder; a later copy sends it its command line as UTF-16
// text (entries followed by CR LF, then a zero unit), the first copy answers that it took the text,
// and the later copy confirms the answer and exits. A later copy that finds the lock but nobody
// listening yet (the first one is still starting) keeps trying until its time-out; one that gets no
// answer in time (the first one is closing or hung) runs as a copy of its own, and the first copy,
// never confirmed, drops the text.
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  // name: the lock's and the socket's name in the runtime folder; defaults to DefaultName().
  explicit TSingleInstance(const QString &name = QString(), QObject *parent = nullptr);
  ~TSingleInstance() override;

  // Takes the lock; true for the first copy.
  bool TryBecomeFirst();

  // First copy: serves hand-offs. Each text reaches onText on this thread once the sender has
  // confirmed it was taken (so a modal question in onText never keeps the sender waiting).
  bool Listen(std::function<void(const QString &text)> onText);
  // Why Listen failed: the socket's path and the reason.
  QString ListenError() const { return FListenError; }

  // Later copy: delivers text. False when no running copy confirmed it within timeoutMs of
  // trying to reach one, or within timeoutMs of each step of the exchange after that.
  bool HandOff(const QString &text, int timeoutMs) const;

  // "QuennetNotepad_SingleInstance_Mutex", the user id, the display, and instance when given
  // (copies started for tests and checks keep apart from the user's own).
  static QString DefaultName(const QString &instance = QString());
  // The user's runtime folder (XDG_RUNTIME_DIR), else the temporary folder.
  static QString RuntimeFolder();
  // The socket in the runtime folder; the lock file is beside it.
  QString SocketPath() const { return FSocketPath; }

 private:
  void ServeConnection(QLocalSocket *socket);

  QString FSocketPath;
  QString FListenError;
  std::unique_ptr<QLockFile> FLock;
  QLocalServer *FServer = nullptr;
  std::function<void(const QString &)> FOnText;
};
