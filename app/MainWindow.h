#pragma once
// TfrmMain: the main window. Its work is split by concern over several files: MainWindow.cpp
// (making the window, start and end), MainWindowDocs.cpp (documents, tabs, opening, loading,
// closing), MainWindowTabs.cpp (the tab strip and its menu), MainWindowSave.cpp (saving),
// MainWindowSearch.cpp (Find All and its results) and MainWindowStatus.cpp (title, status, captions). Its commands live in app/menus and see it only as
// their TCommandContext.
#include "DocList.h"
#include "LoadProgress.h"
#include "MainSettings.h"
#include "app/menus/CommandContext.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QSplitter;
class TCaretCommands;
class TCommandRegistry;
class TPrintCommand;
class TContentMenu;
class TEditMenu;
class TInsertCommands;
class TLauncherCommands;
class TNetInsertCommands;
class TPageSourceCommands;
class TResultsPanel;
class QTabWidget;
class TTabControl;
class TTabStrip;
class TTabMenu;
class TSearchMenu;
class TSelectionActions;
class TToolsMenu;
class TMEEditSearchCustom;
struct TFindAllQuery;
struct TSearchHit;
class QProgressBar;
class TFileLoaderThread;
class TMEEdit;
class THighlighterSet;
struct TLanguageMenuItem;
class TEncoding;
class THandOffQueue;

enum TBulkSave { bsAsk, bsYesAll, bsNoAll };

class TfrmMain : public QMainWindow, public TCommandContext {
  Q_OBJECT

 public:
  // settingsPath: an INI file to use instead of the user's settings (tests); arguments: the command
  // line without the program name.
  explicit TfrmMain(QStringList arguments = {}, QString settingsPath = {}, QWidget *parent = nullptr);
  ~TfrmMain() override;

  // Documents.
  TEditorDoc *ActiveDoc() const override;
  TMEEdit *ActiveEditor() const override;
  const TDocList &Docs() const override { return FDocs; }
  std::vector<TDocId> TabOrder() const override;
  TEditorDoc *DocOfEditor(const QWidget *page) const;
  // Null when the document is gone.
  TEditorDoc *FindDoc(TDocId id) const { return FDocs.Find(id); }
  TEditorDoc *FindDocByFileName(const QString &path) const;
  std::vector<TEditorDoc *> OpenDocs() const;
  void ActivateDoc(TDocId id) override;

  // The road of a document.
  void NewDoc() override;
  void OpenFile(const QString &path);
  void OpenFiles(const QStringList &paths) override;
  QStringList AskFilesToOpen() override { return AskOpenPaths(); }
  void ReloadDoc(TEditorDoc *doc) override;
  bool SaveDoc(TEditorDoc *doc, bool saveAs) override;
  void SaveCopyAs(TEditorDoc *doc) override;
  bool CloseDoc(TEditorDoc *doc) override;
  void DiscardDoc(TEditorDoc *doc);
  void AfterClose() override;
  // Closes the document (asking first) once the event that asks has finished: a click on a tab
  // must not see its tab vanish under it.
  void RequestCloseDoc(TDocId id);
  int CloseDocList(const std::vector<TDocId> &ids) override;
  void Exit() override { close(); }

  // Commands, and what the search commands show (MainWindowSearch.cpp).
  TCommandRegistry &Commands() { return *FCommands; }
  TSearchMenu &SearchMenu() { return *FSearchMenu; }
  TEditMenu &EditMenu() { return *FEditMenu; }
  // The editors' context menu.
  TContentMenu &ContentMenu() { return *FContentMenu; }
  TNetInsertCommands &NetInserts() { return *FNetInserts; }
  TPageSourceCommands &PageSource() { return *FPageSource; }
  TToolsMenu &ToolsMenu() { return *FToolsMenu; }
  TTabMenu &TabMenu() { return *FTabMenu; }
  TPrintCommand &PrintCommand() { return *FPrintCommand; }
  int FindAll(const TFindAllQuery &query, bool allFiles);
  void GotoSearchHit(const TSearchHit &hit);
  TResultsPanel *ResultsPanel() const { return pnlResults; }

  // The second copy's command line, as it arrives through the hand-off; opened once no modal
  // dialog is open.
  void ReceiveHandOff(const QString &text);

  void UpdateTitle() override;
  void UpdateStatus() override;
  void ShowStatusText(const QString &text) override;
  void UpdateTabCaption(TEditorDoc *doc);
  QString StatusText() const;
  QString CurrentLanguageName() const;
  // The Language menu as a model, checked for the active document at the last status update.
  const TLanguageMenuItem &LanguageMenu() const { return *FLanguageMenu; }
  // "Quennet Notepad v" and the four-part version.
  QString AppName() const;

  TMainSettings &Settings() override { return FSettings; }
  QWidget *DialogParent() override { return this; }
  int ActiveLoads() const { return FActiveLoads; }
  QTabWidget *Tabs() const;
  TTabStrip *TabStrip() const;
  QLabel *StatusLabel() const { return lblStatus; }
  QProgressBar *Progress() const { return ProgressBar1; }
  // The tag the Language menu checks for a document: its own, else its highlighter's.
  int LanguageTagOf(const TEditorDoc *doc) const;
  // Where the Save dialog's answer comes from; tests replace it. Empty: cancelled.
  std::function<QString(const QString &currentName)> AskSavePath;
  std::function<QStringList()> AskOpenPaths;

 protected:
  void closeEvent(QCloseEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void FormCreate();
  void CreateMenus();
  void CreateTabs();
  void StartUp();
  void ApplySettings();
  void SaveSettingsNow();
  void OpenHandOff(const QString &text);
  bool FormCloseQuery();

  TEditorDoc *CreateDocTab(const QString &caption);
  // path chooses the language's own indentation when the settings ask for it.
  void ApplyIndentSettings(TMEEdit *editor, const QString &path);
  // Font, colours and zebra stripes for every editor, and the matching palette for the highlighters.
  void ApplyLook();
  bool ConfirmCloseDoc(TEditorDoc *doc);
  void RemoveDoc(TEditorDoc *doc);
  bool IsUntouched(const TEditorDoc *doc) const;
  void LoadDirect(TEditorDoc *doc, const QString &path);
  void StartBackgroundLoad(TEditorDoc *doc, const QString &path);
  void LoaderProgress(TFileLoaderThread *sender, int percent);
  void LoaderDone(TDocId id, TFileLoaderThread *sender, std::unique_ptr<QStringList> &lines, const QString &eol,
                  const QString &error, bool success, bool hasBOM, const TEncoding *encoding);
  // A loader's thread ended, whether it handed lines over, failed or was stopped.
  void LoadEnded();
  void FinishLoad(TEditorDoc *doc, bool countSizeLater);
  void CountSizeLater(TEditorDoc *doc);
  void EditorChanged(TMEEdit *editor);
  void EditorStatusChanged(TMEEdit *editor);
  void AddToRecent(const QString &path);
  bool RefuseWhileLoading(TEditorDoc *doc);
  QString DocSizeText(const TEditorDoc *doc) const;

  // The tabs above, the results of Find All below.
  void CreateResultsPanel();
  TMEEditSearchCustom *NewDocSearchEngine();

  TDocList FDocs;
  std::unique_ptr<THighlighterSet> FHighlighters;
  std::unique_ptr<TLanguageMenuItem> FLanguageMenu;
  TMainSettings FSettings;
  QString FSettingsPath;
  QStringList FArguments;
  TTabControl *pcTabs = nullptr;
  QLabel *lblStatus = nullptr;
  QProgressBar *ProgressBar1 = nullptr;
  std::unique_ptr<TLoadProgress> FLoadProgress;
  bool FBatchOpen = false;
  bool FBatchClose = false;
  TBulkSave FBulkSave = bsAsk;
  bool FInCloseQuery = false;
  bool FClosing = false;
  int FActiveLoads = 0;
  struct TRunningLoad {
    TDocId Doc;
    QPointer<TFileLoaderThread> Loader;
  };
  std::vector<TRunningLoad> FLoaders;
  std::unique_ptr<TCommandRegistry> FCommands;
  std::unique_ptr<TSearchMenu> FSearchMenu;
  // Owns the tools' windows and scans, which it stops before the window's widgets go.
  std::unique_ptr<TEditMenu> FEditMenu;
  std::unique_ptr<TCaretCommands> FCaretCommands;
  std::unique_ptr<TSelectionActions> FSelectionActions;
  std::unique_ptr<TInsertCommands> FInsertCommands;
  std::unique_ptr<TNetInsertCommands> FNetInserts;
  std::unique_ptr<TPageSourceCommands> FPageSource;
  std::unique_ptr<TLauncherCommands> FLaunchers;
  std::unique_ptr<TContentMenu> FContentMenu;
  std::unique_ptr<TToolsMenu> FToolsMenu;
  std::unique_ptr<TTabMenu> FTabMenu;
  std::unique_ptr<TPrintCommand> FPrintCommand;
  THandOffQueue *FHandOffs = nullptr;
  QSplitter *spltResults = nullptr;
  TResultsPanel *pnlResults = nullptr;
};
