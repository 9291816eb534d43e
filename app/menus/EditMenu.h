#pragma once
// The Edit menu's text tools: "Convert Case to", "Indent", "EOL Conversion", "Blank Operations",
// "Line Operations", "Encode/Decode", "CSV Operations", "Extract Operations" and "Locate Signals",
// in that order. The tools run through the text driver (app/tools), which also serves the editor's
// context menu; extraction windows and the signal scan are kept here until the window goes.
#include "Command.h"

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QMenuBar;
class TCommandContext;
class TCommandRegistry;
class TCsvCommands;
class TExtractWindows;
class TResultsPanel;
class TSignalScan;
class TTextDriver;

class TEditMenu {
 public:
  explicit TEditMenu(TCommandContext &context);
  // Closes the extraction windows and stops the signal scan, joining their threads.
  ~TEditMenu();

  std::vector<TCommand> Commands();
  // Adds "&Edit" to bar: "&Begin/End Select" (a caret command of its own file), then the tool
  // submenus.
  void AddMenu(QMenuBar &bar, TCommandRegistry &registry) const;

  TTextDriver &Driver() { return *FDriver; }
  TExtractWindows &ExtractWindows() { return *FExtracts; }
  TSignalScan &SignalScan() { return *FSignals; }
  // Where Locate Signals shows its results; set by the window.
  void SetResultsPanel(std::function<TResultsPanel *()> panel);
  // The prefix/suffix dialog; tests answer it by script.
  std::function<bool(const QString &caption, QString &prefix, QString &suffix)> AskPrefixSuffix;

 private:
  void AddPrefixSuffix(bool add);
  void Extract(int tag);
  // A tool may act: there is an editor and its text has arrived.
  bool ToolEnabled() const;
  bool SelectionToolEnabled() const;

  TCommandContext &FContext;
  std::unique_ptr<TTextDriver> FDriver;
  std::unique_ptr<TCsvCommands> FCsv;
  std::unique_ptr<TExtractWindows> FExtracts;
  std::unique_ptr<TSignalScan> FSignals;
};
