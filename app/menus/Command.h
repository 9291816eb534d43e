#pragma once
// TCommand: one command of the window as data — the item's name, caption and shortcut, what it
// does, and when a menu shows it enabled or checked. The registry makes one action of it, which
// serves the main menu, the toolbar and the context menus alike.
#include <QKeySequence>
#include <QString>

#include <functional>

struct TCommand {
  // The item's name: "miSave" (main menu), "cmCopy" (editor menu), "pmTabClose" (tab menu),
  // "tbFind" (toolbar). Unique in the registry.
  QString Name;
  QString Caption;        // "&Save"
  QKeySequence Shortcut;  // empty: none
  // Runs however the command is chosen, also by a shortcut while the state its menu showed last
  // has changed: it checks its own conditions and does nothing when they do not hold.
  std::function<void()> Run;
  std::function<bool()> Enabled;  // asked when its menu opens; null: always enabled
  std::function<bool()> Checked;  // asked when its menu opens; null: not a check item
};
