#include "LauncherCommands.h"

#include "CommandContext.h"
#include "CommandRegistry.h"
#include "ShellActions.h"
#include "WebSites.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString KHostsFile = u"/etc/hosts"_s;

QString StandardFolder(QStandardPaths::StandardLocation location) {
  return QStandardPaths::writableLocation(location);
}

struct TRegistryItem {
  QString Name;
  QString Caption;
};

// In the order of their tags; their keys live in the registry, which this system has not.
const std::vector<TRegistryItem> &RegistryItems() {
  static const std::vector<TRegistryItem> items = {
      {u"miRegHKCURun"_s, u"Open HKCU Run"_s},
      {u"miRegHKCUPolRun"_s, u"Open HKCU Policies Run"_s},
      {u"miRegHKLMRun"_s, u"Open HKLM Run"_s},
      {u"miRegHKLMPolRun"_s, u"Open HKLM Policies Run"_s},
      {u"miRegWinlogon"_s, u"Open HKLM Winlogon"_s},
      {u"miRegAppInit"_s, u"Open HKLM AppInit DLLs"_s},
      {u"miRegServices"_s, u"Open HKLM Services"_s},
      {u"miRegShellExt"_s, u"Open HKLM Shell Extensions"_s},
      {u"miRegIFEO"_s, u"Open HKLM IFEO"_s},
  };
  return items;
}

const TSystemTool KTaskManager{u"Task Manager"_s,
                               {u"gnome-system-monitor"_s, u"plasma-systemmonitor"_s, u"ksysguard"_s,
                                u"xfce4-taskmanager"_s, u"mate-system-monitor"_s, u"lxtask"_s}};
const TSystemTool KPaint{u"Paint"_s, {u"pinta"_s, u"kolourpaint"_s, u"drawing"_s, u"mtpaint"_s, u"gimp"_s}};

// The screenshot tools that let the user pick a region, with the arguments that ask for it.
const std::vector<std::pair<QString, QStringList>> KSnippingTools = {
    {u"gnome-screenshot"_s, {u"--area"_s}},
    {u"spectacle"_s, {u"--region"_s}},
    {u"xfce4-screenshooter"_s, {u"--region"_s}},
    {u"flameshot"_s, {u"gui"_s}},
};

}  // namespace

std::vector<TCommand> TLauncherCommands::Commands() {
  QWidget *parent = FContext.DialogParent();
  std::vector<TCommand> commands = {
      {u"miOpenHosts"_s, u"Open Hosts File (as Admin)"_s, {}, [this] { miOpenHostsClick(); }, {}, {}},
      {u"miOpenTemp"_s, u"Open Temp Folder"_s, {}, [this] { miOpenTempClick(); }, {}, {}},
      {u"miOpenDownloads"_s, u"Open Downloads Folder"_s, {},
       [parent] { OpenFolderSafe(parent, StandardFolder(QStandardPaths::DownloadLocation)); }, {}, {}},
      {u"miOpenDocuments"_s, u"Open Documents Folder"_s, {},
       [parent] { OpenFolderSafe(parent, StandardFolder(QStandardPaths::DocumentsLocation)); }, {}, {}},
      {u"miOpenCDrive"_s, u"Open C:\\ Folder"_s, {}, [parent] { OpenFolderSafe(parent, QDir::rootPath()); }, {}, {}},
      {u"miOpenWindows"_s, u"Open Windows Folder"_s, {},
       [parent] { ShowNotAvailableHere(parent, u"The Windows folder"_s); }, {}, {}},
      {u"miOpenThisPC"_s, u"Open This PC"_s, {}, [parent] { ShowNotAvailableHere(parent, u"This PC"_s); }, {}, {}},
      {u"miOpenStartup"_s, u"Open Startup Folder"_s, {},
       [parent] { OpenFolderSafe(parent, StandardFolder(QStandardPaths::GenericConfigLocation) + u"/autostart"_s); },
       {}, {}},
      {u"miOpenStartupAll"_s, u"Open All Users Startup Folder"_s, {},
       [parent] { OpenFolderSafe(parent, u"/etc/xdg/autostart"_s); }, {}, {}},
      {u"miOpenTaskMgr"_s, u"Open Task Manager"_s, {}, [parent] { LaunchSystemTool(parent, KTaskManager); }, {}, {}},
      {u"miOpenRegedit"_s, u"Open Registry Editor"_s, {},
       [parent] { ShowNotAvailableHere(parent, u"The Registry Editor"_s); }, {}, {}},
      {u"miOpenPaint"_s, u"Open Paint"_s, {}, [parent] { LaunchSystemTool(parent, KPaint); }, {}, {}},
      {u"miOpenSnipping"_s, u"Open Snipping Tool"_s, {}, [this] { miOpenSnippingClick(); }, {}, {}},
      {u"miOpenServices"_s, u"Open Windows Services"_s, {},
       [parent] { ShowNotAvailableHere(parent, u"The Windows Services console"_s); }, {}, {}},
      {u"miQuennet"_s, u"Quennet Tools"_s, {}, [] { OpenWebPage(WebToolsHome()); }, {}, {}},
  };
  for (const TRegistryItem &item : RegistryItems())
    commands.push_back(
        {item.Name, item.Caption, {}, [parent] { ShowNotAvailableHere(parent, u"The Registry Editor"_s); }, {}, {}});
  return commands;
}

void TLauncherCommands::AddToToolsMenu(QMenuBar &bar, TCommandRegistry &registry) {
  QMenu *tools = bar.findChild<QMenu *>(u"mTools"_s);
  if (!tools) {
    tools = bar.addMenu(u"&Tools"_s);
    tools->setObjectName(u"mTools"_s);
    registry.FollowState(*tools);
  } else {
    tools->addSeparator();
  }
  QStringList items = {u"miViewPageSourceTool"_s, u"-"_s, u"miOpenHosts"_s, u"-"_s, u"miOpenTemp"_s,
                       u"miOpenDownloads"_s, u"miOpenDocuments"_s, u"miOpenCDrive"_s, u"miOpenWindows"_s,
                       u"miOpenThisPC"_s, u"miOpenStartup"_s, u"miOpenStartupAll"_s, u"-"_s, u"miOpenTaskMgr"_s,
                       u"miOpenRegedit"_s};
  for (const TRegistryItem &item : RegistryItems()) items << item.Name;
  items << u"-"_s << u"miOpenPaint"_s << u"miOpenSnipping"_s << u"miOpenServices"_s << u"-"_s << u"miQuennet"_s;
  registry.AddItems(*tools, items);
}

// The hosts file opens in this editor; saving it then needs the rights the system asks for it.
void TLauncherCommands::miOpenHostsClick() { FContext.OpenFiles({KHostsFile}); }

void TLauncherCommands::miOpenTempClick() { Desktop().OpenUrl(QUrl::fromLocalFile(QDir::tempPath())); }

void TLauncherCommands::miOpenSnippingClick() {
  for (const auto &[program, arguments] : KSnippingTools) {
    const QString found = Desktop().FindProgram(program);
    if (!found.isEmpty() && Desktop().StartProgram(found, arguments, QString())) return;
  }
  ShowWarning(FContext.DialogParent(), u"Could not launch the Snipping Tool."_s);
}
