#pragma once
// The editor's context menu (pmContent): its text-tool rows — case, "Encode/Decode", "Hash
// String", "Defang URL" and "Timestamp to" — which act on the selection only. Other rows of the
// menu join it from their own files.
#include "Command.h"

#include <vector>

class QMenu;
class QWidget;
class TCommandContext;
class TCommandRegistry;
class TTextDriver;

std::vector<TCommand> EditorContextToolCommands(TCommandContext &context, TTextDriver &driver);

// Makes pmContent, a child of parent, with the registry's context rows; it shows their state while
// it is open.
QMenu *CreateEditorContextMenu(TCommandRegistry &registry, QWidget *parent);
