#pragma once
// Actions on what the selection names: a web search, a file (its properties, its folder, a
// terminal there), a registry key, and the product's web tools. A selected text reaches the
// desktop only as one checked argument or address, never as a command line.
#include "Command.h"

#include <vector>

class TCommandContext;

class TSelectionActions {
 public:
  explicit TSelectionActions(TCommandContext &context) : FContext(context) {}

  std::vector<TCommand> Commands();
  // The items of the "File Details" submenu, in menu order ("Calculate File Hash" among them).
  static QStringList FileDetailsItems();

  void cmGoogleClick();
  void cmGetFilePropsClick();
  void cmOpenContainingFolderClick();
  void cmOpenFolderCmdClick();
  void cmOpenRegeditClick();
  void cmQuennetToolClick(int tag);

 private:
  // The selection as the absolute path of an existing file; otherwise the information box that
  // says it is not, and an empty text.
  QString SelectedExistingFile();

  TCommandContext &FContext;
};
