// The text tools between their rules and the user: each command's result is one undo group that
// also restores the line break and the CSV delimiter it changed, the document is taken by id when
// the command starts, a document still loading is refused, a rule's failure is reported with its
// title, and a rule that runs long shows Cancel, which leaves the document as it was.
#include "AppTestUtil.h"
#include "tests/LineDump.h"

#include "app/menus/Command.h"
#include "app/menus/EditMenu.h"
#include "app/search/ResultsPanel.h"
#include "app/tools/TextDriver.h"
#include "app/tools/ToolWork.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QMenu>
#include <QProgressDialog>
#include <QSemaphore>
#include <QTimer>

#include <stdexcept>

namespace {

QString Lines(TMEEdit *editor) { return DumpLines(editor->Lines().Lines()); }
// Lines given with "|" between them, dumped as Lines dumps a document.
QString Dump(const QString &lines) { return DumpLines(lines.split(u'|')); }

void SetLines(TMEEdit *editor, const QString &lines) {
  editor->SetText(QString(lines).replace(u'|', u'\n'));
}

const TCommand &CommandNamed(TfrmMain &window, const QString &name) {
  for (const TCommand &command : window.Commands().Commands())
    if (command.Name == name) return command;
  qFatal("no command %s", qPrintable(name));
}

// Does action once the busy box of a long rule shows, then stops looking.
class TWhenBusy {
 public:
  explicit TWhenBusy(std::function<void(QProgressDialog &)> action) : FAction(std::move(action)) {
    QObject::connect(&FTimer, &QTimer::timeout, [this] {
      auto *busy = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
      if (!busy || busy->objectName() != KToolProgressName) return;
      FTimer.stop();
      FSeen = true;
      FAction(*busy);
    });
    FTimer.start(10);
  }
  bool Seen() const { return FSeen; }

 private:
  std::function<void(QProgressDialog &)> FAction;
  QTimer FTimer;
  bool FSeen = false;
};

}  // namespace

class TestTextTools : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init() { FDir = std::make_unique<QTemporaryDir>(); }
  void lineCommandIsOneUndoGroup_data();
  void lineCommandIsOneUndoGroup();
  void rangeInTheMiddleReplacedAsOneBlock();
  void convertLineBreaksUndoRestoresTheBreakSaved();
  void replaceDelimiterUndoRestoresStoredDelimiter();
  void customDelimiterRefusedWithWarning();
  void toolsRefuseALoadingDocument();
  void ruleFailureReportedWithItsTitle();
  void errorEscapingALineProcedureIsReported();
  void cancelLeavesTheDocumentUnchanged();
  void documentTakenByIdWhenTheCommandStarts();
  void documentClosedWhileTheRuleRunsIsLeftAlone();
  void prefixSuffixCancelledOrEmptyChangesNothing();
  void timestampFailureShowsTheFixedMessage();

 private:
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestTextTools::lineCommandIsOneUndoGroup_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("before");
  QTest::addColumn<QString>("after");
  QTest::newRow("sort_keeps_final_break_at_the_end") << "miSortLines" << "b|A|c|" << "A|b|c|";
  QTest::newRow("reverse_keeps_final_break_at_the_end") << "miReverseLines" << "1|2|3|" << "3|2|1|";
  QTest::newRow("duplicates_compared_exactly") << "miRemoveDupLines" << "a|b|a|a\u00ADb|ab" << "a|b|a\u00ADb|ab";
  QTest::newRow("empty_lines_removed_to_the_end") << "miRemoveEmptyLines" << "a| \t|b|" << "a|b|";
  QTest::newRow("trim_both") << "miTrimBoth" << "  a \t|b  " << "a|b";
  QTest::newRow("eol_to_space_whole_text") << "miEOLToSpace" << "a|b|c" << "a b c";
  QTest::newRow("base64_whole_text") << "miEncBase64Enc" << "Hi" << "SGk=";
}

void TestTextTools::lineCommandIsOneUndoGroup() {
  QFETCH(QString, command);
  QFETCH(QString, before);
  QFETCH(QString, after);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  TMEEdit *editor = w->ActiveEditor();
  SetLines(editor, before);
  RunCommand(*w, command);
  QCOMPARE(Lines(editor), Dump(after));
  QVERIFY(editor->Modified());
  editor->Undo();
  QCOMPARE(Lines(editor), Dump(before));
  QVERIFY(!editor->CanUndo());
  QVERIFY(boxes.Asked.isEmpty());
}

// Lines 3 to 5 of 7, selected from the bottom up and ending at the start of line 6: the rest stays
// where it was and the change is one record that exchanges those three lines.
void TestTextTools::rangeInTheMiddleReplacedAsOneBlock() {
  auto w = MakeWindow(*FDir);
  TMEEdit *editor = w->ActiveEditor();
  SetLines(editor, "x|y|c|a|b|z|w");
  editor->SetCaretAndSelection({1, 3}, {1, 6}, {1, 3});
  RunCommand(*w, "miSortLines");
  QCOMPARE(Lines(editor), "x|y|a|b|c|z|w");
  QCOMPARE(editor->Document().UndoList().DebugDump(),
           "undo:\n  block g1 (1,3)-(1,6) 3 for \"c\\r\\na\\r\\nb\"\nredo:\n");
  editor->Undo();
  QCOMPARE(Lines(editor), "x|y|c|a|b|z|w");
}

// Only the break changes: the lines, the final empty one included, stay; Undo brings the old break
// back, and a save after Undo writes it.
void TestTextTools::convertLineBreaksUndoRestoresTheBreakSaved() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString path = MakeFile(*FDir, "crlf.txt", "a\r\nb\r\n\r\n");
  w->OpenFile(path);
  TEditorDoc *doc = w->ActiveDoc();
  TMEEdit *editor = doc->Editor;
  QVERIFY(!CommandNamed(*w, "miEOLWindows").Enabled());
  QVERIFY(CommandNamed(*w, "miEOLWindows").Checked());
  RunCommand(*w, "miEOLUnix");
  QCOMPARE(doc->EOL, "\n");
  QCOMPARE(Lines(editor), "a|b||");
  QVERIFY(editor->Modified());
  QVERIFY(CommandNamed(*w, "miEOLUnix").Checked());
  QVERIFY(w->StatusText().contains("Unix (LF)"));
  editor->Undo();
  QCOMPARE(doc->EOL, "\r\n");
  QVERIFY(w->SaveDoc(doc, false));
  QCOMPARE(ReadBytes(path), "a\r\nb\r\n\r\n");
  editor->Redo();
  QCOMPARE(doc->EOL, "\n");
  QVERIFY(w->SaveDoc(doc, false));
  QCOMPARE(ReadBytes(path), "a\nb\n\n");
}

void TestTextTools::replaceDelimiterUndoRestoresStoredDelimiter() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  TEditorDoc *doc = w->ActiveDoc();
  TMEEdit *editor = doc->Editor;
  SetLines(editor, "a,b|c,\"d;e\"");
  RunCommand(*w, "miCsvRepSemicolon");
  QCOMPARE(Lines(editor), "a;b|c;\"d;e\"");
  QCOMPARE(doc->CsvDelim, ";");
  QVERIFY(CommandNamed(*w, "miCsvDelimSemicolon").Checked());
  editor->Undo();
  QCOMPARE(Lines(editor), "a,b|c,\"d;e\"");
  QCOMPARE(doc->CsvDelim, "");
  // Detected again, so Remove Column(s) takes the commas' columns.
  SetPromptAnswerer([](const TPromptRequest &) { return std::optional<QString>("2"); });
  RunCommand(*w, "miCsvRemoveCols");
  SetPromptAnswerer(nullptr);
  QCOMPARE(Lines(editor), "a|c");
  QVERIFY(boxes.Asked.isEmpty());
}

void TestTextTools::customDelimiterRefusedWithWarning() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  TEditorDoc *doc = w->ActiveDoc();
  SetLines(doc->Editor, "a,b");
  RunCommand(*w, "miCsvDelimPipe");
  for (const QString answer : {"\"", "ab"}) {
    SetPromptAnswerer([answer](const TPromptRequest &request) {
      return request.Title == "Custom Delimiter" ? std::optional<QString>(answer) : std::nullopt;
    });
    RunCommand(*w, "miCsvDelimCustom");
    RunCommand(*w, "miCsvRepCustom");
  }
  SetPromptAnswerer(nullptr);
  QCOMPARE(doc->CsvDelim, "|");
  QCOMPARE(Lines(doc->Editor), "a,b");
  QCOMPARE(boxes.Texts(), QStringList(4, "The delimiter must be exactly one character."));
}

// The menu shows every tool disabled, and a shortcut that runs one anyway is refused.
void TestTextTools::toolsRefuseALoadingDocument() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  const QString big = MakeFile(*FDir, "big.log", QByteArray("b\na\n").repeated(400000));
  w->OpenFile(big);
  TEditorDoc *doc = w->ActiveDoc();
  QVERIFY(doc->IsLoading);
  for (const QString name : {"miSortLines", "miEncBase64Enc", "miCaseUpper", "miCsvQuoteAll", "miExtractUrls",
                             "miSigAll", "miEOLUnix", "cmBase64Encode"})
    QVERIFY2(!CommandNamed(*w, name).Enabled(), qPrintable(name));
  RunCommand(*w, "miSortLines");
  RunCommand(*w, "miExtractIPv4");
  RunCommand(*w, "miSigAll");
  QCOMPARE(boxes.Texts(), QStringList(3, doc->StillLoadingText()));
  QVERIFY(WaitForLoads(*w));
  QCOMPARE(doc->Editor->LineText(1), "b");
  QVERIFY(!w->ResultsPanel()->Scanning());
}

void TestTextTools::ruleFailureReportedWithItsTitle() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  TMEEdit *editor = w->ActiveEditor();
  SetLines(editor, "100%|x");
  editor->SetCaretAndSelection({5, 1}, {1, 1}, {5, 1});
  RunCommand(*w, "cmUrlDecode");
  QCOMPARE(boxes.Asked.size(), 1);
  QCOMPARE(boxes.Asked[0].Kind, TMessageKind::Error);
  QVERIFY2(boxes.Asked[0].Text.startsWith("URL Decode failed: "), qPrintable(boxes.Asked[0].Text));
  QCOMPARE(Lines(editor), "100%|x");
  QVERIFY(!editor->CanUndo());
}

void TestTextTools::errorEscapingALineProcedureIsReported() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  TMEEdit *editor = w->ActiveEditor();
  SetLines(editor, "b|a");
  w->EditMenu().Driver().TransformLines([](QStringList &) { throw std::runtime_error("no room"); }, "Sort Lines");
  QCOMPARE(boxes.Texts(), QStringList{"Sort Lines failed: no room"});
  QCOMPARE(Lines(editor), "b|a");
  QVERIFY(!editor->CanUndo());
}

void TestTextTools::cancelLeavesTheDocumentUnchanged() {
  auto w = MakeWindow(*FDir);
  TMEEdit *editor = w->ActiveEditor();
  SetLines(editor, "b|a");
  auto release = std::make_shared<QSemaphore>();
  TWhenBusy busy([](QProgressDialog &progress) { progress.cancel(); });
  w->EditMenu().Driver().TransformLines([release](QStringList &lines) {
    release->acquire();
    lines.sort();
  }, "Sort Lines");
  release->release();
  QVERIFY(busy.Seen());
  QCOMPARE(Lines(editor), "b|a");
  QVERIFY(!editor->Modified());
  QVERIFY(!editor->CanUndo());
}

// While the rule runs another tab becomes the active one: the result still goes to the document
// the command started on.
void TestTextTools::documentTakenByIdWhenTheCommandStarts() {
  auto w = MakeWindow(*FDir);
  TEditorDoc *first = w->ActiveDoc();
  SetLines(first->Editor, "b|a");
  w->NewDoc();
  TEditorDoc *second = w->ActiveDoc();
  SetLines(second->Editor, "y|x");
  w->ActivateDoc(first->Id);
  auto release = std::make_shared<QSemaphore>();
  TWhenBusy busy([&](QProgressDialog &) {
    w->ActivateDoc(second->Id);
    release->release();
  });
  w->EditMenu().Driver().TransformLines([release](QStringList &lines) {
    release->acquire();
    lines.sort();
  }, "Sort Lines");
  QVERIFY(busy.Seen());
  QCOMPARE(Lines(first->Editor), "a|b");
  QCOMPARE(Lines(second->Editor), "y|x");
}

void TestTextTools::documentClosedWhileTheRuleRunsIsLeftAlone() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  w->NewDoc();
  TEditorDoc *doc = w->ActiveDoc();
  SetLines(doc->Editor, "b|a");
  doc->Editor->SetModified(false);
  const TDocId id = doc->Id;
  auto release = std::make_shared<QSemaphore>();
  TWhenBusy busy([&](QProgressDialog &) {
    w->CloseDoc(w->FindDoc(id));
    release->release();
  });
  w->EditMenu().Driver().TransformLines([release](QStringList &lines) {
    release->acquire();
    lines.sort();
  }, "Sort Lines");
  QVERIFY(busy.Seen());
  QVERIFY(!w->FindDoc(id));
  QVERIFY(boxes.Asked.isEmpty());
}

void TestTextTools::prefixSuffixCancelledOrEmptyChangesNothing() {
  auto w = MakeWindow(*FDir);
  TMEEdit *editor = w->ActiveEditor();
  SetLines(editor, "a|b");
  QStringList captions;
  QString prefix, suffix;
  bool apply = false;
  w->EditMenu().AskPrefixSuffix = [&](const QString &caption, QString &p, QString &s) {
    captions << caption;
    p = prefix;
    s = suffix;
    return apply;
  };
  prefix = "<";
  RunCommand(*w, "miAddPrefixSuffix");
  apply = true;
  prefix.clear();
  RunCommand(*w, "miAddPrefixSuffix");
  QCOMPARE(Lines(editor), "a|b");
  prefix = "<";
  suffix = ">";
  RunCommand(*w, "miAddPrefixSuffix");
  QCOMPARE(Lines(editor), Dump("<a>|<b>"));
  prefix = "<a";
  RunCommand(*w, "miRemovePrefixSuffix");
  QCOMPARE(Lines(editor), Dump("|<b"));
  QCOMPARE(captions, QStringList({"Add Prefix/Suffix to Lines", "Add Prefix/Suffix to Lines",
                                  "Add Prefix/Suffix to Lines", "Remove Prefix/Suffix from Lines"}));
}

void TestTextTools::timestampFailureShowsTheFixedMessage() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  TMEEdit *editor = w->ActiveEditor();
  SetLines(editor, "abc 99999999999999");
  editor->SetCaretAndSelection({4, 1}, {1, 1}, {4, 1});
  QVERIFY(!CommandNamed(*w, "cmTimestampIsoDate").Enabled());
  RunCommand(*w, "cmTimestampIsoDate");
  editor->SetCaretAndSelection({19, 1}, {5, 1}, {19, 1});
  QVERIFY(CommandNamed(*w, "cmTimestampIsoDate").Enabled());
  RunCommand(*w, "cmTimestampIsoDate");
  QCOMPARE(boxes.Asked.size(), 2);
  QCOMPARE(boxes.Asked[0].Text, "Failed to convert timestamp to date");
  QVERIFY(boxes.Asked[1].Text.startsWith("Failed to convert timestamp to date"));
  editor->SetCaretAndSelection({2, 1}, {1, 1}, {2, 1});
  SetLines(editor, "0");
  editor->SetCaretAndSelection({2, 1}, {1, 1}, {2, 1});
  RunCommand(*w, "cmTimestampMySqlDate");
  QCOMPARE(editor->LineText(1), QDateTime::fromSecsSinceEpoch(0).toString("yyyy-MM-dd"));
}

QTEST_MAIN(TestTextTools)
#include "test_text_tools.moc"
