#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
// A sender that floods the socket is cut off rather than eating memory.
constexpr qint64 KMaxHandOffBytes = 16 * 1024 * 1024;
constexpr char KTaken = '1';
constexpr char KConfirmed = '2';

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

// The text is acted on only once the sender has confirmed it saw the answer: a sender that gave
// up waiting opens its files itself, and they must not open here as well.
void TSingleInstance::ServeConnection(QLocalSocket *socket) {
  struct TConnection {
    QByteArray Received;
    QString Text;
    bool Answered = false;
  };
  auto *connection = new TConnection;
  connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  connect(socket, &QObject::destroyed, socket, [connection] { delete connection; });
  connect(socket, &QLocalSocket::readyRead, this, [this, socket, connection] {
    connection->Received += socket->readAll();
    if (connection->Received.size() > KMaxHandOffBytes) {
      socket->abort();
      return;
    }
    if (!connection->Answered) {
      if (!EndsWithZeroUnit(connection->Received)) return;
      connection->Text = QString::fromUtf16(reinterpret_cast<const char16_t *>(connection->Received.constData()),
                                            connection->Received.size() / 2 - 1);
      connection->Received.clear();
      connection->Answered = true;
      socket->write(&KTaken, 1);
      socket->flush();
      return;
    }
    if (!connection->Received.contains(KConfirmed)) return;
    const QString text = std::exchange(connection->Text, QString());
    socket->disconnectFromServer();
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
  if (socket.read(&answer, 1) != 1 || answer != KTaken) return false;
  socket.write(&KConfirmed, 1);
  return socket.waitForBytesWritten(timeoutMs);
}
