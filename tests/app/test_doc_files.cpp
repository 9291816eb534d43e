// The file behind a document: moving it to the trash (asking first, naming unsaved changes that go
// with it; where there is no trash the file and its tab stay and the user is told), showing it in
// the file manager (its folder when the file is gone) and opening a terminal in its folder. The
// trash is a private one: HOME and XDG_DATA_HOME point into the test's folder, on the same disk as
// the files.
#include "AppTestUtil.h"

#include "app/menus/TabMenu.h"
#include "tests/ScopedEnvironment.h"

#include <QDir>
#include <QMenu>

class TestDocFiles : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void recycle_data();
  void recycle();
  void recycleOfAnUntitledDocumentDoesNothing();
  void locateShowsTheFileOrItsFolder();
  void terminalOpensInTheFilesFolder();

 private:
  // What the desktop was asked: "show /path", "url file:///path", "start /usr/bin/x in /folder".
  QStringList Requests() const;
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestDocFiles::init() {
  FDir = std::make_unique<QTemporaryDir>();
  TestDesktop().Requests.clear();
  TestDesktop().Installed.clear();
  TestDesktop().Answer = true;
}

QStringList TestDocFiles::Requests() const {
  QStringList lines;
  for (const TRecordingDesktop::TRequest &r : TestDesktop().Requests)
    lines << r.Kind + " " + r.Target + (r.WorkingDirectory.isEmpty() ? QString() : " in " + r.WorkingDirectory);
  return lines;
}

void TestDocFiles::recycle_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<bool>("modified");
  QTest::addColumn<TAnswer>("answer");
  QTest::addColumn<bool>("trashThere");
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<bool>("trashed");
  const QString ask = "Move \"b.txt\" to the Recycle Bin?";
  const QString loss = ask + "\r\n\r\nIts unsaved changes will be lost.";
  const QString failed = "Could not move the file to the Recycle Bin.";
  QTest::newRow("yesMovesItAndClosesTheTab") << "pmRecycle" << false << TAnswer::Yes << true << QStringList{ask} << true;
  QTest::newRow("noKeepsBoth") << "pmRecycle" << false << TAnswer::No << true << QStringList{ask} << false;
  QTest::newRow("modifiedAsksNamingTheLoss") << "pmRecycle" << true << TAnswer::No << true << QStringList{loss} << false;
  QTest::newRow("modifiedYesGoesWithoutASaveQuestion")
      << "pmRecycle" << true << TAnswer::Yes << true << QStringList{loss} << true;
  QTest::newRow("noTrashKeepsFileTabAndEdits")
      << "pmRecycle" << true << TAnswer::Yes << false << QStringList{loss, failed} << false;
  QTest::newRow("fileMenuActsOnTheActiveDocument") << "miRecycle" << false << TAnswer::Yes << true << QStringList{ask} << true;
}

void TestDocFiles::recycle() {
  QFETCH(QString, command);
  QFETCH(bool, modified);
  QFETCH(TAnswer, answer);
  QFETCH(bool, trashThere);
  QFETCH(QStringList, texts);
  QFETCH(bool, trashed);
  const QString home = FDir->filePath("home");
  QVERIFY(QDir().mkpath(home));
  // A data folder under a regular file can hold no trash, whoever asks.
  const QString data = trashThere ? FDir->filePath("home/data") : FDir->filePath("blocker/data");
  if (trashThere) QVERIFY(QDir().mkpath(data));
  else QVERIFY(WriteBytes(FDir->filePath("blocker"), "a file, not a folder"));
  const TScopedEnvironment homeValue("HOME", home.toLocal8Bit());
  const TScopedEnvironment dataValue("XDG_DATA_HOME", data.toLocal8Bit());

  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString a = MakeFile(*FDir, "a.txt", "alpha\n");
  const QString b = MakeFile(*FDir, "b.txt", "beta\n");
  w->OpenFile(a);
  w->OpenFile(b);
  if (modified) Type(w->ActiveEditor(), "edit ");
  if (command.startsWith("pm")) {
    w->TabMenu().Popup(w->TabOrder().at(1), w->mapToGlobal(QPoint(10, 10)));
    w->TabMenu().Menu()->hide();
    w->Tabs()->setCurrentIndex(0);  // the menu's document, not the active one
  }
  boxes.Answers = {answer};
  RunCommand(*w, command);
  QCOMPARE(boxes.Texts(), texts);
  QCOMPARE(boxes.Asked[0].Kind, TMessageKind::Warning);
  const QString inTrash = data + "/Trash/files/b.txt";
  QCOMPARE(QFileInfo::exists(b), !trashed);
  QCOMPARE(QFileInfo::exists(inTrash), trashed);
  QCOMPARE(ReadBytes(trashed ? inTrash : b), "beta\n");
  QCOMPARE(w->FindDocByFileName(b) == nullptr, trashed);
  if (!trashed) QCOMPARE(w->FindDocByFileName(b)->Editor->Modified(), modified);
  QVERIFY(w->FindDocByFileName(a));
}

void TestDocFiles::recycleOfAnUntitledDocumentDoesNothing() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  Type(w->ActiveEditor(), "typed");
  RunCommand(*w, "miRecycle");
  RunCommand(*w, "pmRecycle");
  QVERIFY(boxes.Asked.isEmpty());
  QCOMPARE(w->Tabs()->count(), 1);
}

void TestDocFiles::locateShowsTheFileOrItsFolder() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  QVERIFY(QDir(FDir->path()).mkdir("sub"));
  const QString a = MakeFile(*FDir, "a.txt", "alpha\n");
  const QString b = MakeFile(*FDir, "sub/b.txt", "beta\n");
  w->OpenFile(a);
  w->OpenFile(b);
  w->TabMenu().Popup(w->TabOrder().at(0), w->mapToGlobal(QPoint(10, 10)));
  w->TabMenu().Menu()->hide();
  RunCommand(*w, "pmLocate");
  QFile::remove(b);
  w->Tabs()->setCurrentIndex(1);
  RunCommand(*w, "miOpenFolder");  // the file is gone: its folder
  QCOMPARE(Requests(), (QStringList{"show " + a, "url " + QUrl::fromLocalFile(QFileInfo(b).absolutePath()).toString()}));
  QVERIFY(boxes.Asked.isEmpty());
  QVERIFY(QDir(FDir->path()).rmdir("sub"));
  RunCommand(*w, "miOpenFolder");  // and so is the folder
  QCOMPARE(boxes.Texts(), QStringList{"Folder not found: " + QFileInfo(b).absolutePath()});
  RunCommand(*w, "miNew");
  RunCommand(*w, "miOpenFolder");  // no file name: nothing
  QCOMPARE(Requests().size(), 2);
  QCOMPARE(boxes.Asked.size(), 1);
}

void TestDocFiles::terminalOpensInTheFilesFolder() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  QVERIFY(QDir(FDir->path()).mkdir("sub"));
  const QString a = MakeFile(*FDir, "sub/a.txt", "alpha\n");
  w->OpenFile(a);
  TestDesktop().Installed = {"x-terminal-emulator"};
  RunCommand(*w, "pmOpenCmd");
  QCOMPARE(Requests(), QStringList{"start /usr/bin/x-terminal-emulator in " + QFileInfo(a).absolutePath()});
  QVERIFY(boxes.Asked.isEmpty());
  TestDesktop().Installed.clear();
  RunCommand(*w, "pmOpenCmd");
  QCOMPARE(boxes.Texts(), QStringList{"A terminal emulator is not available on this system."});
  QCOMPARE(Requests().size(), 1);
}

QTEST_MAIN(TestDocFiles)
#include "test_doc_files.moc"
