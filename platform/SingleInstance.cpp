#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
// A sender that floods the socket is cut off rather than eating memory.
constexpr qint64 KMaxHandOffBytes = 16 * 1024 * 1024;
constexpr char KTaken = '1';

bool EndsWithZeroUnit(const QByteArray &bytes) {
  return bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes.endsWith(QByteArray(2, '\0'));
}
}  // namespace

TSingleInstance::TSingleInstance(const QString &name, QObject *parent)
    : QObject(parent), FName(name.isEmpty() ? DefaultName() : name) {}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::DefaultName() {
#ifdef Q_OS_UNIX
  // $USER may be unset; the numeric id always exists.
  const QString user = QString::number(getuid());
#else
  const QString user = qEnvironmentVariable("USERNAME");
#endif
  return QStringLiteral("QuennetNotepad_SingleInstance_Mutex-") + user;
}

bool TSingleInstance::TryBecomeFirst() {
  FLock = std::make_unique<QLockFile>(QDir::temp().filePath(FName + QStringLiteral(".lock")));
  FLock->setStaleLockTime(0);  // a lock whose owner died is stale at once
  if (FLock->tryLock(0)) return true;
  FLock.reset();
  return false;
}

bool TSingleInstance::Listen(std::function<void(const QString &)> onText) {
  FOnText = std::move(onText);
  FServer = new QLocalServer(this);
  FServer->setSocketOptions(QLocalServer::UserAccessOption);
  // We hold the lock, so a socket left by a crashed copy is ours to remove.
  QLocalServer::removeServer(FName);
  if (!FServer->listen(FName)) return false;
  connect(FServer, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket *socket = FServer->nextPendingConnection()) ServeConnection(socket);
  });
  return true;
}

void TSingleInstance::ServeConnection(QLocalSocket *socket) {
  auto *received = new QByteArray;
  connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  connect(socket, &QObject::destroyed, socket, [received] { delete received; });
  connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
    *received += socket->readAll();
    if (received->size() > KMaxHandOffBytes) {
      socket->abort();
      return;
    }
    if (!EndsWithZeroUnit(*received)) return;
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(received->constData()),
                                            received->size() / 2 - 1);
    received->clear();
    socket->write(&KTaken, 1);
    socket->flush();
    QTimer::singleShot(0, this, [this, text] {
      if (FOnText) FOnText(text);
    });
  });
}

bool TSingleInstance::HandOff(const QString &text, int timeoutMs) const {
  QLocalSocket socket;
  socket.connectToServer(FName);
  if (!socket.waitForConnected(timeoutMs)) return false;
  QByteArray bytes(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
  bytes.append(2, '\0');
  socket.write(bytes);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  while (socket.bytesAvailable() < 1)
    if (!socket.waitForReadyRead(timeoutMs)) return false;
  char answer = 0;
  return socket.read(&answer, 1) == 1 && answer == KTaken;
}
