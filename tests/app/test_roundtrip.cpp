// A file's encoding and line break survive open and save byte for byte, on the direct road and in
// the background; what decoding had to change is saved only with consent; loading tabs are guarded.
#include "AppTestUtil.h"

#include "app/StatusText.h"

class TestRoundTrip : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void fixturesSurviveOpenAndSave_data();
  void fixturesSurviveOpenAndSave();
  void alteredLoadsAskBeforeSaving_data();
  void alteredLoadsAskBeforeSaving();
  void largeFilesSurviveBackgroundLoadAndSave_data();
  void largeFilesSurviveBackgroundLoadAndSave();
  void mixedBreaksSaveWithTheDocumentsBreak();
  void statusSizeIsTheSizeASaveWrites_data();
  void statusSizeIsTheSizeASaveWrites();
  void statusSizeAfterBackgroundLoad();
  void loadingTabIsReadOnlyAndRefusesSaveAndReload();
  void closingLoadingTabDiscardsResult();
  void closedLoadNeverReachesLaterTabs_data();
  void closedLoadNeverReachesLaterTabs();
  void destroyingWindowWhileLoadingIsSafe();

 private:
  QString Make(const QString &name, const QByteArray &bytes) { return MakeFile(*FDir, name, bytes); }
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestRoundTrip::init() { FDir = std::make_unique<QTemporaryDir>(); }

void TestRoundTrip::fixturesSurviveOpenAndSave_data() {
  QTest::addColumn<QString>("fixture");
  QTest::addColumn<QString>("encoding");
  QTest::addColumn<bool>("altered");  // decoding changed the text: saving over the file asks
  QTest::newRow("ansi-1252-specials") << "ansi-1252-specials.txt" << "ANSI" << false;
  QTest::newRow("ansi-cafe") << "ansi-cafe.txt" << "ANSI" << false;
  QTest::newRow("empty") << "empty.txt" << "UTF-8" << false;
  QTest::newRow("utf8-no-bom") << "utf8-no-bom.txt" << "UTF-8" << false;
  QTest::newRow("utf8-bom-only") << "utf8-bom-only.txt" << "UTF-8-BOM" << false;
  QTest::newRow("utf8-bom-two-lines") << "utf8-bom-two-lines.txt" << "UTF-8-BOM" << false;
  QTest::newRow("utf16be-bom") << "utf16be-bom.txt" << "UTF-16 BE BOM" << false;
  QTest::newRow("utf16le-bom") << "utf16le-bom.txt" << "UTF-16 LE BOM" << false;
  QTest::newRow("controls_shown_as_dots") << "controls.txt" << "UTF-8" << true;
  QTest::newRow("utf16le-odd-byte_dropped") << "utf16le-odd-byte.txt" << "UTF-16 LE BOM" << true;
  QTest::newRow("utf32le-mark_zero_units") << "utf32le-mark.txt" << "UTF-16 LE BOM" << true;
}

void TestRoundTrip::fixturesSurviveOpenAndSave() {
  QFETCH(QString, fixture);
  QFETCH(QString, encoding);
  QFETCH(bool, altered);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QByteArray original = ReadBytes(QUENNET_FIXTURES "/encodings/" + fixture);
  const QString path = Make(fixture, original);
  w->OpenFile(path);
  QVERIFY2(boxes.Asked.isEmpty(), qPrintable(boxes.Texts().join('|')));
  QCOMPARE(EncKindName(w->ActiveDoc()->EncKind), encoding);
  QVERIFY(w->StatusLabel()->text().contains("   |   " + encoding + "   |   "));
  const QString altering =
      "This file contained characters or lines that could not be loaded exactly. Saving will change them. "
      "Save anyway?";
  if (altered) {
    boxes.Answers = {TAnswer::No};
    QVERIFY(!w->SaveDoc(w->ActiveDoc(), false));
    QCOMPARE(boxes.Texts(), QStringList{altering});
    QCOMPARE(ReadBytes(path), original);
    // Saved elsewhere, the question does not arise, and the copy holds what is shown.
    const QString other = FDir->filePath("other.bin");
    w->AskSavePath = [&](const QString &) { return other; };
    QVERIFY(w->SaveDoc(w->ActiveDoc(), true));
    QCOMPARE(boxes.Asked.size(), 1);
    QVERIFY(ReadBytes(other) != original);
    QCOMPARE(ReadBytes(path), original);
    return;
  }
  QVERIFY(w->SaveDoc(w->ActiveDoc(), false));
  QVERIFY(boxes.Asked.isEmpty());
  QCOMPARE(ReadBytes(path), original);
}

void TestRoundTrip::alteredLoadsAskBeforeSaving_data() {
  QTest::addColumn<QByteArray>("bytes");
  const QByteArray filler = QByteArray("plain line\n").repeated(110000);  // past 1 MiB: background road
  QTest::newRow("control_character_direct") << QByteArray("a\x01z\n");
  QTest::newRow("control_character_background") << filler + "a\x02z\n";
  QTest::newRow("long_line_cut_direct") << QByteArray(70000, 'x');
  QTest::newRow("long_line_cut_background") << filler + QByteArray(70000, 'x');
  QTest::newRow("invalid_utf8_past_first_mib_background") << filler + "caf\xC3\xA9 \xFF\n";
}

void TestRoundTrip::alteredLoadsAskBeforeSaving() {
  QFETCH(QByteArray, bytes);
  TScriptedBoxes boxes;
  const QString path = Make("altered.txt", bytes);
  auto w = MakeWindow(*FDir);
  w->OpenFile(path);
  QVERIFY(WaitForLoads(*w));
  QVERIFY(boxes.Asked.isEmpty());
  boxes.Answers = {TAnswer::No, TAnswer::Yes};
  QVERIFY(!w->SaveDoc(w->ActiveDoc(), false));
  QCOMPARE(boxes.Asked.size(), 1);
  QVERIFY(boxes.Asked[0].Text.startsWith("This file contained characters or lines that could not be loaded exactly."));
  QCOMPARE(ReadBytes(path), bytes);
  QVERIFY(w->SaveDoc(w->ActiveDoc(), false));
  QCOMPARE(boxes.Asked.size(), 2);
  QVERIFY(ReadBytes(path) != bytes);
  QVERIFY(w->SaveDoc(w->ActiveDoc(), false));  // the file now holds what is shown
  QCOMPARE(boxes.Asked.size(), 2);
}

void TestRoundTrip::largeFilesSurviveBackgroundLoadAndSave_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("eol");
  const char *eolNames[] = {"crlf", "lf", "cr"};
  const QString eols[] = {"\r\n", "\n", "\r"};
  for (int kind = ekAnsi; kind <= ekUtf16LeBom; ++kind)
    for (int e = 0; e < 3; ++e)
      QTest::addRow("%s_%s", qPrintable(EncKindName(kind)), eolNames[e]) << kind << eols[e];
}

// Over 1 MiB the file goes through the background loader; the result must be the same.
void TestRoundTrip::largeFilesSurviveBackgroundLoadAndSave() {
  QFETCH(int, kind);
  QFETCH(QString, eol);
  TScriptedBoxes boxes;
  const QString line = kind == ekAnsi ? QString::fromUtf16(u"caf\u00e9 \u20ac line") : QString::fromUtf16(u"z\u00e9 \u65e5\U0001F600 line");
  QString text;
  while (text.size() < 1200000) text += line + QString::number(text.size()) + eol;
  text += "last";
  const TEncoding *encoding = EncodingOfKind(kind);
  const bool mark = kind == ekUtf8Bom || kind == ekUtf16BeBom || kind == ekUtf16LeBom;
  const QByteArray bytes = (mark ? encoding->Preamble() : QByteArray()) + encoding->Encode(text);
  QVERIFY(bytes.size() > 1048576);
  const QString path = Make("big.txt", bytes);
  auto w = MakeWindow(*FDir);
  w->OpenFile(path);
  QVERIFY(w->ActiveDoc()->IsLoading);
  QVERIFY(WaitForLoads(*w));
  QVERIFY(!w->ActiveDoc()->IsLoading);
  QCOMPARE(int(w->ActiveDoc()->EncKind), kind);
  QCOMPARE(w->ActiveDoc()->EOL, eol);
  QCOMPARE(w->ActiveEditor()->Lines().LineBreak(), eol);
  QVERIFY(!w->ActiveEditor()->Modified());
  QVERIFY(w->SaveDoc(w->ActiveDoc(), false));
  QVERIFY(boxes.Asked.isEmpty());
  QVERIFY(ReadBytes(path) == bytes);
}

// One CR LF among LF breaks: the document takes CR LF, and the store must agree, or offsets and
// the save would count different breaks.
void TestRoundTrip::mixedBreaksSaveWithTheDocumentsBreak() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString path = Make("mixed.txt", ReadBytes(QUENNET_FIXTURES "/encodings/crlf-once-lf-ten.txt"));
  w->OpenFile(path);
  QCOMPARE(w->ActiveDoc()->EOL, "\r\n");
  QCOMPARE(w->ActiveEditor()->Lines().LineBreak(), "\r\n");
  QCOMPARE(w->ActiveEditor()->CoordToOffset({1, 3}), 6);
  QVERIFY(w->StatusLabel()->text().contains("Windows (CR LF)"));
  QVERIFY(w->SaveDoc(w->ActiveDoc(), false));
  QCOMPARE(ReadBytes(path), QByteArray("a\r\nb\r\nb\r\nb\r\nb\r\nb\r\nb\r\nb\r\nb\r\nb\r\nb\r\n"));
}

void TestRoundTrip::statusSizeIsTheSizeASaveWrites_data() {
  QTest::addColumn<QString>("fixture");
  QTest::newRow("crlf_once_lf_ten") << "crlf-once-lf-ten.txt";
  QTest::newRow("utf16le_bom") << "utf16le-bom.txt";
  QTest::newRow("utf8_bom_two_lines") << "utf8-bom-two-lines.txt";
}

void TestRoundTrip::statusSizeIsTheSizeASaveWrites() {
  QFETCH(QString, fixture);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString path = Make(fixture, ReadBytes(QUENNET_FIXTURES "/encodings/" + fixture));
  w->OpenFile(path);
  TMEEdit *editor = w->ActiveEditor();
  editor->SetCaretXY({1, 2});
  Type(editor, QString::fromUtf16(u"\u00e9\r\nnew line\r\n"));
  const QString shown = w->StatusLabel()->text().section("   |   ", 6);
  QVERIFY(w->SaveDoc(w->ActiveDoc(), false));
  QCOMPARE(shown, FormatSize(QFileInfo(path).size()));
  // And an untitled document as it is typed, from its first character.
  w->NewDoc();
  Type(w->ActiveEditor(), "ab\r\ncd");
  QCOMPARE(w->StatusLabel()->text().section("   |   ", 6), "6 B");
}

// A large file's lines are counted on a worker after the load; typing before or after that count
// ends must both show what a save writes.
void TestRoundTrip::statusSizeAfterBackgroundLoad() {
  TScriptedBoxes boxes;
  const QString path = Make("big.txt", QByteArray("\xEF\xBB\xBF") + QByteArray("caf\xC3\xA9\n").repeated(250000));
  auto w = MakeWindow(*FDir);
  for (bool waitForCount : {false, true}) {
    w->OpenFile(path);
    QVERIFY(WaitForLoads(*w));
    TEditorDoc *doc = w->ActiveDoc();
    QCOMPARE(w->StatusLabel()->text().section("   |   ", 6), FormatSize(QFileInfo(path).size()));
    if (waitForCount) QTRY_VERIFY(!doc->Size.Pending());
    w->ActiveEditor()->SetCaretXY({1, 2});
    Type(w->ActiveEditor(), QString::fromUtf16(u"\u20ac\r\n"));
    const QString shown = w->StatusLabel()->text().section("   |   ", 6);
    QVERIFY(w->SaveDoc(doc, false));
    QCOMPARE(shown, FormatSize(QFileInfo(path).size()));
    QVERIFY(w->CloseDoc(doc));
    w->AfterClose();
  }
  QVERIFY(boxes.Asked.isEmpty());
}

void TestRoundTrip::loadingTabIsReadOnlyAndRefusesSaveAndReload() {
  TScriptedBoxes boxes;
  const QByteArray bytes = QByteArray("line\n").repeated(300000);
  const QString path = Make("big.log", bytes);
  auto w = MakeWindow(*FDir);
  w->OpenFile(path);
  TEditorDoc *doc = w->ActiveDoc();
  QVERIFY(doc->IsLoading);
  QVERIFY(w->Progress()->isVisibleTo(w.get()));
  QVERIFY(w->StatusLabel()->text().startsWith("Loading big.log ... "));
  QVERIFY(w->ActiveEditor()->ReadOnly());
  Type(w->ActiveEditor(), "lost");
  QVERIFY(!w->ActiveEditor()->Modified());
  QVERIFY(!w->SaveDoc(doc, false));
  w->ReloadDoc(doc);
  QCOMPARE(boxes.Asked.size(), 2);
  QVERIFY(boxes.Texts()[0].contains("still loading"));
  QCOMPARE(ReadBytes(path).size(), bytes.size());
  QVERIFY(WaitForLoads(*w));
  QVERIFY(!w->Progress()->isVisibleTo(w.get()));
  QVERIFY(w->StatusLabel()->text().startsWith("Ln 1   |   Col 1   |   UTF-8   |   300.001 lines"));
  QVERIFY(!w->ActiveEditor()->ReadOnly());
  QCOMPARE(w->ActiveEditor()->LineText(1), "line");
  Type(w->ActiveEditor(), "x");
  QVERIFY(w->ActiveEditor()->Modified());
}

void TestRoundTrip::closingLoadingTabDiscardsResult() {
  TScriptedBoxes boxes;
  const QString a = Make("a.log", QByteArray("a\n").repeated(600000));
  const QString b = Make("b.log", QByteArray("b\n").repeated(600000));
  auto w = MakeWindow(*FDir);
  w->OpenFiles({a, b});
  QCOMPARE(w->ActiveLoads(), 2);
  w->ActivateDoc(w->FindDocByFileName(a)->Id);
  RunCommand(*w, "miClose");
  QVERIFY(WaitForLoads(*w));
  QVERIFY(boxes.Asked.isEmpty());
  QCOMPARE(w->Tabs()->count(), 1);
  QCOMPARE(w->ActiveDoc()->FileName, b);
  QCOMPARE(w->ActiveEditor()->LineText(1), "b");
  QVERIFY(!w->Progress()->isVisibleTo(w.get()));
}

void TestRoundTrip::closedLoadNeverReachesLaterTabs_data() {
  QTest::addColumn<bool>("openAnother");
  QTest::newRow("theUntitledTabThatTakesItsPlaceStaysEmpty") << false;
  QTest::newRow("aFileOpenedNextShowsItsOwnText") << true;
}

// The tabs made after a loading tab was closed are new documents, whatever memory they reuse: the
// closed one's lines reach none of them, and its load stops and is counted as ended.
void TestRoundTrip::closedLoadNeverReachesLaterTabs() {
  QFETCH(bool, openAnother);
  TScriptedBoxes boxes;
  const QString big = Make("big.log", QByteArray("big line\n").repeated(300000));
  const QString small = Make("b.txt", "bee\n");
  auto w = MakeWindow(*FDir);
  w->OpenFile(big);
  const TDocId loading = w->ActiveDoc()->Id;
  QCOMPARE(w->ActiveLoads(), 1);
  RunCommand(*w, "miClose");
  QVERIFY(!w->FindDoc(loading));
  QCOMPARE(w->Tabs()->count(), 1);
  if (openAnother) {
    RunCommand(*w, "miClose");  // the untitled tab, so the next one is made afresh
    w->OpenFile(small);
  }
  QVERIFY(WaitForLoads(*w));
  w->ActivateDoc(loading);  // as a Find Tab row of the closed document would
  QCOMPARE(w->Tabs()->count(), 1);
  QCOMPARE(w->ActiveDoc()->FileName, openAnother ? small : QString());
  QCOMPARE(w->ActiveEditor()->GetText(), openAnother ? QString("bee\n") : QString());
  QVERIFY(!w->ActiveEditor()->Modified());
  QVERIFY(!w->Progress()->isVisibleTo(w.get()));
  QVERIFY(w->StatusLabel()->text().startsWith("Ln 1   |   Col 1"));
  if (openAnother) {
    QVERIFY(w->SaveDoc(w->ActiveDoc(), false));
    QCOMPARE(ReadBytes(small), QByteArray("bee\n"));
  }
  QVERIFY(boxes.Asked.isEmpty());
}

// Loaders still running must not hand their results to a window that is gone.
void TestRoundTrip::destroyingWindowWhileLoadingIsSafe() {
  TScriptedBoxes boxes;
  const QString path = Make("big.log", QByteArray("0123456789\n").repeated(1000000));
  {
    auto w = MakeWindow(*FDir);
    w->OpenFile(path);
    w->OpenFile(Make("second.log", QByteArray("x\n").repeated(600000)));
    QCoreApplication::processEvents();
    QCOMPARE(w->ActiveLoads(), 2);
  }
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  QVERIFY(boxes.Asked.isEmpty());
}

QTEST_MAIN(TestRoundTrip)
#include "test_roundtrip.moc"
