#pragma once
// The Search menu: find and replace through the find dialog, F3 and Shift+F3, Go to Line and Find
// Tab, with the shared search engines and the two dialogs they open (made on first use, kept).
#include "Command.h"
#include "app/search/SearchCommands.h"

#include <functional>
#include <vector>

class QMenuBar;
class TCommandContext;
class TCommandRegistry;
class TfrmFindReplace;
class TfrmFindTab;
struct TFindAllQuery;
struct TMainSettings;

class TSearchMenu {
 public:
  explicit TSearchMenu(TCommandContext &context);

  std::vector<TCommand> Commands();
  // Adds "&Search" to bar from the registry's Search commands.
  void AddMenu(QMenuBar &bar, TCommandRegistry &registry) const;

  // Find All of the find dialog, run by the window, which shows the results; answers the hits.
  std::function<int(const TFindAllQuery &query, bool allFiles)> FindAll;

  // What a newly made document searches with.
  TMEEditSearchCustom *LiteralEngine() { return FSearch.LiteralEngine(); }
  TfrmFindReplace *FindDialog();
  // Takes the find dialog's state into settings; false when the dialog was not made in this run.
  bool StoreFindState(TMainSettings &settings) const;

  void miFindClick();
  void miReplaceClick();
  void miFindNextClick();
  void miFindPrevClick();
  void miGotoLineClick();
  void miTabFindClick();

 private:
  void ShowFindDialog(bool replace);
  TfrmFindTab *FindTabDialog();

  TCommandContext &FContext;
  TSearchCommands FSearch;
  // Children of the context's dialog parent.
  TfrmFindReplace *FFindDialog = nullptr;
  TfrmFindTab *FFindTabDialog = nullptr;
};
