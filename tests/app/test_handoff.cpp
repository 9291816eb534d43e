// Two copies of the program: the first (this test, with a window) serves the hand-off, the
// second (the real program, started here) sends its command line and exits.
#include "AppTestUtil.h"

#include "platform/SingleInstance.h"

#include <QDialog>
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
  void handOffsWaitForModalDialog();
  void copiesStartedTogetherOpenInOneWindow();

 private:
  // Runs the program as a second copy in folder; true when it ended by itself with exit code 0.
  bool RunSecondCopy(const QStringList &arguments, const QString &folder) {
    QProcess second;
    return StartSecondCopy(second, arguments, folder) && EndedWell(second);
  }
  bool StartSecondCopy(QProcess &second, const QStringList &arguments, const QString &folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUENNET_INSTANCE", FName);
    env.insert("QUENNET_SETTINGS", FDir->filePath("second.ini"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(folder);
    second.setReadChannel(QProcess::StandardError);
    second.start(QUENNET_NOTEPAD, arguments);
    return second.waitForStarted(10000);
  }
  // Serves events (the first copy must answer while the second waits) until second has ended.
  static bool EndedWell(QProcess &second) {
    QDeadlineTimer deadline(20000);
    while (second.state() != QProcess::NotRunning && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (second.state() != QProcess::NotRunning) {
      second.kill();
      second.waitForFinished();
      return false;
    }
    QCoreApplication::processEvents();  // the text is taken just after the answer
    return second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0;
  }
  // Blocks this thread, so this copy serves nothing meanwhile, until the process has printed text
  // on its error output.
  static bool WaitForMessage(QProcess &process, const QByteArray &text) {
    QDeadlineTimer deadline(60000);
    QByteArray printed;
    while (!printed.contains(text)) {
      if (!process.waitForReadyRead(int(deadline.remainingTime()))) return false;
      printed += process.readAllStandardError();
    }
    return true;
  }
  QString Make(const QString &name, const QByteArray &bytes) { return MakeFile(*FDir, name, bytes); }
  QStringList OpenFileNames() const {
    QStringList names;
    for (const TEditorDoc *doc : FWindow->OpenDocs()) names << doc->FileName;
    return names;
  }

  std::unique_ptr<QTemporaryDir> FDir;
  QString FName;
  std::unique_ptr<TSingleInstance> FFirst;
  std::unique_ptr<TfrmMain> FWindow;
  int FTexts = 0;  // hand-off texts that reached the window
};

void TestHandOff::init() {
  FDir = std::make_unique<QTemporaryDir>();
  FName = "quennet-test-" + QUuid::createUuid().toString(QUuid::Id128);
  FTexts = 0;
  // The name the program gives itself for this display and QUENNET_INSTANCE.
  FFirst = std::make_unique<TSingleInstance>(TSingleInstance::DefaultName(FName));
  QVERIFY(FFirst->TryBecomeFirst());
  FWindow = MakeWindow(*FDir);
  QVERIFY(FFirst->Listen([this](const QString &text) {
    ++FTexts;
    FWindow->ReceiveHandOff(text);
  }));
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
  QTRY_COMPARE(FTexts, 1);
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
  QVERIFY(WaitForMessage(second, "giving up"));
  QCOMPARE(second.state(), QProcess::Running);  // on its own now
  // Awake again: the next copy's text is served after the dropped one.
  const QString b = Make("b.txt", "b");
  QVERIFY(RunSecondCopy({b}, FDir->path()));
  QTRY_COMPARE(FTexts, 1);
  QCOMPARE(OpenFileNames(), QStringList{b});
  second.kill();
  second.waitForFinished();
}

// Opening files would raise the window over the dialog, which would then look frozen: hand-offs
// wait for it to close and then open in the order they came.
void TestHandOff::handOffsWaitForModalDialog() {
  TScriptedBoxes boxes;
  const QString a = Make("a.txt", "a");
  const QString b = Make("b.txt", "b");
  QDialog dialog(FWindow.get());
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  QCOMPARE(QApplication::activeModalWidget(), &dialog);
  QVERIFY(RunSecondCopy({a}, FDir->path()));
  QVERIFY(RunSecondCopy({b}, FDir->path()));
  QTRY_COMPARE(FTexts, 2);
  QCOMPARE(OpenFileNames(), QStringList{QString()});
  dialog.accept();
  QTRY_COMPARE(OpenFileNames(), QStringList({a, b}));
}

// A file manager opening several files starts one copy for each, all at once: the first one holds
// the lock but listens only once its window is made, and the others wait for it.
void TestHandOff::copiesStartedTogetherOpenInOneWindow() {
  TScriptedBoxes boxes;
  FName += "-together";
  FFirst = std::make_unique<TSingleInstance>(TSingleInstance::DefaultName(FName));
  QVERIFY(FFirst->TryBecomeFirst());
  QStringList files;
  std::vector<std::unique_ptr<QProcess>> copies;
  for (const char *name : {"a.txt", "b.txt", "c.txt"}) {
    files << Make(name, name);
    copies.push_back(std::make_unique<QProcess>());
    QVERIFY(StartSecondCopy(*copies.back(), {files.last()}, FDir->path()));
  }
  // Once one of them has found nobody listening, this copy's window is ready.
  QVERIFY(WaitForMessage(*copies.front(), "waiting"));
  QVERIFY(FFirst->Listen([this](const QString &text) { FWindow->ReceiveHandOff(text); }));
  for (const auto &copy : copies) QVERIFY(EndedWell(*copy));
  QTRY_COMPARE(FWindow->Tabs()->count(), 3);
  QStringList opened = OpenFileNames();
  opened.sort();
  QCOMPARE(opened, files);
}

QTEST_MAIN(TestHandOff)
#include "test_handoff.moc"
