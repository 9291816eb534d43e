#include "CommandRegistry.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

TCommandRegistry::TCommandRegistry(QWidget &window) : FWindow(window) {}

void TCommandRegistry::Add(std::vector<TCommand> commands) {
  for (TCommand &command : commands) {
    auto *action = new QAction(command.Caption, &FWindow);
    action->setObjectName(command.Name);
    action->setShortcut(command.Shortcut);
    action->setCheckable(bool(command.Checked));
    QObject::connect(action, &QAction::triggered, action, [run = command.Run] {
      if (run) run();
    });
    FWindow.addAction(action);
    FIndexOf.emplace(action, FCommands.size());
    FActions.push_back(action);
    FCommands.push_back(std::move(command));
  }
}

QAction *TCommandRegistry::Action(const QString &name) const {
  for (size_t i = 0; i < FCommands.size(); ++i)
    if (FCommands[i].Name == name) return FActions[i];
  return nullptr;
}

const TCommand *TCommandRegistry::CommandOf(const QAction *action) const {
  const auto found = FIndexOf.find(action);
  return found == FIndexOf.end() ? nullptr : &FCommands[found->second];
}

void TCommandRegistry::AddItems(QMenu &menu, const QStringList &names) const {
  for (const QString &name : names) {
    if (name == u"-") menu.addSeparator();
    else if (QAction *action = Action(name)) menu.addAction(action);
  }
}

void TCommandRegistry::FollowState(QMenu &menu) const {
  QObject::connect(&menu, &QMenu::aboutToShow, &menu, [this, &menu] { ShowState(menu); });
  QObject::connect(&menu, &QMenu::aboutToHide, &menu, [this, &menu] { ReleaseState(menu); });
}

void TCommandRegistry::ShowState(const QMenu &menu) const {
  for (QAction *action : menu.actions()) {
    const TCommand *command = CommandOf(action);
    if (!command) continue;
    action->setEnabled(!command->Enabled || command->Enabled());
    if (command->Checked) action->setChecked(command->Checked());
  }
}

void TCommandRegistry::ReleaseState(const QMenu &menu) const {
  for (QAction *action : menu.actions())
    if (CommandOf(action)) action->setEnabled(true);
}
