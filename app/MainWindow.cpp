#include "MainWindow.h"

#include "CommandLine.h"
#include "EditorLook.h"
#include "HandOffQueue.h"
#include "RecentFiles.h"
#include "TabStrip.h"
#include "app/menus/CaretCommands.h"
#include "app/menus/CommandRegistry.h"
#include "app/menus/ContentMenu.h"
#include "app/menus/EditMenu.h"
#include "app/menus/EditorContextMenu.h"
#include "app/menus/FileMenu.h"
#include "app/menus/InsertCommands.h"
#include "app/menus/LauncherCommands.h"
#include "app/menus/NetInsertCommands.h"
#include "app/menus/PageSourceCommands.h"
#include "app/menus/PrintCommand.h"
#include "app/menus/SearchMenu.h"
#include "app/menus/SelectionActions.h"
#include "app/menus/TabMenu.h"
#include "app/menus/ToolsMenu.h"
#include "app/menus/ViewMenu.h"
#include "core/FileLoader.h"
#include "editor/Edit.h"
#include "highlight/HighlighterSet.h"
#include "highlight/LanguageMenu.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace {
const QString KFileFilter = QStringLiteral(
    "All files (*);;Source/text (*.txt *.json *.html *.htm *.css *.js *.pas *.dpr *.php *.py *.go *.sh)");

QStringList LocalPaths(const QMimeData *data) {
  QStringList paths;
  for (const QUrl &url : data->urls())
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths << url.toLocalFile();
  return paths;
}
}  // namespace

TfrmMain::TfrmMain(QStringList arguments, QString settingsPath, QWidget *parent)
    : QMainWindow(parent), FSettingsPath(std::move(settingsPath)), FArguments(std::move(arguments)) {
  AskSavePath = [this](const QString &current) {
    return QFileDialog::getSaveFileName(this, QString(), current, KFileFilter);
  };
  AskOpenPaths = [this] { return QFileDialog::getOpenFileNames(this, QString(), QString(), KFileFilter); };
  FHandOffs = new THandOffQueue([this](const QString &text) { OpenHandOff(text); }, this);
  FormCreate();
}

TfrmMain::~TfrmMain() {
  // A loader still running must not hand its result to a window that is gone: stop each one and
  // serve its remaining hand-overs (which now do nothing) until it has finished.
  FClosing = true;
  for (const TRunningLoad &load : FLoaders) {
    if (!load.Loader) continue;
    load.Loader->requestInterruption();
    while (load.Loader && !load.Loader->wait(10)) QCoreApplication::processEvents();
  }
  pcTabs->disconnect(this);
  pcTabs->Strip()->disconnect(this);
}

void TfrmMain::FormCreate() {
  FHighlighters = std::make_unique<THighlighterSet>();
  FLanguageMenu = std::make_unique<TLanguageMenuItem>(BuildLanguageMenu());
  CreateTabs();
  lblStatus = new QLabel(this);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setMaximumWidth(200);
  ProgressBar1->hide();
  statusBar()->addWidget(lblStatus, 1);
  statusBar()->addPermanentWidget(ProgressBar1);
  FLoadProgress = std::make_unique<TLoadProgress>(lblStatus, ProgressBar1);
  setAcceptDrops(true);
  resize(900, 600);
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  CreateMenus();
  CreateResultsPanel();
  NewDoc();
  TSettingsStore store(FSettingsPath);
  // The highlighters take the palette of the background even when no settings could be read.
  if (LoadSettings(store, FSettings, geometry())) ApplySettings();
  else ApplyLook();
  statusBar()->setVisible(FSettings.FShowStatusBar);
  UpdateTitle();
  QTimer::singleShot(0, this, &TfrmMain::StartUp);
}

void TfrmMain::CreateMenus() {
  FCommands = std::make_unique<TCommandRegistry>(*this);
  FSearchMenu = std::make_unique<TSearchMenu>(*this);
  FSearchMenu->FindAll = [this](const TFindAllQuery &query, bool allFiles) { return FindAll(query, allFiles); };
  FEditMenu = std::make_unique<TEditMenu>(*this);
  FCaretCommands = std::make_unique<TCaretCommands>(*this);
  FSelectionActions = std::make_unique<TSelectionActions>(*this);
  FInsertCommands = std::make_unique<TInsertCommands>(*this);
  FNetInserts = std::make_unique<TNetInsertCommands>(*this);
  FPageSource = std::make_unique<TPageSourceCommands>(*this);
  FLaunchers = std::make_unique<TLauncherCommands>(*this);
  FToolsMenu = std::make_unique<TToolsMenu>(*this);
  FCommands->Add(FileCommands(*this));
  FCommands->Add(FEditMenu->Commands());
  FCommands->Add(EditorContextToolCommands(*this, FEditMenu->Driver()));
  FPrintCommand = std::make_unique<TPrintCommand>(*this);
  FCommands->Add(FPrintCommand->Commands());
  FCommands->Add(FSearchMenu->Commands());
  FCommands->Add(ViewCommands(*this));
  FCommands->Add(FToolsMenu->Commands());
  FCommands->Add(FCaretCommands->Commands());
  FCommands->Add(FSelectionActions->Commands());
  FCommands->Add(FInsertCommands->Commands());
  FCommands->Add(FNetInserts->Commands());
  FCommands->Add(FPageSource->Commands());
  FCommands->Add(FLaunchers->Commands());
  FTabMenu = std::make_unique<TTabMenu>(*this, *FCommands);
  FCommands->Add(FTabMenu->Commands());
  AddFileMenu(*menuBar(), *FCommands, *this);
  FEditMenu->AddMenu(*menuBar(), *FCommands);
  FSearchMenu->AddMenu(*menuBar(), *FCommands);
  AddViewMenu(*menuBar(), *FCommands);
  FToolsMenu->AddMenu(*menuBar(), *FCommands);
  TLauncherCommands::AddToToolsMenu(*menuBar(), *FCommands);
  FContentMenu = std::make_unique<TContentMenu>(*FCommands, *this, this);
  FTabMenu->CreateMenu(*this);
}

void TfrmMain::StartUp() {
  OpenFiles(CollectCommandLineFiles(FArguments, QDir::currentPath()));
  if (!FSettings.FAutoLoadSession || !FArguments.isEmpty()) return;
  QStringList session;
  for (const QString &entry : FSettings.FSessionFiles) {
    const QString path = TrimBlanks(entry);
    if (!path.isEmpty() && QFileInfo(path).isFile()) session << path;
  }
  OpenFiles(session);
}

void TfrmMain::ReceiveHandOff(const QString &text) { FHandOffs->Receive(text); }

void TfrmMain::OpenHandOff(const QString &text) {
  OpenFiles(FilesFromHandOffText(text));
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void TfrmMain::ApplySettings() {
  for (TEditorDoc *doc : FDocs.All()) ApplyEditorView(*doc->Editor, FSettings);
  ApplyLook();
  for (TEditorDoc *doc : FDocs.All())
    ApplyIndentSettings(doc->Editor, doc->FileName.isEmpty() ? doc->DisplayName() : doc->FileName);
  setWindowFlag(Qt::WindowStaysOnTopHint, FSettings.FAlwaysOnTop);
  if (FSettings.FHaveSavedBounds) setGeometry(FSettings.FSavedBounds);
  if (FSettings.FRestoreMaximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmMain::ApplyLook() {
  const bool dark = IsDarkColor(SettingsBgColor(FSettings));
  for (const auto &highlighter : FHighlighters->Highlighters()) highlighter->ApplyPalette(dark);
  for (TEditorDoc *doc : FDocs.All()) ApplyEditorLook(*doc->Editor, FSettings);
}

void TfrmMain::SaveSettingsNow() {
  TSettingsSnapshot snapshot;
  snapshot.NormalBounds = normalGeometry().isValid() ? normalGeometry() : geometry();
  snapshot.Maximized = isMaximized();
  for (int i = 0; i < pcTabs->count(); ++i)
    if (const TEditorDoc *doc = DocOfEditor(pcTabs->widget(i)); doc && !doc->FileName.isEmpty())
      snapshot.SessionFiles << doc->FileName;
  snapshot.FindDialogExists = FSearchMenu->StoreFindState(FSettings);
  TSettingsStore store(FSettingsPath);
  SaveSettings(store, FSettings, snapshot);
  if (const QString failure = store.WriteError(); !failure.isEmpty())
    ShowError(this, QStringLiteral("Could not save settings: ") + failure);
}

bool TfrmMain::FormCloseQuery() {
  if (FInCloseQuery) return false;
  FInCloseQuery = true;
  FBatchClose = true;
  FBulkSave = bsAsk;
  bool allowed = true;
  try {
    const std::vector<TDocId> snapshot = FDocs.Ids();
    for (auto it = snapshot.rbegin(); it != snapshot.rend() && allowed; ++it)
      if (TEditorDoc *doc = FDocs.Find(*it)) allowed = ConfirmCloseDoc(doc);
  } catch (const std::exception &error) {
    allowed = false;
    ShowError(this, QStringLiteral("An unexpected error occurred while closing:\r\n") + QString::fromLocal8Bit(error.what()) +
                        QStringLiteral("\r\n\r\nThe application has stayed open so you can save your work."));
  }
  FBatchClose = false;
  FBulkSave = bsAsk;
  FInCloseQuery = false;
  return allowed;
}

void TfrmMain::closeEvent(QCloseEvent *event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  SaveSettingsNow();
  event->accept();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent *event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent *event) {
  OpenFiles(LocalPaths(event->mimeData()));
  event->acceptProposedAction();
}

// Drops on an editor reach the window's own road.
bool TfrmMain::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::DragEnter) {
    auto *drag = static_cast<QDragEnterEvent *>(event);
    if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
    return true;
  }
  if (event->type() == QEvent::Drop) {
    dropEvent(static_cast<QDropEvent *>(event));
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::AddToRecent(const QString &path) {
  if (!FSettings.FSaveRecentFiles) return;
  AddToRecentFiles(FSettings.FRecentFiles, path);
}
