// TfrmMain: the Search menu, the find dialog and its commands, Find All with the results panel,
// Go to Line and Find Tab.
#include "MainWindow.h"

#include "app/search/FindReplaceDialog.h"
#include "app/search/FindTabDialog.h"
#include "app/search/GotoLineDialog.h"
#include "app/search/ResultsPanel.h"
#include "app/search/SearchCommands.h"
#include "editor/Edit.h"
#include "platform/Shell.h"

#include <QMenuBar>
#include <QSplitter>
#include <QTabWidget>

void TfrmMain::CreateSearch() {
  FSearchCommands = std::make_unique<TSearchCommands>();
  FSearchCommands->ActiveEditor = [this] { return ActiveEditor(); };
  FSearchCommands->Editors = [this] {
    QList<TMEEdit *> editors;
    for (TEditorDoc *doc : OpenDocs()) editors.append(doc->Editor);
    return editors;
  };
  // The tabs and the results panel share the window's middle, the panel below.
  spltResults = new QSplitter(Qt::Vertical, this);
  pnlResults = new TResultsPanel(spltResults);
  spltResults->addWidget(pcTabs);
  spltResults->addWidget(pnlResults);
  spltResults->setStretchFactor(0, 1);
  spltResults->setHandleWidth(5);
  spltResults->setSizes({400, 190});
  pnlResults->hide();
  pnlResults->OnGotoHit = [this](const TSearchHit &hit) { GotoSearchHit(hit); };
  setCentralWidget(spltResults);

  QMenu *search = menuBar()->addMenu(QStringLiteral("&Search"));
  auto add = [&](const QString &caption, auto slot, const QKeySequence &keys) {
    QAction *action = search->addAction(caption, this, slot);
    action->setShortcut(keys);
    return action;
  };
  add(QStringLiteral("&Find..."), &TfrmMain::miFindClick, QKeySequence(QStringLiteral("Ctrl+F")));
  add(QStringLiteral("Find &Next"), &TfrmMain::miFindNextClick, QKeySequence(Qt::Key_F3));
  add(QStringLiteral("Find Pre&vious"), &TfrmMain::miFindPrevClick, QKeySequence(QStringLiteral("Shift+F3")));
  add(QStringLiteral("&Replace..."), &TfrmMain::miReplaceClick, QKeySequence(QStringLiteral("Ctrl+H")));
  add(QStringLiteral("&Go to Line..."), &TfrmMain::miGotoLineClick, QKeySequence(QStringLiteral("Ctrl+G")));
  search->addSeparator();
  search->addAction(QStringLiteral("Find Tab..."), this, &TfrmMain::miTabFindClick);
}

TMEEditSearchCustom *TfrmMain::NewDocSearchEngine() { return FSearchCommands->LiteralEngine(); }

TfrmFindReplace *TfrmMain::FindDialog() {
  if (FFindDialog) return FFindDialog;
  FFindDialog = new TfrmFindReplace(*FSearchCommands, this);
  if (FSettings.FFindStateLoaded)
    FFindDialog->SetPersistedState(FSettings.FFindMatchCase, FSettings.FFindWholeWord, FSettings.FFindMode,
                                   FSettings.FFindScopeAll);
  FFindDialog->OnFindAll = [this](const TFindAllQuery &query, bool allFiles) { return FindAll(query, allFiles); };
  FFindDialog->OnReplacedAll = [this] { UpdateStatus(); };
  return FFindDialog;
}

void TfrmMain::ShowFindDialog(bool replace) {
  TMEEdit *editor = ActiveEditor();
  FindDialog()->ShowFor(editor && editor->SelAvail() ? editor->SelText() : QString(), replace);
}

void TfrmMain::miFindClick() { ShowFindDialog(false); }
void TfrmMain::miReplaceClick() { ShowFindDialog(true); }

void TfrmMain::miFindNextClick() {
  // F3 repeats the typed text plainly: no escapes, no options.
  if (!FFindDialog || FFindDialog->FindBoxText().isEmpty()) return miFindClick();
  FSearchCommands->FindNext(FFindDialog->FindBoxText(), 0);
}

void TfrmMain::miFindPrevClick() {
  if (!FFindDialog || FFindDialog->FindBoxText().isEmpty()) return miFindClick();
  FSearchCommands->FindPrevious(FFindDialog->FindBoxText(), 0);
}

int TfrmMain::FindAll(const TFindAllQuery &query, bool allFiles) {
  QList<TFindAllDoc> docs;
  const auto snapshot = [&](TEditorDoc *doc) {
    docs.append({doc->Id, doc->FileName.isEmpty() ? doc->DisplayName() : doc->FileName, doc->Editor->Lines().Lines()});
  };
  if (allFiles) {
    for (TEditorDoc *doc : OpenDocs()) snapshot(doc);
  } else if (TEditorDoc *doc = ActiveDoc()) {
    snapshot(doc);
  }
  return pnlResults->FindAll(query, docs);
}

void TfrmMain::GotoSearchHit(const TSearchHit &hit) {
  // The document may have been closed since the search.
  TEditorDoc *doc = FindDoc(hit.Doc);
  if (!doc) return;
  ActivateDoc(doc->Id);
  TMEEdit *editor = doc->Editor;
  editor->SetCaretAndSelection({hit.Col, hit.Line}, {hit.Col, hit.Line}, {hit.Col + hit.Len, hit.Line});
  editor->EnsureCursorPosVisible();
  editor->setFocus();
  UpdateStatus();
  UpdateTitle();
}

void TfrmMain::miGotoLineClick() {
  TMEEdit *editor = ActiveEditor();
  if (!editor) return;
  TfrmGotoLine dialog(this);
  int target = 0;
  if (!dialog.Execute(editor->CaretY(), editor->Lines().GetCount(), target)) return;
  editor->SetCaretXY({1, target});
  editor->EnsureCursorPosVisible();
  editor->setFocus();
}

void TfrmMain::miTabFindClick() {
  if (!FFindTabDialog) {
    FFindTabDialog = new TfrmFindTab(this);
    FFindTabDialog->OpenTabs = [this] {
      QList<TTabInfo> tabs;
      for (TEditorDoc *doc : OpenDocs())
        tabs.append({doc->Id, doc->DisplayName(), doc->FileName, doc->Editor->Modified()});
      return tabs;
    };
    FFindTabDialog->ActivateDoc = [this](TDocId doc) { ActivateDoc(doc); };
    FFindTabDialog->CloseDocList = [this](const QList<TDocId> &docs) {
      CloseDocList(std::vector<TDocId>(docs.begin(), docs.end()));
    };
    FFindTabDialog->OpenContainingFolder = [](const QString &path) { ShowInFileManager(path); };
  }
  FFindTabDialog->show();
  FFindTabDialog->raise();
  FFindTabDialog->activateWindow();
}

void TfrmMain::StoreFindState(TSettingsSnapshot &snapshot) {
  snapshot.FindDialogExists = FFindDialog != nullptr;
  if (!FFindDialog) return;
  FSettings.FFindMatchCase = FFindDialog->MatchCase();
  FSettings.FFindWholeWord = FFindDialog->WholeWord();
  FSettings.FFindScopeAll = FFindDialog->ScopeAll();
  FSettings.FFindMode = FFindDialog->Mode();
}
