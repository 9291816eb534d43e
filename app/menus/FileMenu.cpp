#include "FileMenu.h"

#include "CommandContext.h"
#include "CommandRegistry.h"
#include "DocFileActions.h"
#include "app/CommandLine.h"
#include "app/DocList.h"
#include "app/MainSettings.h"
#include "app/RecentFiles.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

void miSaveAllClick(TCommandContext &c) {
  for (TEditorDoc *doc : c.Docs().All())
    if (doc->Editor->Modified() && !c.SaveDoc(doc, false)) break;
  c.UpdateStatus();
}

void miCloseClick(TCommandContext &c) {
  if (TEditorDoc *doc = c.ActiveDoc(); doc && c.CloseDoc(doc)) c.AfterClose();
}

// The last made is asked first, as closing from the end of the list would.
void miCloseAllClick(TCommandContext &c) {
  std::vector<TDocId> ids = c.Docs().Ids();
  std::reverse(ids.begin(), ids.end());
  c.CloseDocList(ids);
}

void miRecentItemClick(TCommandContext &c, int index) {
  QStringList &recent = c.Settings().FRecentFiles;
  if (index < 0 || index >= recent.size()) return;
  const QString path = recent[index];
  if (QFileInfo::exists(path)) {
    c.OpenFiles({path});
  } else if (Confirm(c.DialogParent(), QStringLiteral("File no longer exists:\r\n") + path +
                                           QStringLiteral("\r\n\r\nRemove it from the recent list?"))) {
    recent.removeAt(index);
  }
}

void miRecentOpenAllClick(TCommandContext &c) {
  QStringList paths;
  for (const QString &entry : c.Settings().FRecentFiles)
    if (const QString path = TrimBlanks(entry); !path.isEmpty() && QFileInfo(path).isFile()) paths << path;
  c.OpenFiles(paths);
}

// The entries are made afresh each time the submenu opens, from the list as it is then.
void FillRecentMenu(QMenu &menu, const TCommandRegistry &registry, TCommandContext &c) {
  menu.clear();
  const QStringList &recent = c.Settings().FRecentFiles;
  for (int i = 0; i < recent.size(); ++i)
    menu.addAction(RecentItemCaption(i, recent[i]), &menu, [&c, i] { miRecentItemClick(c, i); });
  if (recent.isEmpty()) menu.addAction(QStringLiteral("(empty)"))->setEnabled(false);
  registry.AddItems(menu, {u"-"_s, u"miRecentOpenAll"_s, u"miRecentClear"_s});
}

}  // namespace

std::vector<TCommand> FileCommands(TCommandContext &c) {
  const auto hasEditor = [&c] { return c.ActiveEditor() != nullptr; };
  const auto hasFileName = [&c] { return c.ActiveDoc() && !c.ActiveDoc()->FileName.isEmpty(); };
  const auto hasRecent = [&c] { return !c.Settings().FRecentFiles.isEmpty(); };
  return {
      {u"miNew"_s, u"&New"_s, QKeySequence(u"Ctrl+N"_s), [&c] { c.NewDoc(); }, {}, {}},
      {u"miOpen"_s, u"&Open..."_s, QKeySequence(u"Ctrl+O"_s), [&c] { c.OpenFiles(c.AskFilesToOpen()); }, {}, {}},
      {u"miOpenFolder"_s, u"Open Containing Folder"_s, {}, [&c] { LocateDoc(c, c.ActiveDoc()); }, hasFileName, {}},
      {u"miReloadFile"_s, u"Reload File Content"_s, {}, [&c] { c.ReloadDoc(c.ActiveDoc()); }, hasFileName, {}},
      {u"miSave"_s, u"&Save"_s, QKeySequence(u"Ctrl+S"_s), [&c] { c.SaveDoc(c.ActiveDoc(), false); },
       [&c] { return c.ActiveEditor() && c.ActiveEditor()->Modified(); }, {}},
      {u"miSaveAs"_s, u"Save &As..."_s, QKeySequence(u"Ctrl+Shift+S"_s), [&c] { c.SaveDoc(c.ActiveDoc(), true); },
       hasEditor, {}},
      {u"miSaveCopyAs"_s, u"Save a &Copy As..."_s, {}, [&c] { c.SaveCopyAs(c.ActiveDoc()); }, {}, {}},
      {u"miSaveAll"_s, u"Save A&ll Tabs"_s, {}, [&c] { miSaveAllClick(c); }, {}, {}},
      {u"miRecycle"_s, u"Move to Recycle Bin"_s, {}, [&c] { RecycleDoc(c, c.ActiveDoc()); },
       [&c] { return DocFileExists(c.ActiveDoc()); }, {}},
      {u"miClose"_s, u"&Close Tab"_s, QKeySequence(u"Ctrl+W"_s), [&c] { miCloseClick(c); }, {}, {}},
      {u"miCloseAll"_s, u"Close All &Tabs"_s, {}, [&c] { miCloseAllClick(c); }, {}, {}},
      {u"miExit"_s, u"E&xit"_s, {}, [&c] { c.Exit(); }, {}, {}},
      {u"miRecentOpenAll"_s, u"Open All Recent Files"_s, {}, [&c] { miRecentOpenAllClick(c); }, hasRecent, {}},
      {u"miRecentClear"_s, u"Clear Items"_s, {}, [&c] { c.Settings().FRecentFiles.clear(); }, hasRecent, {}},
  };
}

void AddFileMenu(QMenuBar &bar, TCommandRegistry &registry, TCommandContext &c) {
  QMenu *file = bar.addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mFile"));
  registry.AddItems(*file, {u"miNew"_s, u"miOpen"_s, u"miOpenFolder"_s, u"miReloadFile"_s, u"miSave"_s, u"miSaveAs"_s,
                            u"miSaveCopyAs"_s, u"miSaveAll"_s, u"-"_s, u"miRecycle"_s, u"-"_s, u"miPrint"_s, u"-"_s});
  QMenu *recent = file->addMenu(QStringLiteral("Recently Opened Files"));
  recent->setObjectName(QStringLiteral("miRecentFiles"));
  registry.AddItems(*file, {u"-"_s, u"miClose"_s, u"miCloseAll"_s, u"-"_s, u"miExit"_s});
  QObject::connect(recent, &QMenu::aboutToShow, recent, [recent, &registry, &c] { FillRecentMenu(*recent, registry, c); });
  registry.FollowState(*file);
  registry.FollowState(*recent);
}
