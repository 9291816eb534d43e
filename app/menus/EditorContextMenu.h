#pragma once
// The editor's context menu (pmContent): its text-tool rows — case, "Encode/Decode", "Hash
// String", "Defang URL" and "Timestamp to" — which act on the selection only. The menu itself
// (TContentMenu) places these rows among the others.
#include "Command.h"
#include "MenuEntry.h"

#include <vector>

class TCommandContext;
class TTextDriver;

std::vector<TCommand> EditorContextToolCommands(TCommandContext &context, TTextDriver &driver);

// The rows, in menu order.
std::vector<TMenuEntry> EditorContextToolRows();
