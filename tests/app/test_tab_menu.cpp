// The tab context menu: what each item is enabled by, the closes around the menu's tab (with the
// save question of many, last first), paths on the clipboard (a root folder keeps its separator),
// Save and Clear All, and a menu that acts on the document it was opened on, by id: a tab that a
// failed load removes meanwhile neither shifts the menu onto a neighbour nor is stood in for.
#include "AppTestUtil.h"

#include "app/menus/TabMenu.h"
#include "platform/Clipboard.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace {

const QStringList KTabItems{"pmClose",     "pmCloseOthers", "pmCloseLeft",  "pmCloseRight",   "pmCloseAll",
                            "pmCloseUnchanged", "pmSave",   "pmSaveAs",     "pmRecycle",      "pmLocate",
                            "pmOpenCmd",   "pmCopyPath",    "pmCopyName",   "pmCopyDir",      "pmCopyAllNames",
                            "pmCopyAllPaths", "pmReload",   "pmPrint",      "pmClearAll"};

// Enabled whatever the document.
const QStringList KAlways{"pmClose", "pmCloseAll", "pmCloseUnchanged", "pmSaveAs", "pmCopyName",
                          "pmCopyAllNames", "pmCopyAllPaths", "pmPrint", "pmClearAll"};
// Enabled for a document whose file exists.
const QStringList KFileThere{"pmRecycle", "pmLocate", "pmOpenCmd", "pmCopyPath", "pmCopyDir", "pmReload"};

}  // namespace

class TestTabMenu : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void itemsFollowTheMenusDocument_data();
  void itemsFollowTheMenusDocument();
  void rightClickOnATabMakesItActive();
  void menuKeepsItsDocumentWhenALoadFails_data();
  void menuKeepsItsDocumentWhenALoadFails();
  void closesAroundTheMenusTab_data();
  void closesAroundTheMenusTab();
  void closeOthersAsksForEachModifiedLastFirst();
  void closeAllUnchangedAsksNothing();
  void copiesPaths_data();
  void copiesPaths();
  void saveWritesTheMenusDocument();
  void clearAllAsksAndUndoesInOneStep_data();
  void clearAllAsksAndUndoesInOneStep();

 private:
  // A window with a tab for each name: "Untitled" is a new document, "*x.txt" the file x.txt with
  // an edit, "-x.txt" the file x.txt deleted after it was opened.
  std::unique_ptr<TfrmMain> WindowWith(const QStringList &names);
  TDocId IdAt(const TfrmMain &w, int index) const { return w.TabOrder().at(size_t(index)); }
  QStringList Order(const TfrmMain &w) const;
  // Opens the menu on the tab at index (-1: outside the tabs) as the right button does.
  QMenu *Popup(TfrmMain &w, int index);
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestTabMenu::init() { FDir = std::make_unique<QTemporaryDir>(); }

std::unique_ptr<TfrmMain> TestTabMenu::WindowWith(const QStringList &names) {
  auto w = MakeWindow(*FDir);
  bool first = true;
  for (QString name : names) {
    if (name == "Untitled") {
      if (!first) w->NewDoc();
      first = false;
      // Holding a line, it is no longer the untouched tab that the next open would fill.
      w->ActiveEditor()->SetText("untitled");
      w->ActiveEditor()->SetModified(false);
      continue;
    }
    const bool edit = name.startsWith(u'*'), gone = name.startsWith(u'-');
    if (edit || gone) name.remove(0, 1);
    const QString path = MakeFile(*FDir, name, "text of " + name.toUtf8() + "\n");
    w->OpenFile(path);
    first = false;
    if (edit) Type(w->ActiveEditor(), "x");
    if (gone) QFile::remove(path);
  }
  return w;
}

QStringList TestTabMenu::Order(const TfrmMain &w) const {
  QStringList names;
  for (const TDocId id : w.TabOrder()) names << w.FindDoc(id)->DisplayName();
  return names;
}

QMenu *TestTabMenu::Popup(TfrmMain &w, int index) {
  w.TabMenu().Popup(index < 0 ? KNoDoc : IdAt(w, index), w.mapToGlobal(QPoint(10, 10)));
  return w.TabMenu().Menu();
}

void TestTabMenu::itemsFollowTheMenusDocument_data() {
  QTest::addColumn<QStringList>("names");
  QTest::addColumn<int>("tab");
  QTest::addColumn<QStringList>("enabled");
  const QStringList closing{"pmCloseOthers", "pmCloseLeft", "pmCloseRight"};
  QTest::newRow("firstTabHasNoneLeft") << QStringList{"a.txt", "b.txt", "c.txt"} << 0
                                       << KAlways + KFileThere + QStringList{"pmCloseOthers", "pmCloseRight"};
  QTest::newRow("lastTabHasNoneRight") << QStringList{"a.txt", "b.txt", "c.txt"} << 2
                                       << KAlways + KFileThere + QStringList{"pmCloseOthers", "pmCloseLeft"};
  QTest::newRow("middleTab") << QStringList{"a.txt", "b.txt", "c.txt"} << 1 << KAlways + KFileThere + closing;
  QTest::newRow("outsideTheTabsActsOnTheActive")
      << QStringList{"a.txt", "b.txt", "c.txt"} << -1 << KAlways + KFileThere + QStringList{"pmCloseOthers"};
  QTest::newRow("onlyTab") << QStringList{"a.txt"} << 0 << KAlways + KFileThere;
  QTest::newRow("untitledHasNoFile") << QStringList{"Untitled", "b.txt"} << 0
                                     << KAlways + QStringList{"pmCloseOthers", "pmCloseRight"};
  QTest::newRow("fileGoneKeepsItsPaths") << QStringList{"a.txt", "-gone.txt"} << 1
                                         << KAlways + QStringList{"pmCloseOthers", "pmCloseLeft", "pmCopyPath", "pmCopyDir"};
  QTest::newRow("modifiedCanBeSaved") << QStringList{"a.txt", "*b.txt"} << 1
                                      << KAlways + KFileThere + QStringList{"pmCloseOthers", "pmCloseLeft", "pmSave"};
}

void TestTabMenu::itemsFollowTheMenusDocument() {
  QFETCH(QStringList, names);
  QFETCH(int, tab);
  QFETCH(QStringList, enabled);
  TScriptedBoxes boxes;
  auto w = WindowWith(names);
  QMenu *menu = Popup(*w, tab);
  QTRY_VERIFY(menu->isVisible());
  Q_EMIT menu->findChild<QMenu *>("pmCopy")->aboutToShow();
  QStringList shown;
  for (const QString &item : KTabItems)
    if (w->Commands().Action(item)->isEnabled()) shown << item;
  enabled.sort();
  shown.sort();
  QCOMPARE(shown, enabled);
  menu->hide();
  QVERIFY(boxes.Asked.isEmpty());
}

void TestTabMenu::rightClickOnATabMakesItActive() {
  auto w = WindowWith({"a.txt", "b.txt", "c.txt"});
  w->Tabs()->setCurrentIndex(0);
  w->resize(900, 400);
  w->show();
  QVERIFY(QTest::qWaitForWindowExposed(w.get()));
  TTabStrip *strip = w->TabStrip();
  const QPoint at = strip->tabRect(1).center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, strip->mapToGlobal(at));
  QCoreApplication::sendEvent(strip, &event);
  QTRY_VERIFY(w->TabMenu().Menu()->isVisible());
  QCOMPARE(w->Tabs()->currentIndex(), 1);
  QCOMPARE(w->TabMenu().PopupDoc()->DisplayName(), "b.txt");
  w->TabMenu().Menu()->hide();
}

// The first tab is a file too large to load: its load fails while the menu is open on another
// tab, and the tabs shift left under the menu.
void TestTabMenu::menuKeepsItsDocumentWhenALoadFails_data() {
  QTest::addColumn<int>("tab");
  QTest::addColumn<QString>("command");
  QTest::addColumn<QStringList>("left");
  QTest::newRow("closeOthersKeepsTheMenusTab") << 1 << "pmCloseOthers" << QStringList{"a.txt"};
  QTest::newRow("closeRightKeepsTheMenusTab") << 1 << "pmCloseRight" << QStringList{"a.txt"};
  QTest::newRow("closeLeftKeepsTheMenusTab") << 2 << "pmCloseLeft" << QStringList{"b.txt"};
  QTest::newRow("closeClosesTheMenusTab") << 1 << "pmClose" << QStringList{"b.txt"};
  QTest::newRow("closeOfAGoneTabClosesNothing") << 0 << "pmClose" << QStringList{"a.txt", "b.txt"};
  QTest::newRow("closeOthersOfAGoneTabClosesNothing") << 0 << "pmCloseOthers" << QStringList{"a.txt", "b.txt"};
  QTest::newRow("clearAllOfAGoneTabClearsNothing") << 0 << "pmClearAll" << QStringList{"a.txt", "b.txt"};
}

void TestTabMenu::menuKeepsItsDocumentWhenALoadFails() {
  QFETCH(int, tab);
  QFETCH(QString, command);
  QFETCH(QStringList, left);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  w->Settings().FWarnLargeFiles = false;
  // Sparse: 2 GiB on the disk's books, none of it written.
  const QString huge = FDir->filePath("huge.log");
  {
    QFile file(huge);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 31));
  }
  w->OpenFile(huge);
  w->OpenFile(MakeFile(*FDir, "a.txt", "alpha\n"));
  w->OpenFile(MakeFile(*FDir, "b.txt", "beta\n"));
  QCOMPARE(Order(*w), (QStringList{"huge.log", "a.txt", "b.txt"}));
  QMenu *menu = Popup(*w, tab);
  QTRY_VERIFY(menu->isVisible());
  QTRY_COMPARE(Order(*w), (QStringList{"a.txt", "b.txt"}));
  QCOMPARE(boxes.Asked.size(), 1);
  QVERIFY(boxes.Texts()[0].startsWith("Could not open file: "));
  menu->hide();
  boxes.Answers = {TAnswer::Yes};  // Clear All's question, were it asked
  RunCommand(*w, command);
  QCOMPARE(Order(*w), left);
  QCOMPARE(boxes.Asked.size(), 1);
  for (const TDocId id : w->TabOrder()) QVERIFY(w->FindDoc(id)->Editor->LineText(1).size() > 0);
}

void TestTabMenu::closesAroundTheMenusTab_data() {
  QTest::addColumn<int>("tab");
  QTest::addColumn<QString>("command");
  QTest::addColumn<QStringList>("left");
  QTest::newRow("close") << 1 << "pmClose" << QStringList{"a.txt", "c.txt", "d.txt"};
  QTest::newRow("closeOthers") << 1 << "pmCloseOthers" << QStringList{"b.txt"};
  QTest::newRow("closeLeft") << 2 << "pmCloseLeft" << QStringList{"c.txt", "d.txt"};
  QTest::newRow("closeRight") << 1 << "pmCloseRight" << QStringList{"a.txt", "b.txt"};
  QTest::newRow("closeAllLeavesAnUntitledTab") << 1 << "pmCloseAll" << QStringList{"Untitled"};
  QTest::newRow("closeAllUnchangedLeavesAnUntitledTab") << 1 << "pmCloseUnchanged" << QStringList{"Untitled"};
}

void TestTabMenu::closesAroundTheMenusTab() {
  QFETCH(int, tab);
  QFETCH(QString, command);
  QFETCH(QStringList, left);
  TScriptedBoxes boxes;
  auto w = WindowWith({"a.txt", "b.txt", "c.txt", "d.txt"});
  QMenu *menu = Popup(*w, tab);
  QTRY_VERIFY(menu->isVisible());
  menu->hide();
  RunCommand(*w, command);
  QCOMPARE(Order(*w), left);
  QVERIFY(boxes.Asked.isEmpty());
}

// The multi-close question, with its five buttons, for the documents from the last made to the
// first; No to both closes them unsaved.
void TestTabMenu::closeOthersAsksForEachModifiedLastFirst() {
  TScriptedBoxes boxes;
  auto w = WindowWith({"*a.txt", "b.txt", "*c.txt"});
  QMenu *menu = Popup(*w, 1);
  QTRY_VERIFY(menu->isVisible());
  menu->hide();
  boxes.Answers = {TAnswer::Cancel};
  RunCommand(*w, "pmCloseOthers");
  QCOMPARE(boxes.Texts(), QStringList{"Save changes to \"c.txt\"?"});
  QCOMPARE(boxes.Asked[0].Buttons,
           (QList<TAnswer>{TAnswer::Yes, TAnswer::No, TAnswer::YesToAll, TAnswer::NoToAll, TAnswer::Cancel}));
  QCOMPARE(Order(*w), (QStringList{"a.txt", "b.txt", "c.txt"}));
  boxes.Asked.clear();
  boxes.Answers = {TAnswer::No, TAnswer::No};
  RunCommand(*w, "pmCloseOthers");
  QCOMPARE(boxes.Texts(), (QStringList{"Save changes to \"c.txt\"?", "Save changes to \"a.txt\"?"}));
  QCOMPARE(Order(*w), QStringList{"b.txt"});
  QCOMPARE(ReadBytes(FDir->filePath("a.txt")), "text of a.txt\n");
}

void TestTabMenu::closeAllUnchangedAsksNothing() {
  TScriptedBoxes boxes;
  auto w = WindowWith({"*a.txt", "*b.txt"});
  RunCommand(*w, "pmCloseUnchanged");
  QCOMPARE(Order(*w), (QStringList{"a.txt", "b.txt"}));
  w = WindowWith({"*a.txt", "b.txt", "Untitled", "*d.txt"});
  RunCommand(*w, "pmCloseUnchanged");
  QCOMPARE(Order(*w), (QStringList{"a.txt", "d.txt"}));
  QVERIFY(boxes.Asked.isEmpty());
}

void TestTabMenu::copiesPaths_data() {
  QTest::addColumn<QStringList>("names");
  QTest::addColumn<int>("tab");
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("copied");  // %1: the folder of the files
  QTest::newRow("fullPath") << QStringList{"a.txt", "b.txt"} << 0 << "pmCopyPath" << "%1/a.txt";
  QTest::newRow("fileName") << QStringList{"a.txt", "b.txt"} << 1 << "pmCopyName" << "b.txt";
  QTest::newRow("fileNameOfUntitled") << QStringList{"a.txt", "Untitled"} << 1 << "pmCopyName" << "Untitled";
  QTest::newRow("directoryPathHasNoTrailingSeparator") << QStringList{"a.txt"} << 0 << "pmCopyDir" << "%1";
  QTest::newRow("directoryPathOfAFileInTheRootKeepsTheSeparator") << QStringList{"/notes.txt"} << 0 << "pmCopyDir" << "/";
  QTest::newRow("allNamesSkipUntitled") << QStringList{"a.txt", "Untitled", "b.txt"} << 1 << "pmCopyAllNames"
                                        << "a.txt\r\nb.txt\r\n";
  QTest::newRow("allPathsSkipUntitled") << QStringList{"a.txt", "Untitled", "b.txt"} << 0 << "pmCopyAllPaths"
                                        << "%1/a.txt\r\n%1/b.txt\r\n";
  QTest::newRow("allNamesInTabOrder") << QStringList{"b.txt", "a.txt"} << 0 << "pmCopyAllNames" << "b.txt\r\na.txt\r\n";
  QTest::newRow("noFileNamesLeaveTheClipboard") << QStringList{"Untitled"} << 0 << "pmCopyAllNames" << "before";
  QTest::newRow("noPathLeavesTheClipboard") << QStringList{"Untitled"} << 0 << "pmCopyPath" << "before";
}

// "/notes.txt" names a document that claims a file in the root folder, which the test never makes.
void TestTabMenu::copiesPaths() {
  QFETCH(QStringList, names);
  QFETCH(int, tab);
  QFETCH(QString, command);
  QFETCH(QString, copied);
  TScriptedBoxes boxes;
  QStringList made = names;
  made.replaceInStrings("/notes.txt", "Untitled");
  auto w = WindowWith(made);
  if (names.contains("/notes.txt")) w->ActiveDoc()->FileName = "/notes.txt";
  SetClipboardText("before");
  QMenu *menu = Popup(*w, tab);
  QTRY_VERIFY(menu->isVisible());
  menu->hide();
  RunCommand(*w, command);
  QCOMPARE(ClipboardText(), copied.contains("%1") ? copied.arg(QDir(FDir->path()).absolutePath()) : copied);
  QVERIFY(boxes.Asked.isEmpty());
}

void TestTabMenu::saveWritesTheMenusDocument() {
  TScriptedBoxes boxes;
  auto w = WindowWith({"*a.txt", "*b.txt", "c.txt"});
  QMenu *menu = Popup(*w, 0);
  QTRY_VERIFY(menu->isVisible());
  menu->hide();
  w->Tabs()->setCurrentIndex(2);  // the menu's document, not the active one
  RunCommand(*w, "pmSave");
  QCOMPARE(ReadBytes(FDir->filePath("a.txt")), "xtext of a.txt\n");
  QCOMPARE(ReadBytes(FDir->filePath("b.txt")), "text of b.txt\n");
  QCOMPARE(w->TabStrip()->TabCaption(0), Padded("a.txt"));
  QVERIFY(boxes.Asked.isEmpty());
}

void TestTabMenu::clearAllAsksAndUndoesInOneStep_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<TAnswer>("answer");
  QTest::addColumn<bool>("asked");
  QTest::addColumn<QString>("after");
  QTest::newRow("yesClears") << "one\ntwo\nthree" << TAnswer::Yes << true << "";
  QTest::newRow("noKeeps") << "one\ntwo" << TAnswer::No << true << "one\ntwo";
  QTest::newRow("emptyAsksNothing") << "" << TAnswer::Yes << false << "";
}

void TestTabMenu::clearAllAsksAndUndoesInOneStep() {
  QFETCH(QString, text);
  QFETCH(TAnswer, answer);
  QFETCH(bool, asked);
  QFETCH(QString, after);
  TScriptedBoxes boxes;
  auto w = WindowWith({"Untitled", "b.txt"});
  w->Tabs()->setCurrentIndex(0);
  TMEEdit *editor = w->ActiveEditor();
  editor->SetText(text);
  QMenu *menu = Popup(*w, 0);
  QTRY_VERIFY(menu->isVisible());
  menu->hide();
  boxes.Answers = {answer};
  RunCommand(*w, "pmClearAll");
  QCOMPARE(boxes.Texts(), asked ? QStringList{"Clear all text in this tab? (You can undo with Ctrl+Z.)"} : QStringList());
  QCOMPARE(editor->GetText(), after);
  if (answer == TAnswer::Yes && asked) {
    editor->Undo();
    QCOMPARE(editor->GetText(), text);
  }
  QCOMPARE(ReadBytes(FDir->filePath("b.txt")), "text of b.txt\n");
}

QTEST_MAIN(TestTabMenu)
#include "test_tab_menu.moc"
