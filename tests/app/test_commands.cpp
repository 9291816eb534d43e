// The window's commands as data: every one has its own name, no two shortcuts meet (nor one of
// the editor's own keys), each runs safely whatever the documents are like, the menus read as
// their tables, a shortcut outlives the state its menu showed last, and the recent-files submenu
// is made from the list when it opens.
#include "AppTestUtil.h"

#include "app/menus/Command.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <set>

namespace {

enum TDocState { dsNoDocument, dsUntitled, dsLoading };

// Closes every modal dialog a command opens (Go to Line), as its Cancel button would.
class TModalCloser {
 public:
  TModalCloser() {
    QObject::connect(&FTimer, &QTimer::timeout, [] {
      if (QWidget *modal = QApplication::activeModalWidget()) modal->close();
    });
    FTimer.start(10);
  }

 private:
  QTimer FTimer;
};

// Whether the editor acts on keys by itself when they reach it.
bool EditorTakes(TMEEdit &editor, const QKeyCombination &keys) {
  const bool typed = !(keys.keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
                     keys.key() >= Qt::Key_Space && keys.key() <= Qt::Key_AsciiTilde;
  QKeyEvent event(QEvent::KeyPress, keys.key(), keys.keyboardModifiers(),
                  typed ? QString(QChar(keys.key())) : QString());
  event.setAccepted(false);
  QCoreApplication::sendEvent(&editor, &event);
  return event.isAccepted();
}

// "caption|shortcut" for every item, "-" for a separator and "caption>" for a submenu.
QStringList MenuLines(const QMenu &menu) {
  QStringList lines;
  for (const QAction *action : menu.actions()) {
    if (action->isSeparator()) lines << "-";
    else if (action->menu()) lines << action->text() + ">";
    else lines << action->text() + "|" + action->shortcut().toString();
  }
  return lines;
}

}  // namespace

Q_DECLARE_METATYPE(TDocState)

class TestCommands : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void everyCommandHasItsOwnName();
  void shortcutsNeverMeet();
  void menusReadAsTheirTables_data();
  void menusReadAsTheirTables();
  void everyCommandIsSafe_data();
  void everyCommandIsSafe();
  void shortcutActsAfterItsMenuShowedItDisabled();
  void recentSubmenuIsMadeWhenItOpens();

 private:
  QString Make(const QString &name, const QByteArray &bytes) { return MakeFile(*FDir, name, bytes); }
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestCommands::init() { FDir = std::make_unique<QTemporaryDir>(); }

void TestCommands::everyCommandHasItsOwnName() {
  auto w = MakeWindow(*FDir);
  const std::vector<TCommand> &commands = w->Commands().Commands();
  QVERIFY(commands.size() > 10);
  std::set<QString> names;
  for (const TCommand &command : commands) {
    QVERIFY2(names.insert(command.Name).second, qPrintable("twice: " + command.Name));
    QVERIFY2(QRegularExpression("^(mi|cm|pm|tb)[A-Z][A-Za-z0-9]*$").match(command.Name).hasMatch(),
             qPrintable(command.Name));
    QVERIFY2(!command.Caption.isEmpty() && command.Run, qPrintable(command.Name));
    QCOMPARE(w->Commands().Action(command.Name)->objectName(), command.Name);
  }
  QVERIFY(!w->Commands().Action("miNoSuchThing"));
}

void TestCommands::shortcutsNeverMeet() {
  auto w = MakeWindow(*FDir);
  TMEEdit editor;
  // The probe sees the editor's own keys, so a command taking one of them would be caught.
  QVERIFY(EditorTakes(editor, Qt::CTRL | Qt::Key_C));
  QVERIFY(EditorTakes(editor, Qt::SHIFT | Qt::Key_Home));
  QVERIFY(EditorTakes(editor, QKeyCombination(Qt::Key_Tab)));
  QMap<QKeySequence, QString> owners;
  for (const TCommand &command : w->Commands().Commands()) {
    if (command.Shortcut.isEmpty()) continue;
    QVERIFY2(!owners.contains(command.Shortcut),
             qPrintable(command.Name + " and " + owners.value(command.Shortcut) + ": " + command.Shortcut.toString()));
    owners.insert(command.Shortcut, command.Name);
    for (int i = 0; i < command.Shortcut.count(); ++i)
      QVERIFY2(!EditorTakes(editor, command.Shortcut[i]),
               qPrintable(command.Name + " takes the editor's " + command.Shortcut.toString()));
  }
  QVERIFY(owners.size() >= 10);
}

void TestCommands::menusReadAsTheirTables_data() {
  QTest::addColumn<QString>("menu");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QStringList>("lines");
  QTest::newRow("file") << "mFile" << "&File"
                        << QStringList{"&New|Ctrl+N",
                                       "&Open...|Ctrl+O",
                                       "Open Containing Folder|",
                                       "Reload File Content|",
                                       "&Save|Ctrl+S",
                                       "Save &As...|Ctrl+Shift+S",
                                       "Save a &Copy As...|",
                                       "Save A&ll Tabs|",
                                       "-",
                                       "Move to Recycle Bin|",
                                       "-",
                                       "&Print...|Ctrl+P",
                                       "-",
                                       "Recently Opened Files>",
                                       "-",
                                       "&Close Tab|Ctrl+W",
                                       "Close All &Tabs|",
                                       "-",
                                       "E&xit|"};
  QTest::newRow("edit_tools_in_order") << "mEdit" << "&Edit"
                                       << QStringList{"&Begin/End Select|Ctrl+B", "-",
                                                      "Convert Case to>",  "Indent>",          "EOL Conversion>",
                                                      "Blank Operations>", "Line Operations>", "Encode/Decode>",
                                                      "CSV Operations>",   "Extract Operations>", "Locate Signals>"};
  QTest::newRow("line_operations") << "miLineOps" << "Line Operations"
                                   << QStringList{"Sort Lines|",
                                                  "Sort Lines (Case Sensitive)|",
                                                  "Sort Lines (Integers)|",
                                                  "Sort Lines (IPv4 Addresses)|",
                                                  "-",
                                                  "Remove Duplicate Lines|",
                                                  "Remove Consecutive Duplicate Lines|",
                                                  "Remove Empty Lines|",
                                                  "-",
                                                  "Add Prefix/Suffix to Lines|",
                                                  "Remove Prefix/Suffix from Lines|",
                                                  "-",
                                                  "Shuffle Lines|",
                                                  "Reverse Line Order|"};
  QTest::newRow("convert_case") << "miConvertCase" << "Convert Case to"
                                << QStringList{"UPPERCASE|Ctrl+U", "lowercase|Ctrl+L", "Sentence case|", "Proper Case|"};
  QTest::newRow("locate_signals") << "miLocateSignals" << "Locate Signals"
                                  << QStringList{"System Errors|", "Resource Issues|", "Failed Authentications|",
                                                 "Network Failures|", "Application Crashes|", "-", "All...|"};
  QTest::newRow("search") << "mSearch" << "&Search"
                          << QStringList{"&Find...|Ctrl+F",     "Find &Next|F3", "Find Pre&vious|Shift+F3",
                                         "&Replace...|Ctrl+H", "&Go to Line...|Ctrl+G", "-",
                                         "Find Tab...|"};
  QTest::newRow("view") << "mView" << "&View" << QStringList{"Tab>"};
  QTest::newRow("view_tab") << "miTabNav" << "Tab"
                            << QStringList{"First Tab|", "Last Tab|", "Next Tab|Ctrl+PgDown", "Previous Tab|Ctrl+PgUp",
                                           "-", "Find Tab...|"};
  QTest::newRow("tab_menu") << "pmTabs" << ""
                            << QStringList{"Close|",
                                           "Close Others|",
                                           "Close Others (Left)|",
                                           "Close Others (Right)|",
                                           "Close All|",
                                           "Close All Unchanged|",
                                           "-",
                                           "Save|",
                                           "Save As...|",
                                           "-",
                                           "Move to Recycle Bin|",
                                           "Open Containing Folder|",
                                           "Open Folder into CMD|",
                                           "-",
                                           "Copy to Clipboard>",
                                           "-",
                                           "Reload File Content|",
                                           "Print|",
                                           "-",
                                           "Clear All|"};
  QTest::newRow("tab_menu_copy") << "pmCopy" << "Copy to Clipboard"
                                 << QStringList{"Full File Path|", "File Name|", "Directory Path|", "-",
                                                "All File Names|", "All File Paths|"};
  QTest::newRow("tools") << "mTools" << "&Tools"
                         << QStringList{"Compare Two Files|",
                                        "-",
                                        "File Hash Calculator|",
                                        "-",
                                        "View URL Page Source|",
                                        "-",
                                        "Open Hosts File (as Admin)|",
                                        "-",
                                        "Open Temp Folder|",
                                        "Open Downloads Folder|",
                                        "Open Documents Folder|",
                                        "Open C:\\ Folder|",
                                        "Open Windows Folder|",
                                        "Open This PC|",
                                        "Open Startup Folder|",
                                        "Open All Users Startup Folder|",
                                        "-",
                                        "Open Task Manager|",
                                        "Open Registry Editor|",
                                        "Open HKCU Run|",
                                        "Open HKCU Policies Run|",
                                        "Open HKLM Run|",
                                        "Open HKLM Policies Run|",
                                        "Open HKLM Winlogon|",
                                        "Open HKLM AppInit DLLs|",
                                        "Open HKLM Services|",
                                        "Open HKLM Shell Extensions|",
                                        "Open HKLM IFEO|",
                                        "-",
                                        "Open Paint|",
                                        "Open Snipping Tool|",
                                        "Open Windows Services|",
                                        "-",
                                        "Quennet Tools|"};
}

void TestCommands::menusReadAsTheirTables() {
  QFETCH(QString, menu);
  QFETCH(QString, title);
  QFETCH(QStringList, lines);
  auto w = MakeWindow(*FDir);
  auto *found = w->findChild<QMenu *>(menu);
  QVERIFY(found);
  QCOMPARE(found->title(), title);
  QCOMPARE(MenuLines(*found), lines);
}

void TestCommands::everyCommandIsSafe_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<TDocState>("state");
  QTemporaryDir dir;
  auto w = MakeWindow(dir);
  for (const TCommand &command : w->Commands().Commands()) {
    QTest::addRow("%s_noDocument", qPrintable(command.Name)) << command.Name << dsNoDocument;
    QTest::addRow("%s_untitled", qPrintable(command.Name)) << command.Name << dsUntitled;
    QTest::addRow("%s_loading", qPrintable(command.Name)) << command.Name << dsLoading;
  }
}

// Every message box is answered No or Cancel, every dialog cancelled: no command may fail, write
// over the file still loading, or leave a load running.
void TestCommands::everyCommandIsSafe() {
  QFETCH(QString, command);
  QFETCH(TDocState, state);
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  w->AskOpenPaths = [] { return QStringList(); };
  w->Settings().FRecentFiles = {FDir->filePath("gone.txt")};
  const QByteArray bytes = QByteArray("line\n").repeated(300000);
  const QString big = Make("big.log", bytes);
  if (state == dsNoDocument) w->DiscardDoc(w->ActiveDoc());
  if (state == dsUntitled) Type(w->ActiveEditor(), "typed");
  if (state == dsLoading) w->OpenFile(big);
  QCOMPARE(w->Tabs()->count(), state == dsNoDocument ? 0 : 1);
  QCOMPARE(w->ActiveLoads(), state == dsLoading ? 1 : 0);
  {
    TModalCloser closer;
    RunCommand(*w, command);
  }
  QVERIFY(WaitForLoads(*w));
  QCOMPARE(ReadBytes(big), bytes);
  // A text tool's rule may refuse the typed text; it says so in its own words, naming itself.
  for (const TMessageRequest &request : boxes.Asked)
    QVERIFY2(request.Kind != TMessageKind::Error || request.Text.contains(" failed: "), qPrintable(request.Text));
}

// Ctrl+S acts on the document as it is now, not as the File menu showed it when last opened.
void TestCommands::shortcutActsAfterItsMenuShowedItDisabled() {
  TScriptedBoxes boxes;
  const QString path = Make("a.txt", "alpha\n");
  auto w = MakeWindow(*FDir);
  w->OpenFile(path);
  w->show();
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  auto *file = w->menuBar()->findChild<QMenu *>("mFile");
  QAction *save = w->Commands().Action("miSave");
  QAction *saveAs = w->Commands().Action("miSaveAs");
  QAction *reload = w->Commands().Action("miReloadFile");
  file->popup(w->mapToGlobal(QPoint(0, 0)));
  QTRY_VERIFY(file->isVisible());
  QVERIFY(!save->isEnabled());  // unmodified
  QVERIFY(saveAs->isEnabled());
  QVERIFY(reload->isEnabled());
  file->hide();
  QVERIFY(save->isEnabled());
  TMEEdit *editor = w->ActiveEditor();
  editor->setFocus();
  QTest::keyClick(editor, Qt::Key_X);
  QVERIFY(editor->Modified());
  QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
  QVERIFY(!editor->Modified());
  QCOMPARE(ReadBytes(path), QByteArray("xalpha\n"));
  // And the menu, opened again, shows the state of the moment.
  file->popup(w->mapToGlobal(QPoint(0, 0)));
  QTRY_VERIFY(file->isVisible());
  QVERIFY(!save->isEnabled());
  file->hide();
  QVERIFY(boxes.Asked.isEmpty());
}

void TestCommands::recentSubmenuIsMadeWhenItOpens() {
  TScriptedBoxes boxes;
  const QString kept = Make("kept.txt", "kept\n");
  const QString gone = FDir->filePath("gone.txt");
  auto w = MakeWindow(*FDir);
  w->Settings().FRecentFiles = {gone, kept};
  auto *recent = w->menuBar()->findChild<QMenu *>("miRecentFiles");
  QVERIFY(recent);
  const auto open = [&] {
    Q_EMIT recent->aboutToShow();
    QStringList lines;
    for (const QAction *action : recent->actions())
      lines << (action->isSeparator() ? "-" : action->text() + (action->isEnabled() ? "" : " (disabled)"));
    return lines;
  };
  QCOMPARE(open(), (QStringList{"&1  " + gone, "&2  " + kept, "-", "Open All Recent Files", "Clear Items"}));
  // A file no longer there is offered for removal.
  boxes.Answers = {TAnswer::Yes};
  recent->actions()[0]->trigger();
  QCOMPARE(boxes.Texts(), QStringList{"File no longer exists:\r\n" + gone + "\r\n\r\nRemove it from the recent list?"});
  QCOMPARE(w->Settings().FRecentFiles, QStringList{kept});
  QCOMPARE(open(), (QStringList{"&1  " + kept, "-", "Open All Recent Files", "Clear Items"}));
  recent->actions()[0]->trigger();
  QCOMPARE(w->ActiveDoc()->FileName, kept);
  w->Commands().Action("miRecentClear")->trigger();
  QCOMPARE(open(), (QStringList{"(empty) (disabled)", "-", "Open All Recent Files (disabled)", "Clear Items (disabled)"}));
  // Closed, the submenu gives its commands back to any other place that shows them.
  Q_EMIT recent->aboutToHide();
  QVERIFY(w->Commands().Action("miRecentClear")->isEnabled());
}

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
