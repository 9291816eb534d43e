#pragma once
// The tab context menu (pmTabs): closing tabs around the one under the mouse, the file behind it
// (trash, file manager, terminal, its paths on the clipboard, reload), save, print and clear. The
// menu remembers the document it was opened on by its id, and every item looks it up when it runs:
// a document closed meanwhile (by a load that failed, say) is gone, and the item does nothing
// rather than act on whatever tab now stands in its place.
#include "Command.h"
#include "app/DocId.h"

#include <vector>

class QMenu;
class QPoint;
class QWidget;
class TCommandContext;
class TCommandRegistry;
struct TEditorDoc;

class TTabMenu {
 public:
  // registry serves the items that act as the main menu's do (Close All, Print).
  TTabMenu(TCommandContext &context, TCommandRegistry &registry);

  std::vector<TCommand> Commands();
  // Makes the menu, a child of parent, from the registry's tab commands.
  void CreateMenu(QWidget &parent);
  QMenu *Menu() const { return pmTabs; }

  // Opens the menu for the document of the tab under the mouse, which becomes the active tab;
  // KNoDoc (no tab under the mouse) lets the items act on the active document.
  void Popup(TDocId doc, const QPoint &globalPos);
  // What the items act on: the document the menu was opened on, or the active one; null when the
  // document the menu was opened on is gone.
  TEditorDoc *PopupDoc() const;

 private:
  // The position of the menu's document among the tabs; -1 when it was opened outside the tabs.
  int PopupIndex() const;
  void pmCloseClick();
  void pmCloseOthersClick();
  void pmCloseLeftClick();
  void pmCloseRightClick();
  void pmCloseUnchangedClick();
  void pmSaveClick(bool saveAs);
  void pmCopyAllClick(bool paths);
  void pmPrintClick();
  void pmClearAllClick();

  TCommandContext &FContext;
  TCommandRegistry &FRegistry;
  QMenu *pmTabs = nullptr;
  TDocId FPopupDoc = KNoDoc;
};
