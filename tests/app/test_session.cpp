// Settings and session through the main window: written once at a permitted exit, read at start,
// the session reopened without arguments, a refused exit writes nothing.
#include "AppTestUtil.h"

#include "platform/SettingsStore.h"

class TestSession : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void settingsAndSessionSurviveARestart();
  void sessionSkipsMissingFiles();
  void argumentsSkipTheSession();
  void refusedExitKeepsTabsAndWritesNothing();
  void damagedSettingsStartWithDefaults();

 private:
  QString Make(const QString &name, const QByteArray &bytes) { return MakeFile(*FDir, name, bytes); }
  QString Ini() const { return FDir->filePath("settings.ini"); }
  // A first run that leaves a session of a.txt and b.txt (and an untitled tab, which is not kept).
  QStringList RunFirstSession() {
    TScriptedBoxes boxes;
    const QStringList paths{Make("a.txt", "a"), Make("b.cpp", "int b;")};
    auto w = MakeWindow(*FDir);
    w->Settings().FAutoLoadSession = true;
    w->Settings().FWordWrap = true;
    w->Settings().FFontSize = 14;
    w->OpenFiles(paths);
    w->NewDoc();
    Type(w->ActiveEditor(), "unsaved");
    boxes.Answers = {TAnswer::No};
    w->close();
    return paths;
  }
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestSession::init() { FDir = std::make_unique<QTemporaryDir>(); }

void TestSession::settingsAndSessionSurviveARestart() {
  const QStringList paths = RunFirstSession();
  TSettingsStore store(Ini());
  QVERIFY(store.OpenRead());
  QCOMPARE(store.ReadStr("SessionFiles", "?"), paths[0] + "\n" + paths[1] + "\n");
  store.Close();
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  QCOMPARE(w->Tabs()->count(), 2);
  QCOMPARE(w->OpenDocs()[0]->FileName, paths[0]);
  QCOMPARE(w->OpenDocs()[1]->FileName, paths[1]);
  QCOMPARE(w->Settings().FFontSize, 14);
  QVERIFY(w->Settings().FWordWrap);
  QVERIFY(w->ActiveEditor()->WordWrap());
  QCOMPARE(w->Settings().FRecentFiles, (QStringList{paths[1], paths[0]}));
  QVERIFY(boxes.Asked.isEmpty());
}

void TestSession::sessionSkipsMissingFiles() {
  const QStringList paths = RunFirstSession();
  QFile::remove(paths[0]);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  QCOMPARE(w->Tabs()->count(), 1);
  QCOMPARE(w->ActiveDoc()->FileName, paths[1]);
  QVERIFY(boxes.Asked.isEmpty());  // missing files are dropped silently on this road
}

void TestSession::argumentsSkipTheSession() {
  RunFirstSession();
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir, {FDir->filePath("missing.txt")});
  QCOMPARE(w->Tabs()->count(), 1);
  QVERIFY(w->ActiveDoc()->FileName.isEmpty());
  QVERIFY(boxes.Asked.isEmpty());
}

void TestSession::refusedExitKeepsTabsAndWritesNothing() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  w->OpenFile(Make("a.txt", "a"));
  Type(w->ActiveEditor(), "x");
  w->NewDoc();
  boxes.Answers = {TAnswer::Cancel};
  QVERIFY(!w->close());
  QCOMPARE(boxes.Texts(), QStringList{"Save changes to \"a.txt\"?"});
  QCOMPARE(w->Tabs()->count(), 2);
  QVERIFY(w->ActiveEditor()->Modified());
  QVERIFY(!QFile::exists(Ini()));
}

void TestSession::damagedSettingsStartWithDefaults() {
  WriteBytes(Ini(),
             "[General]\nFontSize=huge\nNewDocEnc=9\nNewDocEOL=xx\nIndentSize=5000\nRecentFiles=@Variant(garbage)\n"
             "AutoLoadSession=maybe\nSessionFiles=/nonexistent\n");
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  QCOMPARE(w->Settings().FFontSize, 10);
  QCOMPARE(w->Settings().FIndentSize, 32);
  w->NewDoc();
  QCOMPARE(int(w->ActiveDoc()->EncKind), int(ekUtf8));
  QCOMPARE(w->ActiveDoc()->EOL, "\r\n");
  QCOMPARE(w->Tabs()->count(), 2);
  QVERIFY(boxes.Asked.isEmpty());
}

QTEST_MAIN(TestSession)
#include "test_session.moc"
