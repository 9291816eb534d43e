// The single-instance lock and the hand-off of a command line from a second copy.
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <QtConcurrent>

#include <memory>
#include <optional>

#include <unistd.h>

namespace {
// Sets an environment variable while it lives.
class TEnvironment {
 public:
  TEnvironment(const char *name, const QString &value) : FName(name) {
    if (qEnvironmentVariableIsSet(name)) FOld = qEnvironmentVariable(name);
    if (value.isNull()) qunsetenv(name);
    else qputenv(name, value.toLocal8Bit());
  }
  ~TEnvironment() {
    if (FOld) qputenv(FName, FOld->toLocal8Bit());
    else qunsetenv(FName);
  }

 private:
  const char *FName;
  std::optional<QString> FOld;
};

// The messages the hand-off logs, from any thread, while it lives.
class THandOffLog {
 public:
  THandOffLog() {
    GLog = this;
    FPrevious = qInstallMessageHandler(&THandOffLog::Keep);
  }
  ~THandOffLog() {
    qInstallMessageHandler(FPrevious);
    GLog = nullptr;
  }
  bool Contains(const QString &text) {
    QMutexLocker locker(&FLock);
    return FLines.join(u'\n').contains(text);
  }

 private:
  static void Keep(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (qstrcmp(context.category, "quennet.handoff") == 0) {
      QMutexLocker locker(&GLog->FLock);
      GLog->FLines << message;
    }
    if (GLog->FPrevious) GLog->FPrevious(type, context, message);
  }
  static inline THandOffLog *GLog = nullptr;
  QtMessageHandler FPrevious = nullptr;
  QMutex FLock;
  QStringList FLines;
};
}  // namespace

class TestSingleInstance : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void secondCopyHandsOverText();
  void noAnswerMeansRunAlone();
  void hungFirstCopyDropsTextItAnswersLate();
  void staleSocketIsReplaced();
  void startingFirstCopyIsWaitedFor();
  void socketAndLockLiveInRuntimeFolder();
  void nameKeysUserAndDisplay_data();
  void nameKeysUserAndDisplay();
  void copiesOnOtherDisplaysRunApart();
  void longNameStillMakesASocket();
  void failedListenSaysWhereAndWhy();

 private:
  static QString UniqueName() { return "quennet-test-" + QUuid::createUuid().toString(QUuid::Id128); }
  // A first copy that holds the lock and keeps every text it takes; null when it could not start.
  static std::unique_ptr<TSingleInstance> ListeningFirst(const QString &name, QStringList &received) {
    auto first = std::make_unique<TSingleInstance>(name);
    if (!first->TryBecomeFirst() || !first->Listen([&received](const QString &text) { received << text; }))
      return nullptr;
    return first;
  }
};

void TestSingleInstance::secondCopyHandsOverText() {
  const QString name = UniqueName();
  QStringList received;
  const auto first = ListeningFirst(name, received);
  QVERIFY(first);
  TSingleInstance second(name);
  QVERIFY(!second.TryBecomeFirst());
  const QString text = QString::fromUtf16(u"/tmp/a \u00e9.txt\r\n/tmp/b.txt\r\n");
  QFuture<bool> sent = QtConcurrent::run([&] { return second.HandOff(text, 5000); });
  QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 5000);
  QVERIFY(sent.result());
  QCOMPARE(received.first(), text);
  QFuture<bool> empty = QtConcurrent::run([&] { return second.HandOff(QString(), 5000); });
  QTRY_COMPARE_WITH_TIMEOUT(received.size(), 2, 5000);  // nothing to open: the window is raised
  QVERIFY(empty.result());
  QCOMPARE(received.last(), QString());
}

void TestSingleInstance::noAnswerMeansRunAlone() {
  const QString name = UniqueName();
  TSingleInstance first(name);
  QVERIFY(first.TryBecomeFirst());  // locked, but not listening: starting up or hung
  TSingleInstance second(name);
  QVERIFY(!second.TryBecomeFirst());
  QVERIFY(!second.HandOff("/tmp/x\r\n", 300));
}

// The first copy listens but its event loop is stuck (here: this thread waits in HandOff). The
// second copy gives up and opens its files itself, so the first must not open them when it wakes.
void TestSingleInstance::hungFirstCopyDropsTextItAnswersLate() {
  const QString name = UniqueName();
  QStringList received;
  const auto first = ListeningFirst(name, received);
  QVERIFY(first);
  TSingleInstance second(name);
  QVERIFY(!second.HandOff("/tmp/x\r\n", 300));
  // Awake again, it serves the next copy as usual, after the first one's text (dropped).
  QFuture<bool> sent = QtConcurrent::run([&] { return second.HandOff("/tmp/y\r\n", 5000); });
  QTRY_COMPARE_WITH_TIMEOUT(received, QStringList({"/tmp/y\r\n"}), 5000);
  QVERIFY(sent.result());
}

void TestSingleInstance::staleSocketIsReplaced() {
  const QString name = UniqueName();
  QFile stale(TSingleInstance(name).SocketPath());  // the socket file of a copy that died
  QVERIFY(stale.open(QIODevice::WriteOnly));
  stale.close();
  TSingleInstance first(name);
  QVERIFY(first.TryBecomeFirst());
  bool got = false;
  QVERIFY(first.Listen([&](const QString &) { got = true; }));
  TSingleInstance second(name);
  QFuture<bool> sent = QtConcurrent::run([&] { return second.HandOff("x\r\n", 5000); });
  QTRY_VERIFY_WITH_TIMEOUT(got, 5000);
  QVERIFY(sent.result());
}

// Copies started together: the first holds the lock but listens only once its window is made. The
// others keep trying until then instead of each running on its own.
void TestSingleInstance::startingFirstCopyIsWaitedFor() {
  const QString name = UniqueName();
  TSingleInstance first(name);
  QVERIFY(first.TryBecomeFirst());
  THandOffLog log;
  TSingleInstance second(name);
  QFuture<bool> sent = QtConcurrent::run([&] { return second.HandOff("/tmp/z\r\n", 20000); });
  QTRY_VERIFY_WITH_TIMEOUT(log.Contains("waiting"), 10000);
  QStringList received;
  QVERIFY(first.Listen([&](const QString &text) { received << text; }));
  QTRY_COMPARE_WITH_TIMEOUT(received, QStringList({"/tmp/z\r\n"}), 10000);
  QVERIFY(sent.result());
}

void TestSingleInstance::socketAndLockLiveInRuntimeFolder() {
  QTemporaryDir runtime;
  QVERIFY(QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
  TEnvironment xdg("XDG_RUNTIME_DIR", runtime.path());
  TSingleInstance first(UniqueName());
  QCOMPARE(QFileInfo(first.SocketPath()).absolutePath(), runtime.path());
  QVERIFY(first.TryBecomeFirst());
  QVERIFY(QFile::exists(first.SocketPath() + ".lock"));
  QVERIFY(first.Listen([](const QString &) {}));
  QVERIFY(QFileInfo::exists(first.SocketPath()));
}

void TestSingleInstance::nameKeysUserAndDisplay_data() {
  QTest::addColumn<QString>("wayland");
  QTest::addColumn<QString>("x11");
  QTest::addColumn<QString>("key");
  QTest::newRow("x_display") << QString() << ":1" << "-:1";
  QTest::newRow("screen_of_a_display_is_that_display") << QString() << ":1.0" << "-:1";
  QTest::newRow("remote_display") << QString() << "localhost:10.0" << "-localhost:10";
  QTest::newRow("wayland_before_x") << "wayland-1" << ":1" << "-wayland-1";
  QTest::newRow("wayland_path_makes_no_folders") << "/run/user/5/wayland-0" << QString() << "-_run_user_5_wayland-0";
  QTest::newRow("no_display") << QString() << QString() << "";
}

void TestSingleInstance::nameKeysUserAndDisplay() {
  QFETCH(QString, wayland);
  QFETCH(QString, x11);
  QFETCH(QString, key);
  TEnvironment waylandDisplay("WAYLAND_DISPLAY", wayland);
  TEnvironment display("DISPLAY", x11);
  const QString user = "QuennetNotepad_SingleInstance_Mutex-" + QString::number(getuid());
  QCOMPARE(TSingleInstance::DefaultName(), user + key);
  QCOMPARE(TSingleInstance::DefaultName("check/1"), user + key + "-check_1");
}

void TestSingleInstance::copiesOnOtherDisplaysRunApart() {
  const QString instance = UniqueName();
  TEnvironment noWayland("WAYLAND_DISPLAY", QString());
  auto onDisplay = [&](const QString &display) {
    TEnvironment x11("DISPLAY", display);
    return std::make_unique<TSingleInstance>(TSingleInstance::DefaultName(instance));
  };
  const auto first = onDisplay(":1");
  QVERIFY(first->TryBecomeFirst());
  const auto other = onDisplay(":2");
  QVERIFY(other->TryBecomeFirst());
  QVERIFY(!onDisplay(":1.0")->TryBecomeFirst());
}

// A socket address holds little more than 100 bytes; a deep runtime folder must not stop the hand-off.
void TestSingleInstance::longNameStillMakesASocket() {
  const QString name = UniqueName() + QString(150, u'n');
  QStringList received;
  const auto first = ListeningFirst(name, received);
  QVERIFY(first);
  TSingleInstance second(name);
  QFuture<bool> sent = QtConcurrent::run([&] { return second.HandOff("x\r\n", 5000); });
  QTRY_COMPARE_WITH_TIMEOUT(received, QStringList({"x\r\n"}), 5000);
  QVERIFY(sent.result());
}

void TestSingleInstance::failedListenSaysWhereAndWhy() {
  TSingleInstance first(UniqueName());
  QVERIFY(first.TryBecomeFirst());
  QVERIFY(QDir().mkdir(first.SocketPath()));  // a folder where the socket goes, which no one removes
  QVERIFY(!first.Listen([](const QString &) {}));
  QDir().rmdir(first.SocketPath());
  const QString error = first.ListenError();
  const QString where = QDir::toNativeSeparators(first.SocketPath()) + ": ";
  QVERIFY2(error.startsWith(where), qPrintable(error));
  QVERIFY2(!error.contains("QLocalServer") && !error.contains("Unknown error") && error.size() > where.size(),
           qPrintable(error));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
