#include "SearchMenu.h"

#include "CommandContext.h"
#include "CommandRegistry.h"
#include "app/DocList.h"
#include "app/MainSettings.h"
#include "app/search/FindReplaceDialog.h"
#include "app/search/FindTabDialog.h"
#include "app/search/GotoLineDialog.h"
#include "editor/Edit.h"
#include "platform/Shell.h"

#include <QMenu>
#include <QMenuBar>

using namespace Qt::Literals::StringLiterals;

TSearchMenu::TSearchMenu(TCommandContext &context) : FContext(context) {
  FSearch.ActiveEditor = [this] { return FContext.ActiveEditor(); };
  FSearch.Editors = [this] {
    QList<TMEEdit *> editors;
    for (TEditorDoc *doc : FContext.Docs().All()) editors.append(doc->Editor);
    return editors;
  };
}

std::vector<TCommand> TSearchMenu::Commands() {
  return {
      {u"miFind"_s, u"&Find..."_s, QKeySequence(u"Ctrl+F"_s), [this] { miFindClick(); }, {}, {}},
      {u"miFindNext"_s, u"Find &Next"_s, QKeySequence(Qt::Key_F3), [this] { miFindNextClick(); }, {}, {}},
      {u"miFindPrev"_s, u"Find Pre&vious"_s, QKeySequence(u"Shift+F3"_s), [this] { miFindPrevClick(); }, {}, {}},
      {u"miReplace"_s, u"&Replace..."_s, QKeySequence(u"Ctrl+H"_s), [this] { miReplaceClick(); }, {}, {}},
      {u"miGotoLine"_s, u"&Go to Line..."_s, QKeySequence(u"Ctrl+G"_s), [this] { miGotoLineClick(); }, {}, {}},
      {u"miTabFind"_s, u"Find Tab..."_s, {}, [this] { miTabFindClick(); }, {}, {}},
  };
}

void TSearchMenu::AddMenu(QMenuBar &bar, TCommandRegistry &registry) const {
  QMenu *search = bar.addMenu(u"&Search"_s);
  search->setObjectName(u"mSearch"_s);
  registry.AddItems(*search, {u"miFind"_s, u"miFindNext"_s, u"miFindPrev"_s, u"miReplace"_s, u"miGotoLine"_s, u"-"_s,
                              u"miTabFind"_s});
  registry.FollowState(*search);
}

TfrmFindReplace *TSearchMenu::FindDialog() {
  if (FFindDialog) return FFindDialog;
  FFindDialog = new TfrmFindReplace(FSearch, FContext.DialogParent());
  const TMainSettings &settings = FContext.Settings();
  if (settings.FFindStateLoaded)
    FFindDialog->SetPersistedState(settings.FFindMatchCase, settings.FFindWholeWord, settings.FFindMode,
                                   settings.FFindScopeAll);
  FFindDialog->OnFindAll = [this](const TFindAllQuery &query, bool allFiles) {
    return FindAll ? FindAll(query, allFiles) : 0;
  };
  FFindDialog->OnReplacedAll = [this] { FContext.UpdateStatus(); };
  return FFindDialog;
}

bool TSearchMenu::StoreFindState(TMainSettings &settings) const {
  if (!FFindDialog) return false;
  settings.FFindMatchCase = FFindDialog->MatchCase();
  settings.FFindWholeWord = FFindDialog->WholeWord();
  settings.FFindScopeAll = FFindDialog->ScopeAll();
  settings.FFindMode = FFindDialog->Mode();
  return true;
}

void TSearchMenu::ShowFindDialog(bool replace) {
  TMEEdit *editor = FContext.ActiveEditor();
  FindDialog()->ShowFor(editor && editor->SelAvail() ? editor->SelText() : QString(), replace);
}

void TSearchMenu::miFindClick() { ShowFindDialog(false); }
void TSearchMenu::miReplaceClick() { ShowFindDialog(true); }

void TSearchMenu::miFindNextClick() {
  // F3 repeats the typed text plainly: no escapes, no options.
  if (!FFindDialog || FFindDialog->FindBoxText().isEmpty()) return miFindClick();
  FSearch.FindNext(FFindDialog->FindBoxText(), 0);
}

void TSearchMenu::miFindPrevClick() {
  if (!FFindDialog || FFindDialog->FindBoxText().isEmpty()) return miFindClick();
  FSearch.FindPrevious(FFindDialog->FindBoxText(), 0);
}

void TSearchMenu::miGotoLineClick() {
  TMEEdit *editor = FContext.ActiveEditor();
  if (!editor) return;
  TfrmGotoLine dialog(FContext.DialogParent());
  int target = 0;
  if (!dialog.Execute(editor->CaretY(), editor->Lines().GetCount(), target)) return;
  editor->SetCaretXY({1, target});
  editor->EnsureCursorPosVisible();
  editor->setFocus();
}

TfrmFindTab *TSearchMenu::FindTabDialog() {
  if (FFindTabDialog) return FFindTabDialog;
  FFindTabDialog = new TfrmFindTab(FContext.DialogParent());
  FFindTabDialog->OpenTabs = [this] {
    QList<TTabInfo> tabs;
    for (TEditorDoc *doc : FContext.Docs().All())
      tabs.append({doc->Id, doc->DisplayName(), doc->FileName, doc->Editor->Modified()});
    return tabs;
  };
  FFindTabDialog->ActivateDoc = [this](TDocId doc) { FContext.ActivateDoc(doc); };
  FFindTabDialog->CloseDocList = [this](const QList<TDocId> &docs) {
    FContext.CloseDocList(std::vector<TDocId>(docs.begin(), docs.end()));
  };
  FFindTabDialog->OpenContainingFolder = [](const QString &path) { ShowInFileManager(path); };
  return FFindTabDialog;
}

void TSearchMenu::miTabFindClick() {
  TfrmFindTab *dialog = FindTabDialog();
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}
