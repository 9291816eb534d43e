// The Tools menu from the main window: which documents "Compare Two Files" takes and in which
// order, the compare window kept by document ids (a side closed meanwhile compares as empty and is
// never jumped to, a jump to the other side lands on its line), and the paths the File Hash
// Calculator takes from a selection — quoted, relative to the document's folder, or none.
#include "AppTestUtil.h"

#include "app/compare/CompareForm.h"
#include "app/compare/PickDocument.h"
#include "app/hash/HashCalcForm.h"
#include "app/menus/ToolsMenu.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QScopeGuard>
#include <QTabBar>

namespace {

bool WaitForDiff(TfrmCompare &form) {
  QSignalSpy shown(&form, &TfrmCompare::DiffShown);
  return !form.Busy() || shown.wait(20000);
}

bool WaitForHash(TfrmHashCalc &form) {
  QSignalSpy ended(&form, &TfrmHashCalc::HashEnded);
  return !form.Busy() || ended.wait(20000);
}

// Selects text on the active editor's line.
void Select(TMEEdit *editor, int line, int from, int to) { editor->SetCaretAndSelection({to, line}, {from, line}, {to, line}); }

}  // namespace

class TestToolsMenu : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void compareNeedsTwoDocuments();
  void twoDocumentsInTabOrder();
  void moreDocumentsArePickedTwice();
  void openWindowIsBroughtBackNotRedone();
  void closedSideComparesEmptyAndIsNotJumpedTo();
  void closedWindowLetsANewComparisonStart();
  void hashTakesTheSelectedPath_data();
  void hashTakesTheSelectedPath();
  void hashWithoutAPathOpensOnTheDocument();

 private:
  QString Make(const QString &name, const QByteArray &bytes) { return MakeFile(*FDir, name, bytes); }
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestToolsMenu::init() { FDir = std::make_unique<QTemporaryDir>(); }

void TestToolsMenu::compareNeedsTwoDocuments() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  RunCommand(*w, "miCompare");
  QCOMPARE(boxes.Texts(), QStringList{"Open at least two files (tabs) to compare."});
  QCOMPARE(boxes.Asked[0].Kind, TMessageKind::Information);
  QVERIFY(!w->ToolsMenu().CompareForm());
}

void TestToolsMenu::twoDocumentsInTabOrder() {
  auto w = MakeWindow(*FDir);
  const QString a = Make("a.txt", "one\ntwo\n"), b = Make("b.txt", "one\n2\n");
  w->OpenFiles({a, b});
  QCOMPARE(w->Tabs()->count(), 2);
  // b's tab moved to the left: b is the left side.
  w->Tabs()->tabBar()->moveTab(1, 0);
  RunCommand(*w, "miCompare");
  TfrmCompare *form = w->ToolsMenu().CompareForm();
  QVERIFY(form);
  QVERIFY(WaitForDiff(*form));
  QCOMPARE(form->windowTitle(), "Compare: b.txt  <->  a.txt");
  QCOMPARE(w->ToolsMenu().ComparedLeft(), w->FindDocByFileName(b)->Id);
  QCOMPARE(form->LeftPane()->Lines().Lines(), (QStringList{"one", "2", ""}));
  QStringList tips;
  for (const QLabel *label : form->findChildren<QLabel *>()) tips << label->toolTip();
  QVERIFY(tips.contains(a) && tips.contains(b));
}

void TestToolsMenu::moreDocumentsArePickedTwice() {
  auto w = MakeWindow(*FDir);
  w->OpenFiles({Make("a.txt", "a\n"), Make("b.txt", "b\n"), Make("c.txt", "c\n")});
  const std::vector<TDocId> tabs = w->TabOrder();
  QList<TPickDocumentRequest> asked;
  w->ToolsMenu().PickDocument = [&](const TPickDocumentRequest &request) {
    asked << request;
    return asked.size() == 1 ? tabs[1] : request.Choices.back().first;
  };
  RunCommand(*w, "miCompare");
  QCOMPARE(asked.size(), 2);
  QCOMPARE(asked[0].Title, "Compare | Step 1/2");
  QCOMPARE(asked[0].Header, "You need to select two files to compare.");
  QCOMPARE(asked[0].Prompt, "Select the FIRST (left) file to compare:");
  QCOMPARE(asked[0].Choices.size(), size_t(3));
  QCOMPARE(asked[1].Title, "Compare | Step 2/2");
  QCOMPARE(asked[1].Prompt, "Select the SECOND (right) file to compare:");
  QStringList second;
  for (const auto &choice : asked[1].Choices) second << choice.second;
  QCOMPARE(second, (QStringList{"a.txt", "c.txt"}));  // the first choice is not offered again
  QVERIFY(w->ToolsMenu().CompareForm());
  QCOMPARE(w->ToolsMenu().CompareForm()->windowTitle(), "Compare: b.txt  <->  c.txt");
  QVERIFY(WaitForDiff(*w->ToolsMenu().CompareForm()));
  w->ToolsMenu().CompareForm()->close();
  QTRY_VERIFY(!w->ToolsMenu().CompareForm());
  // Cancelling a step ends the command quietly.
  asked.clear();
  w->ToolsMenu().PickDocument = [&](const TPickDocumentRequest &request) {
    asked << request;
    return asked.size() == 1 ? tabs[0] : KNoDoc;
  };
  TScriptedBoxes boxes;
  RunCommand(*w, "miCompare");
  QCOMPARE(asked.size(), 2);
  QVERIFY(!w->ToolsMenu().CompareForm());
  QVERIFY(boxes.Asked.isEmpty());
}

void TestToolsMenu::openWindowIsBroughtBackNotRedone() {
  auto w = MakeWindow(*FDir);
  w->OpenFiles({Make("a.txt", "a\n"), Make("b.txt", "b\n")});
  RunCommand(*w, "miCompare");
  QPointer<TfrmCompare> form = w->ToolsMenu().CompareForm();
  QVERIFY(WaitForDiff(*form));
  QSignalSpy shown(form.data(), &TfrmCompare::DiffShown);
  form->showMinimized();
  RunCommand(*w, "miCompare");
  QCOMPARE(w->ToolsMenu().CompareForm(), form.data());
  QVERIFY(!form->Busy());
  QVERIFY(!form->isMinimized());
  QCOMPARE(shown.size(), 0);
}

void TestToolsMenu::closedSideComparesEmptyAndIsNotJumpedTo() {
  auto w = MakeWindow(*FDir);
  const QString a = Make("a.txt", "same\nleft only\nsame 2\n"), b = Make("b.txt", "same\nright only\nsame 2\nmore\n");
  w->OpenFiles({a, b});
  RunCommand(*w, "miCompare");
  TfrmCompare *form = w->ToolsMenu().CompareForm();
  QVERIFY(WaitForDiff(*form));
  TEditorDoc *left = w->FindDocByFileName(a);
  TEditorDoc *right = w->FindDocByFileName(b);
  // A jump to the right side lands on its line, in its tab.
  form->RightPane()->SetCaretXY({1, 4});
  form->JumpToSource(form->RightPane());
  QCOMPARE(w->ActiveDoc(), right);
  QCOMPARE(right->Editor->CaretXY(), (TBufferCoord{1, 4}));
  // The left document goes; a new one takes the freed place.
  QVERIFY(w->CloseDoc(left));
  w->AfterClose();
  w->OpenFile(Make("c.txt", "same\n"));
  TEditorDoc *newcomer = w->ActiveDoc();
  QVERIFY(newcomer != right);
  newcomer->Editor->SetCaretXY({1, 2});
  form->LeftPane()->SetCaretXY({1, 1});
  form->JumpToSource(form->LeftPane());
  QCOMPARE(w->ActiveDoc(), newcomer);
  QCOMPARE(newcomer->Editor->CaretXY(), (TBufferCoord{1, 2}));
  // Reload: the closed side is empty now.
  QSignalSpy shown(form, &TfrmCompare::DiffShown);
  form->Reload();
  QVERIFY(shown.wait(20000));
  QVERIFY(form->LeftPane()->Lines().Lines().join("").isEmpty());
  QCOMPARE(form->RightPane()->Lines().Lines(), (QStringList{"same", "right only", "same 2", "more", ""}));
}

void TestToolsMenu::closedWindowLetsANewComparisonStart() {
  auto w = MakeWindow(*FDir);
  w->OpenFiles({Make("a.txt", "a\n"), Make("b.txt", "b\n")});
  RunCommand(*w, "miCompare");
  QPointer<TfrmCompare> first = w->ToolsMenu().CompareForm();
  QVERIFY(WaitForDiff(*first));
  first->close();
  QTRY_VERIFY(!first);
  QVERIFY(!w->ToolsMenu().CompareForm());
  QCOMPARE(w->ToolsMenu().ComparedLeft(), KNoDoc);
  RunCommand(*w, "miCompare");
  QVERIFY(w->ToolsMenu().CompareForm());
  QVERIFY(WaitForDiff(*w->ToolsMenu().CompareForm()));
}

void TestToolsMenu::hashTakesTheSelectedPath_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("line");      // in a log saved in the test folder; %1 is that folder
  QTest::addColumn<bool>("untitled");
  QTest::addColumn<QString>("hashed");    // the file name in the folder hashed; empty: none
  QTest::newRow("relative_name_from_the_documents_folder") << "cmCalcFileHash" << "setup.exe" << false << "setup.exe";
  QTest::newRow("relative_name_by_the_menu_too") << "miHashCalc" << "setup.exe" << false << "setup.exe";
  QTest::newRow("quoted_whole_path") << "cmCalcFileHash" << "\"%1/setup.exe\"" << false << "setup.exe";
  QTest::newRow("relative_name_in_an_untitled_document") << "cmCalcFileHash" << "setup.exe" << true << "";
  QTest::newRow("not_a_file") << "cmCalcFileHash" << "no such thing" << false << "";
  QTest::newRow("a_folder") << "cmCalcFileHash" << "%1" << false << "";
}

void TestToolsMenu::hashTakesTheSelectedPath() {
  QFETCH(QString, command);
  QFETCH(QString, line);
  QFETCH(bool, untitled);
  QFETCH(QString, hashed);
  TScriptedBoxes boxes;
  const QString program = Make("setup.exe", "MZ");
  auto w = MakeWindow(*FDir);
  const QString text = QString(line).replace("%1", FDir->path());
  if (untitled) Type(w->ActiveEditor(), text);
  else w->OpenFile(Make("install.log", text.toUtf8() + "\n"));
  // The program's working folder holds no such file, except for the untitled document, where a
  // name taken from it would be found: neither may count.
  const QTemporaryDir elsewhere;
  const QString before = QDir::currentPath();
  QVERIFY(QDir::setCurrent(untitled ? FDir->path() : elsewhere.path()));
  const auto restore = qScopeGuard([&] { QDir::setCurrent(before); });
  Select(w->ActiveEditor(), 1, 1, text.size() + 1);
  RunCommand(*w, command);
  TfrmHashCalc *form = w->ToolsMenu().HashCalcForm();
  if (hashed.isEmpty()) {
    QCOMPARE(boxes.Texts(), QStringList{"The selected text is not an existing file path."});
    QVERIFY(!form || !form->Busy());
    return;
  }
  QVERIFY(form);
  QVERIFY(form->isVisible());
  QCOMPARE(form->FileText(), FDir->filePath(hashed));
  QVERIFY(WaitForHash(*form));
  QVERIFY(form->ResultText().startsWith("File: " + FDir->filePath(hashed) + "\nMD5: "));
  QVERIFY(boxes.Asked.isEmpty());
}

// 300 characters are no path: the calculator opens on the document's own file, unhashed.
void TestToolsMenu::hashWithoutAPathOpensOnTheDocument() {
  auto w = MakeWindow(*FDir);
  const QString log = Make("long.log", QByteArray(300, 'x') + "\n");
  w->OpenFile(log);
  Select(w->ActiveEditor(), 1, 1, 301);
  RunCommand(*w, "miHashCalc");
  TfrmHashCalc *form = w->ToolsMenu().HashCalcForm();
  QVERIFY(form && form->isVisible());
  QCOMPARE(form->FileText(), log);
  QVERIFY(!form->Busy());
  QCOMPARE(form->ResultText(), "");
}

QTEST_MAIN(TestToolsMenu)
#include "test_tools_menu.moc"
