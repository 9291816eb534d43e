#pragma once
// The editor's context menu (pmContent), laid out as a table of command names and submenus. An
// item whose command is not registered is left out, so the menu grows as command sets are added;
// a submenu is enabled by its own condition when the menu opens, and the registry shows its items'
// state.
#include "MenuEntry.h"

#include <functional>
#include <vector>

class QMenu;
class QPoint;
class QWidget;
class TCommandContext;
class TCommandRegistry;
class TMEEdit;

class TContentMenu {
 public:
  TContentMenu(const TCommandRegistry &registry, TCommandContext &context, QWidget *parent);

  QMenu *Menu() const { return FMenu; }
  // Editors ask for this menu on a right click.
  void AttachTo(TMEEdit *editor) const;

 private:
  std::vector<TMenuEntry> Layout() const;
  void Build(QMenu &menu, const std::vector<TMenuEntry> &entries);
  void ShowSubmenuState() const;

  const TCommandRegistry &FRegistry;
  TCommandContext &FContext;
  QMenu *FMenu;
  std::vector<std::pair<QMenu *, std::function<bool()>>> FSubmenus;
};
