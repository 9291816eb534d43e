#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {
Q_LOGGING_CATEGORY(lcHandOff, "quennet.handoff", QtInfoMsg)

// A sender that floods the socket is cut off rather than eating memory.
constexpr qint64 KMaxHandOffBytes = 16 * 1024 * 1024;
constexpr char KTaken = '1';
constexpr char KConfirmed = '2';
// How often a later copy looks again for a first copy that is still starting.
constexpr int KRetryMs = 25;

bool EndsWithZeroUnit(const QByteArray &bytes) {
  return bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes.endsWith(QByteArray(2, '\0'));
}

// A part of a file name: no folders, nothing a shell would trip over.
QString FileNamePart(QString text) {
  return text.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._:-]")), QStringLiteral("_"));
}

// The display the copy shows its window on: copies on other displays must not take each other's
// files. ":0" and ":0.0" are one display.
QString DisplayKey() {
  const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
  if (!wayland.isEmpty()) return FileNamePart(wayland);
  return FileNamePart(qEnvironmentVariable("DISPLAY").replace(QRegularExpression(QStringLiteral("(:\\d+)\\.\\d+$")),
                                                              QStringLiteral("\\1")));
}

// QLocalServer's message names its own function, and some system errors only by number.
QString ListenReason(const QLocalServer &server) {
  static const QRegularExpression KFunction(QStringLiteral("^QLocalServer::\\w+: "));
  static const QRegularExpression KNumbered(QStringLiteral("^Unknown error (\\d+)$"));
  QString reason = server.errorString().remove(KFunction);
  if (const QRegularExpressionMatch numbered = KNumbered.match(reason); numbered.hasMatch())
    reason = qt_error_string(numbered.captured(1).toInt());
  return reason;
}

// A socket address holds a path of limited length; a longer one is shortened to a digest of it.
QString SocketPathFor(const QString &name) {
  const QString folder = TSingleInstance::RuntimeFolder();
  const QString path = folder + u'/' + name;
#ifdef Q_OS_UNIX
  if (QFile::encodeName(path).size() >= qsizetype(sizeof(sockaddr_un::sun_path))) {
    const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return folder + QStringLiteral("/QuennetNotepad-") + QString::fromLatin1(digest);
  }
#endif
  return path;
}
}  // namespace

TSingleInstance::TSingleInstance(const QString &name, QObject *parent)
    : QObject(parent), FSocketPath(SocketPathFor(name.isEmpty() ? DefaultName() : name)) {}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::DefaultName(const QString &instance) {
#ifdef Q_OS_UNIX
  // $USER may be unset; the numeric id always exists.
  const QString user = QString::number(getuid());
#else
  const QString user = qEnvironmentVariable("USERNAME");
#endif
  QStringList parts = {QStringLiteral("QuennetNotepad_SingleInstance_Mutex"), user};
  if (const QString display = DisplayKey(); !display.isEmpty()) parts << display;
  if (!instance.isEmpty()) parts << FileNamePart(instance);
  return parts.join(u'-');
}

QString TSingleInstance::RuntimeFolder() {
  // Qt checks that the folder is the user's own and private, else makes one or answers nothing.
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

bool TSingleInstance::TryBecomeFirst() {
  FLock = std::make_unique<QLockFile>(FSocketPath + QStringLiteral(".lock"));
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
  QLocalServer::removeServer(FSocketPath);
  if (!FServer->listen(FSocketPath)) {
    FListenError = QDir::toNativeSeparators(FSocketPath) + QStringLiteral(": ") + ListenReason(*FServer);
    return false;
  }
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
  // A first copy still starting holds the lock but does not listen yet: copies started together
  // (a file manager opening several files) wait for it instead of each opening a window.
  const QDeadlineTimer connectDeadline(timeoutMs);
  for (bool waiting = false;;) {
    socket.connectToServer(FSocketPath);
    if (socket.waitForConnected(int(qMax<qint64>(connectDeadline.remainingTime(), 0)))) break;
    if (connectDeadline.hasExpired()) {
      qCInfo(lcHandOff, "No running copy could be reached; giving up.");
      return false;
    }
    if (!std::exchange(waiting, true)) qCInfo(lcHandOff, "No running copy listens yet; waiting for it.");
    socket.abort();
    QThread::msleep(ulong(std::clamp<qint64>(connectDeadline.remainingTime(), 0, KRetryMs)));
  }
  QByteArray bytes(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
  bytes.append(2, '\0');
  socket.write(bytes);
  char answer = 0;
  const bool answered = socket.waitForBytesWritten(timeoutMs) && [&] {
    while (socket.bytesAvailable() < 1)
      if (!socket.waitForReadyRead(timeoutMs)) return false;
    return socket.read(&answer, 1) == 1 && answer == KTaken;
  }();
  if (!answered) {
    qCInfo(lcHandOff, "The running copy did not answer; giving up.");
    return false;
  }
  socket.write(&KConfirmed, 1);
  return socket.waitForBytesWritten(timeoutMs);
}
