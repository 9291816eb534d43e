#pragma once
// "View URL Page Source" (Tools menu and editor context menu) and "Open URL on": a selected web
// address shown as source in a page-source window, or handed to a browser as one checked
// argument.
#include "Command.h"

#include <QPointer>

#include <vector>

class TCommandContext;
class TfrmURLPageSource;

class TPageSourceCommands {
 public:
  explicit TPageSourceCommands(TCommandContext &context) : FContext(context) {}

  std::vector<TCommand> Commands();
  // The items of the "Open URL on" submenu, in menu order.
  static QStringList OpenUrlOnItems();

  void miViewPageSourceToolClick();
  void cmViewPageSourceClick();
  // 0 the default browser, 1 Chrome, 2 Firefox, 3 Edge.
  void cmOpenUrlOnClick(int tag);
  // A new document holding content, as File > New makes one, modified.
  void OpenUrlContentInEditor(const QString &content);

  // The windows made so far (each use makes one; they live as long as the main window).
  const std::vector<QPointer<TfrmURLPageSource>> &Windows() const { return FWindows; }

 private:
  void ShowNewWindow(const QString &url);

  TCommandContext &FContext;
  std::vector<QPointer<TfrmURLPageSource>> FWindows;
};
