#pragma once
// TCommandRegistry: the window's commands and the one action each. A menu refreshes its items'
// enabled and checked state when it opens; when it closes, its items are enabled again, because a
// disabled action's shortcut is dead too, and a shortcut must act on the state of the moment (the
// command checks that itself), not on the state the menu showed last.
#include "Command.h"

#include <QStringList>

#include <unordered_map>
#include <vector>

class QAction;
class QMenu;
class QWidget;

class TCommandRegistry {
 public:
  // The actions are children of window and listed on it, so their shortcuts act while it is the
  // active window, whichever menu or bar shows them.
  explicit TCommandRegistry(QWidget &window);

  void Add(std::vector<TCommand> commands);
  const std::vector<TCommand> &Commands() const { return FCommands; }
  // Null for a name no command has.
  QAction *Action(const QString &name) const;

  // Appends the named commands' actions to menu in order; "-" is a separator.
  void AddItems(QMenu &menu, const QStringList &names) const;
  // From now on menu shows its items' state while it is open. Slots connected to the menu's
  // aboutToShow before this call run first (a menu that fills itself on opening).
  void FollowState(QMenu &menu) const;

 private:
  const TCommand *CommandOf(const QAction *action) const;
  void ShowState(const QMenu &menu) const;
  void ReleaseState(const QMenu &menu) const;

  QWidget &FWindow;
  std::vector<TCommand> FCommands;
  std::vector<QAction *> FActions;  // FActions[i] is FCommands[i]'s
  std::unordered_map<const QAction *, size_t> FIndexOf;
};
