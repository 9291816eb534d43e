// The commands that act around the caret or on what the selection names, the Tools menu's
// launchers and the editor's context menu, in a window whose desktop records what it would start:
// no selected text ever reaches a program except as one checked argument or address.
#include "AppTestUtil.h"
#include "app/menus/ContentMenu.h"
#include "app/menus/WebSites.h"
#include "platform/Clipboard.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>

namespace {

using TRequest = TRecordingDesktop::TRequest;

QString Shown(const QList<TRequest> &requests) {
  QStringList lines;
  for (const TRequest &r : requests) {
    QString line = r.Kind + " " + r.Target;
    if (!r.Arguments.isEmpty()) line += " [" + r.Arguments.join("|") + "]";
    if (!r.WorkingDirectory.isEmpty()) line += " in " + r.WorkingDirectory;
    lines << line;
  }
  return lines.join("\n");
}

// "caption" for every item, "-" for a separator, "caption>" for a submenu; disabled items in ().
QStringList MenuLines(const QMenu &menu) {
  QStringList lines;
  for (const QAction *action : menu.actions()) {
    QString line = action->isSeparator() ? QString("-") : action->text() + (action->menu() ? ">" : "");
    lines << (action->isEnabled() ? line : "(" + line + ")");
  }
  return lines;
}

// Shows the menu's state as opening it would, without a popup.
void Open(QMenu &menu) { Q_EMIT menu.aboutToShow(); }

}  // namespace

class TestSelectionCommands : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void copyAndSelectAroundCaret_data();
  void copyAndSelectAroundCaret();
  void copyCurrentLineCopiesEmptyLinesToo();
  void beginEndSelect();
  void beginEndSelectInAnotherTabSetsANewAnchor();
  void searchOnGoogleTakesTheFirstLineEncoded();
  void fileDetails_data();
  void fileDetails();
  void containingFolderNeverOpensTheFile();
  void terminalAtTheFilesFolder();
  void registryKeys_data();
  void registryKeys();
  void webToolsCopyTheSelectionFirst_data();
  void webToolsCopyTheSelectionFirst();
  void openUrlOn_data();
  void openUrlOn();
  void launchers_data();
  void launchers();
  void foldersFromTheEnvironment();
  void systemTools_data();
  void systemTools();
  void hostsFileOpensInTheEditor();
  void contextMenuLayout();
  void contextMenuEnabling_data();
  void contextMenuEnabling();
  void rightClickOpensTheContextMenu();

 private:
  TMEEdit *EditorWith(const QString &text, TBufferCoord caret = {1, 1});
  void SelectAll(const QString &text) { EditorWith(text)->SelectAll(); }

  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<TfrmMain> FWindow;
};

void TestSelectionCommands::init() {
  FDir = std::make_unique<QTemporaryDir>();
  FWindow = MakeWindow(*FDir);
  TestDesktop().Requests.clear();
  TestDesktop().Installed.clear();
  TestDesktop().Answer = true;
}

void TestSelectionCommands::cleanup() { FWindow.reset(); }

TMEEdit *TestSelectionCommands::EditorWith(const QString &text, TBufferCoord caret) {
  TMEEdit *editor = FWindow->ActiveEditor();
  editor->SetText(text);
  editor->SetCaretXY(caret);
  return editor;
}

void TestSelectionCommands::copyAndSelectAroundCaret_data() {
  QTest::addColumn<QString>("copyCommand");
  QTest::addColumn<QString>("selectCommand");
  QTest::addColumn<int>("x");
  QTest::addColumn<QString>("text");
  QTest::newRow("between_parens") << "cmCaBetweenParens" << "cmSaBetweenParens" << 10 << "b";
  QTest::newRow("to_line_end") << "cmCaToLineEnd" << "cmSaToLineEnd" << 14 << "c) \"q\"";
  QTest::newRow("to_previous_quote_never_takes_the_closing_one")
      << "cmCaToPrevDQuote" << "cmSaToPrevDQuote" << 19 << "q";
  QTest::newRow("next_word") << "cmCaNextWord" << "" << 2 << "all";
}

void TestSelectionCommands::copyAndSelectAroundCaret() {
  QFETCH(QString, copyCommand);
  QFETCH(QString, selectCommand);
  QFETCH(int, x);
  QFETCH(QString, text);
  TMEEdit *editor = EditorWith("call(a, (b), c) \"q\"", {x, 1});
  SetClipboardText("unchanged");
  RunCommand(*FWindow, copyCommand);
  QCOMPARE(ClipboardText(), text);
  if (selectCommand.isEmpty()) return;
  RunCommand(*FWindow, selectCommand);
  QCOMPARE(editor->SelText(), text);
  QCOMPARE(editor->CaretXY(), TBufferCoord(x, 1));
}

void TestSelectionCommands::copyCurrentLineCopiesEmptyLinesToo() {
  EditorWith("one\r\n\r\nthree", {1, 2});
  SetClipboardText("unchanged");
  RunCommand(*FWindow, "cmCopyCurrentLine");
  QCOMPARE(ClipboardText(), "");
  FWindow->ActiveEditor()->SetCaretXY({2, 3});
  RunCommand(*FWindow, "cmCopyCurrentLine");
  QCOMPARE(ClipboardText(), "three");
}

void TestSelectionCommands::beginEndSelect() {
  TMEEdit *editor = EditorWith("alpha\r\nbeta\r\ngamma", {3, 1});
  RunCommand(*FWindow, "miBeginEndSelect");
  QCOMPARE(FWindow->StatusLabel()->text(), "Select anchor set at Ln 1, Col 3 - move and use Begin/End Select again");
  QVERIFY(!editor->SelAvail());
  editor->SetCaretXY({2, 3});
  RunCommand(*FWindow, "miBeginEndSelect");
  QCOMPARE(editor->SelText(), "pha\r\nbeta\r\ng");
  QCOMPARE(editor->CaretXY(), TBufferCoord(2, 3));
  QCOMPARE(FWindow->StatusLabel()->text(), FWindow->StatusText());
  QCOMPARE(FWindow->Commands().Action("miBeginEndSelect")->shortcut(), QKeySequence("Ctrl+B"));
}

void TestSelectionCommands::beginEndSelectInAnotherTabSetsANewAnchor() {
  EditorWith("first", {2, 1});
  RunCommand(*FWindow, "miBeginEndSelect");
  FWindow->NewDoc();
  TMEEdit *second = EditorWith("second", {4, 1});
  RunCommand(*FWindow, "miBeginEndSelect");
  QVERIFY(!second->SelAvail());
  QCOMPARE(FWindow->StatusLabel()->text(), "Select anchor set at Ln 1, Col 4 - move and use Begin/End Select again");
  second->SetCaretXY({7, 1});
  RunCommand(*FWindow, "miBeginEndSelect");
  QCOMPARE(second->SelText(), "ond");
}

void TestSelectionCommands::searchOnGoogleTakesTheFirstLineEncoded() {
  SelectAll("  caf\u00E9 & co?\r\nsecond line");
  RunCommand(*FWindow, "cmGoogle");
  QCOMPARE(Shown(TestDesktop().Requests), "url " + KWebSearchSite + "/search?q=caf%C3%A9+%26+co%3F");
}

void TestSelectionCommands::fileDetails_data() {
  QTest::addColumn<QString>("selection");  // <file>: an existing file, <dir>: its folder
  QTest::addColumn<QString>("request");    // empty: the not-a-file message
  QTest::newRow("file") << "<file>" << "properties <file>";
  QTest::newRow("quoted_file_with_blanks") << "  \"<file>\"  " << "properties <file>";
  QTest::newRow("folder_is_not_a_file") << "<dir>" << "";
  QTest::newRow("relative_path") << "notes.txt" << "";
  QTest::newRow("windows_path") << "C:\\dir\\notes.txt" << "";
  QTest::newRow("missing_file") << "<dir>/missing.txt" << "";
}

void TestSelectionCommands::fileDetails() {
  QFETCH(QString, selection);
  QFETCH(QString, request);
  TScriptedBoxes boxes;
  const QString path = MakeFile(*FDir, "notes.txt", "x");
  SelectAll(selection.replace("<file>", path).replace("<dir>", FDir->path()));
  RunCommand(*FWindow, "cmGetFileProps");
  QCOMPARE(Shown(TestDesktop().Requests), request.replace("<file>", path));
  QCOMPARE(boxes.Texts().join('|'), request.isEmpty() ? "The selected text is not an existing file path." : "");
}

void TestSelectionCommands::containingFolderNeverOpensTheFile() {
  const QString path = MakeFile(*FDir, "notes.txt", "x");
  SelectAll(path);
  RunCommand(*FWindow, "cmOpenContainingFolder");
  QCOMPARE(Shown(TestDesktop().Requests), "show " + path);
  // Without a file manager that selects it, the folder opens: still not the file.
  TestDesktop().Requests.clear();
  TestDesktop().Answer = false;
  RunCommand(*FWindow, "cmOpenContainingFolder");
  QCOMPARE(Shown(TestDesktop().Requests), "show " + path + "\nurl " + QUrl::fromLocalFile(FDir->path()).toString());
}

void TestSelectionCommands::terminalAtTheFilesFolder() {
  TScriptedBoxes boxes;
  const QString path = MakeFile(*FDir, "--help", "x");  // a name like an option stays a folder's file
  SelectAll(path);
  RunCommand(*FWindow, "cmOpenFolderCmd");
  QCOMPARE(boxes.Texts(), QStringList{"A terminal emulator is not available on this system."});
  TestDesktop().Installed = {"xterm", "x-terminal-emulator"};
  RunCommand(*FWindow, "cmOpenFolderCmd");
  QCOMPARE(Shown(TestDesktop().Requests), "start /usr/bin/x-terminal-emulator in " + FDir->path());
}

void TestSelectionCommands::registryKeys_data() {
  QTest::addColumn<QString>("selection");
  QTest::addColumn<QString>("message");
  QTest::newRow("key") << "HKLM\\Software\\Microsoft" << "The Registry Editor is not available on this system.";
  QTest::newRow("not_a_key") << "hello" << "The selected text does not look like a registry key.";
}

void TestSelectionCommands::registryKeys() {
  QFETCH(QString, selection);
  QFETCH(QString, message);
  TScriptedBoxes boxes;
  SelectAll(selection);
  RunCommand(*FWindow, "cmOpenRegedit");
  QCOMPARE(boxes.Texts(), QStringList{message});
  QVERIFY(TestDesktop().Requests.isEmpty());
}

void TestSelectionCommands::webToolsCopyTheSelectionFirst_data() {
  QTest::addColumn<bool>("autoCopy");
  QTest::newRow("auto_copy_on") << true;
  QTest::newRow("auto_copy_off") << false;
}

void TestSelectionCommands::webToolsCopyTheSelectionFirst() {
  QFETCH(bool, autoCopy);
  FWindow->Settings().FAutoCopySecTools = autoCopy;
  SetClipboardText("before");
  SelectAll("203.0.113.5");
  RunCommand(*FWindow, "cmQuennetIpRep");
  QCOMPARE(ClipboardText(), autoCopy ? "203.0.113.5" : "before");
  QCOMPARE(Shown(TestDesktop().Requests), "url " + KWebToolsSite + "/tools/ip-reputation");
}

void TestSelectionCommands::openUrlOn_data() {
  QTest::addColumn<QString>("selection");
  QTest::addColumn<QString>("command");
  QTest::addColumn<QStringList>("installed");
  QTest::addColumn<QString>("requests");
  QTest::addColumn<QString>("message");
  const QString url = "https://example.com/a?b=c";
  QTest::newRow("default_browser") << "  " + url + "  " << "cmOpenUrlDefault" << QStringList{} << "url " + url << "";
  QTest::newRow("chrome_as_chromium") << url << "cmOpenUrlChrome" << QStringList{"chromium"}
                                      << "start /usr/bin/chromium [" + url + "]" << "";
  QTest::newRow("firefox") << url << "cmOpenUrlFirefox" << QStringList{"firefox-esr", "firefox"}
                           << "start /usr/bin/firefox [" + url + "]" << "";
  QTest::newRow("edge_missing") << url << "cmOpenUrlEdge" << QStringList{} << ""
                                << "Edge is not available on this system.";
  QTest::newRow("option_after_address_refused") << url + " --user-data-dir=/tmp/x" << "cmOpenUrlFirefox"
                                                << QStringList{"firefox"} << "" << "";
  QTest::newRow("not_a_web_address") << "file:///etc/passwd" << "cmOpenUrlDefault" << QStringList{} << "" << "";
}

void TestSelectionCommands::openUrlOn() {
  QFETCH(QString, selection);
  QFETCH(QString, command);
  QFETCH(QStringList, installed);
  QFETCH(QString, requests);
  QFETCH(QString, message);
  TScriptedBoxes boxes;
  TestDesktop().Installed = installed;
  SelectAll(selection);
  RunCommand(*FWindow, command);
  QCOMPARE(Shown(TestDesktop().Requests), requests);
  QCOMPARE(boxes.Texts().join('|'), message);
}

void TestSelectionCommands::launchers_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("requests");
  QTest::addColumn<QString>("message");
  const QString notHere = " is not available on this system.";
  QTest::newRow("root_folder") << "miOpenCDrive" << "url file:///" << "";
  QTest::newRow("all_users_startup") << "miOpenStartupAll" << "" << "Folder not found: /etc/xdg/autostart";
  QTest::newRow("windows_folder") << "miOpenWindows" << "" << "The Windows folder" + notHere;
  QTest::newRow("this_pc") << "miOpenThisPC" << "" << "This PC" + notHere;
  QTest::newRow("registry_editor") << "miOpenRegedit" << "" << "The Registry Editor" + notHere;
  QTest::newRow("registry_key") << "miRegHKLMRun" << "" << "The Registry Editor" + notHere;
  QTest::newRow("services") << "miOpenServices" << "" << "The Windows Services console" + notHere;
  QTest::newRow("web_tools_home") << "miQuennet" << "url " + KWebToolsSite + "/tools/" << "";
}

void TestSelectionCommands::launchers() {
  QFETCH(QString, command);
  QFETCH(QString, requests);
  QFETCH(QString, message);
  if (command == "miOpenStartupAll" && QFileInfo("/etc/xdg/autostart").isDir()) {
    message.clear();
    requests = "url file:///etc/xdg/autostart";
  }
  TScriptedBoxes boxes;
  RunCommand(*FWindow, command);
  QCOMPARE(Shown(TestDesktop().Requests), requests);
  QCOMPARE(boxes.Texts().join('|'), message);
}

// Downloads, Documents, Startup and Temp follow the user's folders as the environment names them.
void TestSelectionCommands::foldersFromTheEnvironment() {
  TScriptedBoxes boxes;
  const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME"), tmp = qgetenv("TMPDIR");
  QDir(FDir->path()).mkpath("home/.config");
  QDir(FDir->path()).mkpath("temp");
  qputenv("HOME", FDir->filePath("home").toUtf8());
  qputenv("XDG_CONFIG_HOME", FDir->filePath("home/.config").toUtf8());
  qputenv("TMPDIR", FDir->filePath("temp").toUtf8());
  RunCommand(*FWindow, "miOpenDownloads");
  QDir(FDir->path()).mkpath("home/Documents");
  QDir(FDir->path()).mkpath("home/.config/autostart");
  RunCommand(*FWindow, "miOpenDocuments");
  RunCommand(*FWindow, "miOpenStartup");
  RunCommand(*FWindow, "miOpenTemp");
  qputenv("HOME", home);
  config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
  tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
  QCOMPARE(boxes.Texts(), QStringList{"Folder not found: " + FDir->filePath("home/Downloads")});
  QCOMPARE(Shown(TestDesktop().Requests), QStringList({"url " + QUrl::fromLocalFile(FDir->filePath("home/Documents")).toString(),
                                                       "url " + QUrl::fromLocalFile(FDir->filePath("home/.config/autostart")).toString(),
                                                       "url " + QUrl::fromLocalFile(FDir->filePath("temp")).toString()})
                                              .join("\n"));
}

void TestSelectionCommands::systemTools_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QStringList>("installed");
  QTest::addColumn<bool>("starts");
  QTest::addColumn<QString>("requests");
  QTest::addColumn<QString>("message");
  QTest::newRow("task_manager") << "miOpenTaskMgr" << QStringList{"xfce4-taskmanager"} << true
                                << "start /usr/bin/xfce4-taskmanager" << "";
  QTest::newRow("task_manager_failing") << "miOpenTaskMgr" << QStringList{"xfce4-taskmanager"} << false
                                        << "start /usr/bin/xfce4-taskmanager" << "Could not launch: xfce4-taskmanager";
  QTest::newRow("task_manager_missing") << "miOpenTaskMgr" << QStringList{} << true << ""
                                        << "Could not launch: Task Manager. None of these programs is installed: "
                                           "gnome-system-monitor, plasma-systemmonitor, ksysguard, xfce4-taskmanager, "
                                           "mate-system-monitor, lxtask.";
  QTest::newRow("paint") << "miOpenPaint" << QStringList{"gimp", "kolourpaint"} << true
                         << "start /usr/bin/kolourpaint" << "";
  QTest::newRow("snipping_region") << "miOpenSnipping" << QStringList{"spectacle"} << true
                                   << "start /usr/bin/spectacle [--region]" << "";
  QTest::newRow("snipping_every_one_tried") << "miOpenSnipping" << QStringList{"flameshot", "gnome-screenshot"} << false
                                            << "start /usr/bin/gnome-screenshot [--area]\nstart /usr/bin/flameshot [gui]"
                                            << "Could not launch the Snipping Tool.";
}

void TestSelectionCommands::systemTools() {
  QFETCH(QString, command);
  QFETCH(QStringList, installed);
  QFETCH(bool, starts);
  QFETCH(QString, requests);
  QFETCH(QString, message);
  TScriptedBoxes boxes;
  TestDesktop().Installed = installed;
  TestDesktop().Answer = starts;
  RunCommand(*FWindow, command);
  QCOMPARE(Shown(TestDesktop().Requests), requests);
  QCOMPARE(boxes.Texts().join('|'), message);
}

void TestSelectionCommands::hostsFileOpensInTheEditor() {
  if (!QFileInfo("/etc/hosts").isFile()) QSKIP("this system has no /etc/hosts");
  TScriptedBoxes boxes;
  RunCommand(*FWindow, "miOpenHosts");
  QVERIFY(WaitForLoads(*FWindow));
  QCOMPARE(FWindow->ActiveDoc()->FileName, "/etc/hosts");
  QVERIFY(TestDesktop().Requests.isEmpty());
}

void TestSelectionCommands::contextMenuLayout() {
  QMenu *menu = FWindow->ContentMenu().Menu();
  QCOMPARE(menu->objectName(), "pmContent");
  Open(*menu);
  QCOMPARE(MenuLines(*menu), QStringList({"Copy Current Line", "Copy Around Caret>", "Select Around Caret>",
                                          "&Begin/End Select", "-", "(UPPERCASE)", "(lowercase)", "Encode/Decode>",
                                          "Hash String>", "Defang URL>", "Timestamp to>", "-", "(Search on Google)", "(View URL Page Source)",
                                          "(Open URL on>)", "(File Details>)", "(Open on Regedit)", "-", "Insert>",
                                          "-", "Security Tools>", "Generic Tools>"}));
  auto *insert = menu->findChild<QMenu *>("cmInsert");
  QVERIFY(insert);
  Open(*insert);
  QCOMPARE(MenuLines(*insert),
           QStringList({"UUID", "GUID (Windows)", "Date && Time>", "Color>", "(Current File>)", "Computer Details>",
                        "EXE Version Info>", "EXE Signer", "Random>", "-", "My IP Address", "Website IP Address",
                        "IP to Hostname", "URL Page Title", "URL Meta Description", "-", "Full File Path"}));
  auto *copyAround = menu->findChild<QMenu *>("cmCopyAround");
  QCOMPARE(copyAround->actions().size(), 15);
  QCOMPARE(copyAround->actions()[11]->text(), "Between Double Quotes \"\"");
  QCOMPARE(menu->findChild<QMenu *>("cmSelectAround")->actions().size(), 13);
  QCOMPARE(menu->findChild<QMenu *>("cmSecTools")->actions().first()->text(), "ASN Lookup");
  QCOMPARE(menu->findChild<QMenu *>("cmSecTools")->actions().size(), 13);
  QCOMPARE(menu->findChild<QMenu *>("cmGenTools")->actions().size(), 14);
  QCOMPARE(menu->findChild<QMenu *>("cmOpenUrlOn")->actions().size(), 4);
  QCOMPARE(MenuLines(*menu->findChild<QMenu *>("cmFileDetails")),
           QStringList({"Open File Properties", "Calculate File Hash", "Open Containing Folder", "Open Folder into CMD"}));
}

void TestSelectionCommands::contextMenuEnabling_data() {
  QTest::addColumn<QString>("selection");  // %1: an existing file
  QTest::addColumn<QStringList>("enabled");
  QTest::addColumn<QStringList>("disabled");
  QTest::newRow("path") << "\"%1\"" << QStringList{"cmFileDetails", "cmGoogle"}
                        << QStringList{"cmOpenUrlOn", "cmViewPageSource", "cmOpenRegedit"};
  QTest::newRow("url") << " https://example.com " << QStringList{"cmOpenUrlOn", "cmViewPageSource", "cmGoogle"}
                       << QStringList{"cmFileDetails", "cmOpenRegedit"};
  QTest::newRow("registry_key") << "HKCU\\Software" << QStringList{"cmOpenRegedit"}
                                << QStringList{"cmFileDetails", "cmOpenUrlOn"};
  QTest::newRow("long_url_over_500") << "https://example.com/" + QString(500, 'a') << QStringList{}
                                     << QStringList{"cmOpenUrlOn", "cmViewPageSource", "cmGoogle"};
  QTest::newRow("two_lines") << "https://a.example\r\nx" << QStringList{}
                             << QStringList{"cmOpenUrlOn", "cmGoogle", "cmFileDetails"};
}

void TestSelectionCommands::contextMenuEnabling() {
  QFETCH(QString, selection);
  QFETCH(QStringList, enabled);
  QFETCH(QStringList, disabled);
  SelectAll(selection.arg(MakeFile(*FDir, "file.txt", "x")));
  QMenu *menu = FWindow->ContentMenu().Menu();
  Open(*menu);
  const auto isEnabled = [&](const QString &name) {
    if (auto *submenu = menu->findChild<QMenu *>(name)) return submenu->menuAction()->isEnabled();
    return FWindow->Commands().Action(name)->isEnabled();
  };
  for (const QString &name : enabled) QVERIFY2(isEnabled(name), qPrintable(name));
  for (const QString &name : disabled) QVERIFY2(!isEnabled(name), qPrintable(name));
  Q_EMIT menu->aboutToHide();
}

void TestSelectionCommands::rightClickOpensTheContextMenu() {
  FWindow->show();
  QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
  TMEEdit *editor = FWindow->ActiveEditor();
  QMenu *menu = FWindow->ContentMenu().Menu();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 10), editor->viewport()->mapToGlobal(QPoint(20, 10)));
  QCoreApplication::sendEvent(editor->viewport(), &event);
  QTRY_VERIFY(menu->isVisible());
  menu->hide();
}

QTEST_MAIN(TestSelectionCommands)
#include "test_selection_commands.moc"
