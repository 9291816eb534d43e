// TfrmMain: the results panel under the tabs, Find All over the documents into it, and going to a
// hit. The Search menu's commands and dialogs are app/menus/SearchMenu.
#include "MainWindow.h"

#include "app/menus/EditMenu.h"
#include "app/menus/SearchMenu.h"
#include "app/search/ResultsPanel.h"
#include "editor/Edit.h"

#include <QSplitter>
#include "TabStrip.h"

void TfrmMain::CreateResultsPanel() {
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
  FEditMenu->SetResultsPanel([this] { return pnlResults; });
  setCentralWidget(spltResults);
}

TMEEditSearchCustom *TfrmMain::NewDocSearchEngine() { return FSearchMenu->LiteralEngine(); }

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
