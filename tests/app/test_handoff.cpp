// Two copies of the program: the first (this test, with a window) serves the hand-off, the
// second (the real program, started here) sends its command line and exits.
#include "AppTestUtil.h"

#include "platform/SingleInstance.h"

#include <QDir>
#include <QProcess>
#include <QUuid>

#include <sys/stat.h>

class TestHandOff : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void secondCopyHandsOverAbsolutePaths();
  void listFileIsReadThenDeleted();
  void onlyRegularFilesOpen();
  void noArgumentsOnlyRaisesTheWindow();
  void hungFirstCopyLeavesFilesToSecond();

 private:
  // Runs the program as a second copy in folder; true when it ended by itself with exit code 0.
  bool RunSecondCopy(const QStringList &arguments, const QString &folder) {
    QProcess second;
    if (!StartSecondCopy(second, arguments, folder)) return false;
    // The first copy must keep serving while the second one waits for its answer.
    QDeadlineTimer deadline(20000);
    while (second.state() != QProcess::NotRunning && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (second.state() != QProcess::NotRunning) {
      second.kill();
      second.waitForFinished();
      return false;
    }
    QCoreApplication::processEvents();  // the text is opened just after the answer
    return second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0;
  }
  bool StartSecondCopy(QProcess &second, const QStringList &arguments, const QString &folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUENNET_INSTANCE", FName);
    env.insert("QUENNET_SETTINGS", FDir->filePath("second.ini"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(folder);
    second.start(QUENNET_NOTEPAD, arguments);
    return second.waitForStarted(10000);
  }
  QString Make(const QString &name, const QByteArray &bytes) { return MakeFile(*FDir, name, bytes); }

  std::unique_ptr<QTemporaryDir> FDir;
  QString FName;
  std::unique_ptr<TSingleInstance> FFirst;
  std::unique_ptr<TfrmMain> FWindow;
};

void TestHandOff::init() {
  FDir = std::make_unique<QTemporaryDir>();
  FName = "quennet-test-" + QUuid::createUuid().toString(QUuid::Id128);
  FFirst = std::make_unique<TSingleInstance>(FName);
  QVERIFY(FFirst->TryBecomeFirst());
  FWindow = MakeWindow(*FDir);
  QVERIFY(FFirst->Listen([this](const QString &text) { FWindow->ReceiveHandOff(text); }));
}

void TestHandOff::cleanup() {
  FWindow.reset();
  FFirst.reset();
}

void TestHandOff::secondCopyHandsOverAbsolutePaths() {
  TScriptedBoxes boxes;
  QDir(FDir->path()).mkdir("work");
  const QString a = Make("work/a.txt", "a");
  const QString b = Make("b.txt", "b");
  // Relative to the second copy's folder, which is not the first copy's.
  QVERIFY(RunSecondCopy({"a.txt", "../b.txt", "missing.txt"}, FDir->filePath("work")));
  QTRY_COMPARE(FWindow->Tabs()->count(), 2);
  QCOMPARE(FWindow->OpenDocs()[0]->FileName, a);
  QCOMPARE(FWindow->OpenDocs()[1]->FileName, b);
  QVERIFY(boxes.Asked.isEmpty());
}

void TestHandOff::listFileIsReadThenDeleted() {
  TScriptedBoxes boxes;
  const QString a = Make("a.txt", "a");
  const QString b = Make("b.txt", "b");
  const QString list = Make("list.txt", ("  " + a + "\r\n\r\n" + b + "  \n").toUtf8());
  QVERIFY(list.startsWith(QDir::tempPath()));
  QVERIFY(RunSecondCopy({"/FILELIST:\"" + list + "\""}, FDir->path()));
  QTRY_COMPARE(FWindow->Tabs()->count(), 2);
  QCOMPARE(FWindow->OpenDocs()[0]->FileName, a);
  QCOMPARE(FWindow->OpenDocs()[1]->FileName, b);
  QVERIFY(!QFile::exists(list));
}

// A FIFO would block the load for ever; a folder is no file to open.
void TestHandOff::onlyRegularFilesOpen() {
  TScriptedBoxes boxes;
  const QString fifo = FDir->filePath("pipe");
  QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString a = Make("a.txt", "a");
  QVERIFY(RunSecondCopy({fifo, FDir->path(), a}, FDir->path()));
  QTRY_COMPARE(FWindow->ActiveDoc()->FileName, a);
  QCOMPARE(FWindow->Tabs()->count(), 1);
  QVERIFY(boxes.Asked.isEmpty());
}

void TestHandOff::noArgumentsOnlyRaisesTheWindow() {
  TScriptedBoxes boxes;
  QVERIFY(RunSecondCopy({}, FDir->path()));
  QCOMPARE(FWindow->Tabs()->count(), 1);
  QVERIFY(FWindow->ActiveDoc()->FileName.isEmpty());
  QVERIFY(boxes.Asked.isEmpty());
}

// While this copy's event loop is stuck, the second one waits out its time-out and runs alone with
// its file; the text this copy finds when it wakes up must not open the file a second time.
void TestHandOff::hungFirstCopyLeavesFilesToSecond() {
  TScriptedBoxes boxes;
  const QString a = Make("a.txt", "a");
  QProcess second;
  QVERIFY(StartSecondCopy(second, {a}, FDir->path()));
  // Blocks this thread, so no events are served: long enough for a slow start plus the 3 s wait.
  QVERIFY(!second.waitForFinished(9000));
  QCOMPARE(second.state(), QProcess::Running);
  QTest::qWait(500);
  QCOMPARE(FWindow->Tabs()->count(), 1);
  QVERIFY(FWindow->ActiveDoc()->FileName.isEmpty());
  second.kill();
  second.waitForFinished();
}

QTEST_MAIN(TestHandOff)
#include "test_handoff.moc"
