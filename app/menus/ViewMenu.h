#pragma once
// The View menu: so far its "Tab" submenu, which steps through the tabs in the order they stand.
#include "Command.h"

#include <vector>

class QMenuBar;
class TCommandContext;
class TCommandRegistry;

std::vector<TCommand> ViewCommands(TCommandContext &context);
// Adds "&View" to bar from the registry's View commands (and Find Tab of the Search menu).
void AddViewMenu(QMenuBar &bar, TCommandRegistry &registry);
