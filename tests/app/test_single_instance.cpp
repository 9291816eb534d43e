// The single-instance lock and the hand-off of a command line from a second copy.
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QUuid>
#include <QtConcurrent>

#include <memory>

class TestSingleInstance : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void secondCopyHandsOverText();
  void noAnswerMeansRunAlone();
  void hungFirstCopyDropsTextItAnswersLate();
  void staleSocketIsReplaced();

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
  QTest::qWait(300);
  QVERIFY(received.isEmpty());
  // Awake again, it serves the next copy as usual.
  QFuture<bool> sent = QtConcurrent::run([&] { return second.HandOff("/tmp/y\r\n", 5000); });
  QTRY_COMPARE_WITH_TIMEOUT(received, QStringList({"/tmp/y\r\n"}), 5000);
  QVERIFY(sent.result());
}

void TestSingleInstance::staleSocketIsReplaced() {
  const QString name = UniqueName();
  QFile stale(QDir::temp().filePath(name));  // the socket file of a copy that died
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

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
