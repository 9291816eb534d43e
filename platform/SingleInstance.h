#pragma once
// One copy of the program per user. The first copy holds a lock file and listens on a local socket;
// a later copy sends it its command line as UTF-16 text (entries followed by CR LF, then a zero
// unit), the first copy answers that it took the text, and the later copy confirms the answer and
// exits. A copy that finds the lock but no answer in time (the first one is starting, closing or
// hung) runs as a copy of its own, and the first copy, never confirmed, drops the text.
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
  // name defaults to the program's own, made per user.
  explicit TSingleInstance(const QString &name = QString(), QObject *parent = nullptr);
  ~TSingleInstance() override;

  // Takes the lock; true for the first copy.
  bool TryBecomeFirst();

  // First copy: serves hand-offs. Each text reaches onText on this thread once the sender has
  // confirmed it was taken (so a modal question in onText never keeps the sender waiting).
  bool Listen(std::function<void(const QString &text)> onText);

  // Later copy: delivers text. False when no running copy confirmed it within timeoutMs.
  bool HandOff(const QString &text, int timeoutMs) const;

  static QString DefaultName();

 private:
  void ServeConnection(QLocalSocket *socket);

  QString FName;
  std::unique_ptr<QLockFile> FLock;
  QLocalServer *FServer = nullptr;
  std::function<void(const QString &)> FOnText;
};
