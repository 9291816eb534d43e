#pragma once
// The File menu: its commands, and the menu with its "Recently Opened Files" submenu.
#include "Command.h"

#include <vector>

class QMenuBar;
class TCommandContext;
class TCommandRegistry;

std::vector<TCommand> FileCommands(TCommandContext &context);
// Adds "&File" to bar from the registry's File commands (and Print).
void AddFileMenu(QMenuBar &bar, TCommandRegistry &registry, TCommandContext &context);
