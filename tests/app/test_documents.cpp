// The main window's documents: opening into the untitled tab, finding open files, failed opens,
// the save question on close with each answer, reload, drops and the large-file question.
#include "AppTestUtil.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

#include <set>

class TestDocuments : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void openFillsUntitledTabThenAddsTabs();
  void openingAnOpenFileActivatesIt();
  void idsAreNeverGivenAgain();
  void missingFileIsReported();
  void failedDirectOpenLeavesNoTabHoldingThePath_data();
  void failedDirectOpenLeavesNoTabHoldingThePath();
  void closeAsksToSave_data();
  void closeAsksToSave();
  void failedSaveKeepsDocumentModifiedAndFileIntact();
  void failedSaveAsKeepsTheDocumentsName();
  void closeAllBulkAnswers_data();
  void closeAllBulkAnswers();
  void reloadAsksBeforeDiscarding_data();
  void reloadAsksBeforeDiscarding();
  void saveAsTakesNewNameAndLanguage();
  void droppedFilesOpen();
  void largeFileQuestion();
  void binaryFileGetsNoHighlighter();

 private:
  QString Make(const QString &name, const QByteArray &bytes) { return MakeFile(*FDir, name, bytes); }
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestDocuments::init() { FDir = std::make_unique<QTemporaryDir>(); }

void TestDocuments::openFillsUntitledTabThenAddsTabs() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString a = Make("a.txt", "alpha\n");
  const QString b = Make("b.py", "beta\n");
  QCOMPARE(w->Tabs()->count(), 1);
  w->OpenFile(a);
  QCOMPARE(w->Tabs()->count(), 1);  // the untouched "Untitled" tab is reused
  QCOMPARE(w->ActiveDoc()->FileName, a);
  QCOMPARE(w->TabStrip()->TabCaption(0), Padded("a.txt"));
  QCOMPARE(w->windowTitle(), a + " | " + w->AppName());
  Type(w->ActiveEditor(), "x");
  QCOMPARE(w->TabStrip()->TabCaption(0), Padded("\u2022 a.txt"));
  QCOMPARE(w->windowTitle(), "* " + a + " | " + w->AppName());
  w->OpenFile(b);
  QCOMPARE(w->Tabs()->count(), 2);
  QCOMPARE(w->ActiveDoc()->FileName, b);
  QVERIFY(w->StatusLabel()->text().contains("   |   Python   |   5 B"));
  QVERIFY(boxes.Asked.isEmpty());
}

void TestDocuments::openingAnOpenFileActivatesIt() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  QDir(FDir->path()).mkdir("sub");
  const QString a = Make("a.txt", "alpha");
  w->OpenFile(a);
  w->NewDoc();
  QCOMPARE(w->Tabs()->count(), 2);
  // Another spelling of the same file, and a link to it, are that file.
  w->OpenFile(FDir->filePath("sub/../a.txt"));
  QCOMPARE(w->Tabs()->count(), 2);
  QCOMPARE(w->Tabs()->currentIndex(), 0);
  w->Tabs()->setCurrentIndex(1);
  QVERIFY(QFile::link(a, FDir->filePath("link.txt")));
  w->OpenFile(FDir->filePath("link.txt"));
  QCOMPARE(w->Tabs()->count(), 2);
  QCOMPARE(w->Tabs()->currentIndex(), 0);
  // Letter case makes another file on Linux.
  const QString upper = Make("A.txt", "other");
  w->Tabs()->setCurrentIndex(1);
  w->OpenFile(upper);
  QCOMPARE(w->Tabs()->count(), 2);  // fills the untouched tab
  QCOMPARE(w->ActiveDoc()->FileName, upper);
}

// Documents made and closed one after another often take the same memory; never the same id.
void TestDocuments::idsAreNeverGivenAgain() {
  auto w = MakeWindow(*FDir);
  std::set<TDocId> ids{w->ActiveDoc()->Id};
  for (int i = 0; i < 50; ++i) {
    w->NewDoc();
    const TDocId id = w->ActiveDoc()->Id;
    QVERIFY(ids.insert(id).second);
    QVERIFY(w->CloseDoc(w->ActiveDoc()));
    QVERIFY(!w->FindDoc(id));
  }
  QVERIFY(!ids.count(KNoDoc));
}

void TestDocuments::missingFileIsReported() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString missing = FDir->filePath("gone.txt");
  w->OpenFile(missing);
  QCOMPARE(boxes.Texts(), QStringList{"File not found: " + missing});
  QCOMPARE(w->Tabs()->count(), 1);
  QVERIFY(w->ActiveDoc()->FileName.isEmpty());
}

void TestDocuments::failedDirectOpenLeavesNoTabHoldingThePath_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<bool>("intoUntitled");
  // The mark makes it UTF-8, and the sequence cut at the end fails the strict conversion.
  const QByteArray cut("\xEF\xBB\xBF" "ab\xC3");
  const QByteArray overlong = ReadBytes(QUENNET_FIXTURES "/encodings/utf8-overlong-pair.txt");
  QTest::newRow("cut_sequence_into_untouched_tab") << cut << true;
  QTest::newRow("cut_sequence_into_new_tab") << cut << false;
  QTest::newRow("overlong_pair_into_untouched_tab") << overlong << true;
}

// A tab left holding the path would let a later Save write an empty file over it.
void TestDocuments::failedDirectOpenLeavesNoTabHoldingThePath() {
  QFETCH(QByteArray, bytes);
  QFETCH(bool, intoUntitled);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  if (!intoUntitled) Type(w->ActiveEditor(), "keep");
  const QString path = Make("cut.txt", bytes);
  w->OpenFile(path);
  QCOMPARE(boxes.Texts().size(), 1);
  QVERIFY(boxes.Texts().first().startsWith("Could not open file: No mapping"));
  QCOMPARE(w->Tabs()->count(), 1);
  QVERIFY(!w->FindDocByFileName(path));
  QVERIFY(w->ActiveDoc()->FileName.isEmpty());
  QCOMPARE(w->ActiveEditor()->GetText(), intoUntitled ? QString() : QString("keep"));
  RunCommand(*w, "miSaveAll");
  QCOMPARE(ReadBytes(path), bytes);
}

void TestDocuments::closeAsksToSave_data() {
  QTest::addColumn<TAnswer>("answer");
  QTest::addColumn<bool>("closed");
  QTest::addColumn<QByteArray>("onDisk");
  QTest::newRow("yes_saves_and_closes") << TAnswer::Yes << true << QByteArray("xold");
  QTest::newRow("no_closes_without_saving") << TAnswer::No << true << QByteArray("old");
  QTest::newRow("cancel_keeps_tab") << TAnswer::Cancel << false << QByteArray("old");
}

void TestDocuments::closeAsksToSave() {
  QFETCH(TAnswer, answer);
  QFETCH(bool, closed);
  QFETCH(QByteArray, onDisk);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString path = Make("doc.txt", "old");
  w->OpenFile(path);
  w->NewDoc();
  w->ActivateDoc(w->FindDocByFileName(path)->Id);
  Type(w->ActiveEditor(), "x");
  boxes.Answers = {answer};
  RunCommand(*w, "miClose");
  QCOMPARE(boxes.Texts(), QStringList{"Save changes to \"doc.txt\"?"});
  QCOMPARE(boxes.Asked.first().Buttons, (QList<TAnswer>{TAnswer::Yes, TAnswer::No, TAnswer::Cancel}));
  QCOMPARE(w->FindDocByFileName(path) == nullptr, closed);
  QCOMPARE(w->Tabs()->count(), closed ? 1 : 2);
  QCOMPARE(ReadBytes(path), onDisk);
  if (!closed) QVERIFY(w->ActiveEditor()->Modified());
}

void TestDocuments::failedSaveKeepsDocumentModifiedAndFileIntact() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  QDir dir(FDir->path());
  dir.mkdir("sub");
  const QString path = FDir->filePath("sub/doc.txt");
  WriteBytes(path, "old");
  w->OpenFile(path);
  Type(w->ActiveEditor(), "x");
  // The folder is moved away and a file takes its name: no write can succeed, whatever the rights.
  QVERIFY(dir.rename("sub", "moved"));
  WriteBytes(FDir->filePath("sub"), "blocker");
  boxes.Answers = {TAnswer::Yes};
  RunCommand(*w, "miClose");  // Yes, but the save fails: the close is abandoned
  QCOMPARE(boxes.Texts().size(), 2);
  QVERIFY(boxes.Texts()[1].startsWith("Could not save file: "));
  QVERIFY(w->FindDocByFileName(path));
  QVERIFY(w->ActiveEditor()->Modified());
  QCOMPARE(w->TabStrip()->TabCaption(0), Padded("\u2022 doc.txt"));
  QCOMPARE(ReadBytes(FDir->filePath("sub")), "blocker");
  QCOMPARE(ReadBytes(FDir->filePath("moved/doc.txt")), "old");
}

// Nothing was saved under the new name, so the document stays what it was: its file, encoding,
// language, tab and title.
void TestDocuments::failedSaveAsKeepsTheDocumentsName() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString path = Make("script.py", "\xEF\xBB\xBFprint()\n");
  WriteBytes(FDir->filePath("blocker"), "a file, not a folder");
  w->OpenFile(path);
  Type(w->ActiveEditor(), "x");
  TEditorDoc *doc = w->ActiveDoc();
  const QString title = w->windowTitle();
  const QString status = w->StatusLabel()->text();
  const auto *highlighter = w->ActiveEditor()->Highlighter();
  w->AskSavePath = [&](const QString &) { return FDir->filePath("blocker/renamed.json"); };
  RunCommand(*w, "miSaveAs");
  QCOMPARE(boxes.Texts().size(), 1);
  QVERIFY(boxes.Texts()[0].startsWith("Could not save file: "));
  QCOMPARE(doc->FileName, path);
  QCOMPARE(doc->EncKind, ekUtf8Bom);
  QCOMPARE(w->ActiveEditor()->Highlighter(), highlighter);
  QVERIFY(w->ActiveEditor()->Modified());
  QCOMPARE(w->TabStrip()->TabCaption(0), Padded("\u2022 script.py"));
  QCOMPARE(w->Tabs()->tabToolTip(0), path);
  QCOMPARE(w->windowTitle(), title);
  QCOMPARE(w->StatusLabel()->text(), status);
  QVERIFY(!QFileInfo::exists(FDir->filePath("blocker/renamed.json")));
  QCOMPARE(ReadBytes(path), QByteArray("\xEF\xBB\xBFprint()\n"));
}

void TestDocuments::closeAllBulkAnswers_data() {
  QTest::addColumn<QList<TAnswer>>("answers");
  QTest::addColumn<int>("questions");
  QTest::addColumn<int>("tabsLeft");
  QTest::addColumn<QByteArray>("firstOnDisk");
  QTest::newRow("no_to_all_closes_rest_silently") << QList<TAnswer>{TAnswer::NoToAll} << 1 << 1 << QByteArray("1");
  QTest::newRow("yes_to_all_saves_every_one") << QList<TAnswer>{TAnswer::YesToAll} << 1 << 1 << QByteArray("x1");
  QTest::newRow("cancel_on_second_leaves_two") << QList<TAnswer>{TAnswer::No, TAnswer::Cancel} << 2 << 2
                                                << QByteArray("1");
}

void TestDocuments::closeAllBulkAnswers() {
  QFETCH(QList<TAnswer>, answers);
  QFETCH(int, questions);
  QFETCH(int, tabsLeft);
  QFETCH(QByteArray, firstOnDisk);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  QStringList paths;
  for (int i = 1; i <= 3; ++i) {
    paths << Make(QString("f%1.txt").arg(i), QByteArray::number(i));
    w->OpenFile(paths.last());
    Type(w->ActiveEditor(), "x");
  }
  boxes.Answers.assign(answers.begin(), answers.end());
  RunCommand(*w, "miCloseAll");
  QCOMPARE(boxes.Asked.size(), questions);
  QCOMPARE(boxes.Asked.first().Text, "Save changes to \"f3.txt\"?");  // the last document first
  QCOMPARE(boxes.Asked.first().Buttons.size(), 5);
  QCOMPARE(w->Tabs()->count(), tabsLeft);
  QCOMPARE(ReadBytes(paths[0]), firstOnDisk);
}

void TestDocuments::reloadAsksBeforeDiscarding_data() {
  QTest::addColumn<TAnswer>("answer");
  QTest::addColumn<QString>("text");
  QTest::newRow("no_changes_nothing") << TAnswer::No << "xold\n2";
  QTest::newRow("yes_rereads_in_same_tab") << TAnswer::Yes << "new\n2";
}

void TestDocuments::reloadAsksBeforeDiscarding() {
  QFETCH(TAnswer, answer);
  QFETCH(QString, text);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString other = Make("other.txt", "o");
  const QString path = Make("doc.txt", "old\n2");
  w->OpenFile(other);
  w->OpenFile(path);
  Type(w->ActiveEditor(), "x");
  WriteBytes(path, "new\n2");
  boxes.Answers = {answer};
  w->ReloadDoc(w->ActiveDoc());
  QCOMPARE(boxes.Texts(), QStringList{"Discard unsaved changes and reload \"doc.txt\" from disk?"});
  QCOMPARE(w->Tabs()->count(), 2);
  QCOMPARE(w->Tabs()->currentIndex(), 1);
  QCOMPARE(w->ActiveDoc()->FileName, path);
  QCOMPARE(w->ActiveEditor()->GetText(), text);
  QCOMPARE(w->ActiveEditor()->Modified(), answer == TAnswer::No);
}

void TestDocuments::saveAsTakesNewNameAndLanguage() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  Type(w->ActiveEditor(), "{}");
  const QString target = FDir->filePath("data.json");
  QString offered = "<not asked>";
  w->AskSavePath = [&](const QString &current) {
    offered = current;
    return target;
  };
  RunCommand(*w, "miSave");  // no file name yet: the dialog is asked
  QCOMPARE(offered, QString());
  QCOMPARE(ReadBytes(target), "{}");
  QCOMPARE(w->ActiveDoc()->FileName, target);
  QVERIFY(!w->ActiveEditor()->Modified());
  QVERIFY(w->StatusLabel()->text().contains("   |   JSON   |   2 B"));
  QCOMPARE(w->TabStrip()->TabCaption(0), Padded("data.json"));
  // A copy leaves the document on its own file.
  const QString copy = FDir->filePath("copy.txt");
  w->AskSavePath = [&](const QString &) { return copy; };
  Type(w->ActiveEditor(), "1");
  RunCommand(*w, "miSaveCopyAs");
  QCOMPARE(ReadBytes(copy), "{}1");
  QCOMPARE(w->ActiveDoc()->FileName, target);
  QVERIFY(w->ActiveEditor()->Modified());
  QCOMPARE(w->Settings().FRecentFiles.first(), copy);
  QVERIFY(boxes.Asked.isEmpty());
}

void TestDocuments::droppedFilesOpen() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString a = Make("a.txt", "a");
  const QString b = Make("b.txt", "b");
  const QString c = Make("c.txt", "c");
  auto drop = [](QWidget *target, const QStringList &paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    // A drop reaches the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
  };
  drop(w.get(), {a, b});
  QCOMPARE(w->Tabs()->count(), 2);
  QCOMPARE(w->ActiveDoc()->FileName, b);  // the last of a batch is shown
  drop(w->ActiveEditor()->viewport(), {c});
  QCOMPARE(w->Tabs()->count(), 3);
  QCOMPARE(w->ActiveDoc()->FileName, c);
  QVERIFY(w->FindDocByFileName(a));
  QVERIFY(boxes.Asked.isEmpty());
}

void TestDocuments::largeFileQuestion() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString path = FDir->filePath("huge.log");
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  QVERIFY(f.resize(209715201));  // sparse: no disk space used
  f.close();
  boxes.Answers = {TAnswer::No};
  w->OpenFile(path);
  QCOMPARE(boxes.Asked.size(), 1);
  QVERIFY(boxes.Asked.first().Text.startsWith("The file is 200 MB. Opening very large files"));
  QVERIFY(boxes.Asked.first().Text.endsWith("\r\n\r\nOpen it anyway?"));
  QCOMPARE(w->Tabs()->count(), 1);
  QVERIFY(!w->FindDocByFileName(path));
  QVERIFY(w->Settings().FRecentFiles.isEmpty());
}

void TestDocuments::binaryFileGetsNoHighlighter() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  w->OpenFile(Make("text.py", "x = 1\n"));
  QVERIFY(w->ActiveDoc()->Editor->Highlighter());
  w->OpenFile(Make("binary.py", QByteArray("x = 1\n\0", 7)));
  QVERIFY(!w->ActiveDoc()->Editor->Highlighter());
  QCOMPARE(w->ActiveDoc()->LangTag, -1);
}

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
