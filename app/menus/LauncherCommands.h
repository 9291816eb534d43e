#pragma once
// The Tools menu's launchers, as this system has them: well-known folders in the file manager
// (Temp, Downloads, Documents, the root, the autostart folders), the hosts file, system tools by
// the programs that do their job here, the product's web tools; the Windows-only ones (the
// Windows folder, This PC, the registry editor and its keys, the Services console) say they are
// not available here.
#include "Command.h"

#include <vector>

class QMenuBar;
class TCommandContext;
class TCommandRegistry;

class TLauncherCommands {
 public:
  explicit TLauncherCommands(TCommandContext &context) : FContext(context) {}

  std::vector<TCommand> Commands();
  // Appends the launchers (and "View URL Page Source") to the "&Tools" menu, made when missing.
  static void AddToToolsMenu(QMenuBar &bar, TCommandRegistry &registry);

  void miOpenHostsClick();
  void miOpenTempClick();
  void miOpenSnippingClick();

 private:
  TCommandContext &FContext;
};
