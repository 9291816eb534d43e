#pragma once
// Copy and Select Around Caret, Copy Current Line and Begin/End Select: commands that act on the
// active editor relative to its caret.
#include "Command.h"
#include "app/DocId.h"
#include "core/BufferCoord.h"

#include <vector>

class TCommandContext;

class TCaretCommands {
 public:
  explicit TCaretCommands(TCommandContext &context) : FContext(context) {}

  std::vector<TCommand> Commands();
  // The names of the submenus' items, in menu order.
  static QStringList CopyAroundItems();
  static QStringList SelectAroundItems();

  void cmCopyAroundClick(int tag);
  void cmSelectAroundClick(int tag);
  void cmCopyCurrentLineClick();
  void miBeginEndSelectClick();

 private:
  TCommandContext &FContext;
  // Begin/End Select: where the selection starts, in which document.
  TBufferCoord FSelAnchor;
  TDocId FSelAnchorDoc = KNoDoc;
  bool FSelAnchorSet = false;
};
