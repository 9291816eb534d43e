#include "TabMenu.h"

#include "CommandContext.h"
#include "CommandRegistry.h"
#include "DocFileActions.h"
#include "app/DocList.h"
#include "editor/Edit.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

void CopyText(const QString &text) {
  if (!text.isEmpty()) SetClipboardText(text);
}

// The folder of a file, without a separator at its end unless it is the root.
QString FolderOf(const QString &path) { return QDir::toNativeSeparators(QFileInfo(path).absolutePath()); }

}  // namespace

TTabMenu::TTabMenu(TCommandContext &context, TCommandRegistry &registry) : FContext(context), FRegistry(registry) {}

std::vector<TCommand> TTabMenu::Commands() {
  const auto exists = [this] { return DocFileExists(PopupDoc()); };
  const auto named = [this] { return PopupDoc() && !PopupDoc()->FileName.isEmpty(); };
  return {
      {u"pmClose"_s, u"Close"_s, {}, [this] { pmCloseClick(); }, {}, {}},
      {u"pmCloseOthers"_s, u"Close Others"_s, {}, [this] { pmCloseOthersClick(); },
       [this] { return FContext.TabOrder().size() > 1; }, {}},
      {u"pmCloseLeft"_s, u"Close Others (Left)"_s, {}, [this] { pmCloseLeftClick(); }, [this] { return PopupIndex() > 0; }, {}},
      {u"pmCloseRight"_s, u"Close Others (Right)"_s, {}, [this] { pmCloseRightClick(); },
       [this] { return PopupIndex() >= 0 && PopupIndex() < int(FContext.TabOrder().size()) - 1; }, {}},
      {u"pmCloseAll"_s, u"Close All"_s, {}, [this] { FRegistry.Action(u"miCloseAll"_s)->trigger(); }, {}, {}},
      {u"pmCloseUnchanged"_s, u"Close All Unchanged"_s, {}, [this] { pmCloseUnchangedClick(); }, {}, {}},
      {u"pmSave"_s, u"Save"_s, {}, [this] { pmSaveClick(false); },
       [this] { return PopupDoc() && PopupDoc()->Editor->Modified(); }, {}},
      {u"pmSaveAs"_s, u"Save As..."_s, {}, [this] { pmSaveClick(true); }, {}, {}},
      {u"pmRecycle"_s, u"Move to Recycle Bin"_s, {}, [this] { RecycleDoc(FContext, PopupDoc()); }, exists, {}},
      {u"pmLocate"_s, u"Open Containing Folder"_s, {}, [this] { LocateDoc(FContext, PopupDoc()); }, exists, {}},
      {u"pmOpenCmd"_s, u"Open Folder into CMD"_s, {}, [this] { OpenTerminalAtDoc(FContext, PopupDoc()); }, exists, {}},
      {u"pmCopyPath"_s, u"Full File Path"_s, {}, [this, named] { CopyText(named() ? PopupDoc()->FileName : QString()); }, named, {}},
      {u"pmCopyName"_s, u"File Name"_s, {}, [this] { CopyText(PopupDoc() ? PopupDoc()->DisplayName() : QString()); }, {}, {}},
      {u"pmCopyDir"_s, u"Directory Path"_s, {}, [this, named] { CopyText(named() ? FolderOf(PopupDoc()->FileName) : QString()); },
       named, {}},
      {u"pmCopyAllNames"_s, u"All File Names"_s, {}, [this] { pmCopyAllClick(false); }, {}, {}},
      {u"pmCopyAllPaths"_s, u"All File Paths"_s, {}, [this] { pmCopyAllClick(true); }, {}, {}},
      {u"pmReload"_s, u"Reload File Content"_s, {}, [this] {
         if (TEditorDoc *doc = PopupDoc()) FContext.ReloadDoc(doc);
       }, exists, {}},
      {u"pmPrint"_s, u"Print"_s, {}, [this] { pmPrintClick(); }, {}, {}},
      {u"pmClearAll"_s, u"Clear All"_s, {}, [this] { pmClearAllClick(); }, {}, {}},
  };
}

void TTabMenu::CreateMenu(QWidget &parent) {
  pmTabs = new QMenu(&parent);
  pmTabs->setObjectName(u"pmTabs"_s);
  FRegistry.AddItems(*pmTabs, {u"pmClose"_s, u"pmCloseOthers"_s, u"pmCloseLeft"_s, u"pmCloseRight"_s, u"pmCloseAll"_s,
                               u"pmCloseUnchanged"_s, u"-"_s, u"pmSave"_s, u"pmSaveAs"_s, u"-"_s, u"pmRecycle"_s,
                               u"pmLocate"_s, u"pmOpenCmd"_s, u"-"_s});
  QMenu *copy = pmTabs->addMenu(u"Copy to Clipboard"_s);
  copy->setObjectName(u"pmCopy"_s);
  FRegistry.AddItems(*copy, {u"pmCopyPath"_s, u"pmCopyName"_s, u"pmCopyDir"_s, u"-"_s, u"pmCopyAllNames"_s,
                             u"pmCopyAllPaths"_s});
  FRegistry.AddItems(*pmTabs, {u"-"_s, u"pmReload"_s, u"pmPrint"_s, u"-"_s, u"pmClearAll"_s});
  FRegistry.FollowState(*pmTabs);
  FRegistry.FollowState(*copy);
}

void TTabMenu::Popup(TDocId doc, const QPoint &globalPos) {
  FPopupDoc = doc;
  if (doc != KNoDoc) FContext.ActivateDoc(doc);
  pmTabs->popup(globalPos);
}

TEditorDoc *TTabMenu::PopupDoc() const {
  return FPopupDoc == KNoDoc ? FContext.ActiveDoc() : FContext.Docs().Find(FPopupDoc);
}

int TTabMenu::PopupIndex() const {
  const std::vector<TDocId> order = FContext.TabOrder();
  const auto found = std::find(order.begin(), order.end(), FPopupDoc);
  return FPopupDoc == KNoDoc || found == order.end() ? -1 : int(found - order.begin());
}

void TTabMenu::pmCloseClick() {
  if (TEditorDoc *doc = PopupDoc(); doc && FContext.CloseDoc(doc)) FContext.AfterClose();
}

// The last made is asked first.
void TTabMenu::pmCloseOthersClick() {
  const TEditorDoc *doc = PopupDoc();
  if (!doc) return;
  std::vector<TDocId> others = FContext.Docs().Ids();
  std::erase(others, doc->Id);
  std::reverse(others.begin(), others.end());
  FContext.CloseDocList(others);
}

void TTabMenu::pmCloseLeftClick() {
  const TEditorDoc *doc = PopupDoc();
  if (!doc) return;
  std::vector<TDocId> order = FContext.TabOrder();
  order.erase(std::find(order.begin(), order.end(), doc->Id), order.end());
  FContext.CloseDocList(order);
}

// From the last tab towards the menu's.
void TTabMenu::pmCloseRightClick() {
  const TEditorDoc *doc = PopupDoc();
  if (!doc) return;
  std::vector<TDocId> order = FContext.TabOrder();
  const auto at = std::find(order.begin(), order.end(), doc->Id);
  if (at == order.end()) return;
  std::vector<TDocId> right(at + 1, order.end());
  std::reverse(right.begin(), right.end());
  FContext.CloseDocList(right);
}

// Unmodified documents close without a question, the last made first.
void TTabMenu::pmCloseUnchangedClick() {
  std::vector<TDocId> unchanged;
  const std::vector<TEditorDoc *> docs = FContext.Docs().All();
  for (auto it = docs.rbegin(); it != docs.rend(); ++it)
    if (!(*it)->Editor->Modified()) unchanged.push_back((*it)->Id);
  FContext.CloseDocList(unchanged);
}

void TTabMenu::pmSaveClick(bool saveAs) {
  TEditorDoc *doc = PopupDoc();
  if (!doc) return;
  FContext.SaveDoc(doc, saveAs);
  FContext.UpdateStatus();
}

// Each with CR LF after it, in tab order; the clipboard keeps what it had when no tab has a file.
void TTabMenu::pmCopyAllClick(bool paths) {
  QString text;
  for (const TDocId id : FContext.TabOrder())
    if (const TEditorDoc *doc = FContext.Docs().Find(id); doc && !doc->FileName.isEmpty())
      text += (paths ? doc->FileName : doc->DisplayName()) + u"\r\n"_s;
  CopyText(text);
}

// As File › Print, which prints the active document: the menu's document is made active first.
void TTabMenu::pmPrintClick() {
  const TEditorDoc *doc = PopupDoc();
  if (!doc) return;
  FContext.ActivateDoc(doc->Id);
  FRegistry.Action(u"miPrint"_s)->trigger();
}

void TTabMenu::pmClearAllClick() {
  const TEditorDoc *doc = PopupDoc();
  if (!doc || (doc->Editor->LineCount() == 1 && doc->Editor->LineText(1).isEmpty())) return;
  const TDocId id = doc->Id;
  if (!Confirm(FContext.DialogParent(), u"Clear all text in this tab? (You can undo with Ctrl+Z.)"_s)) return;
  doc = FContext.Docs().Find(id);  // the question let other events run
  if (!doc) return;
  TMEEdit &editor = *doc->Editor;
  const TMEEditUpdate update(editor);
  editor.SelectAll();
  editor.SetSelText(QString());
}
