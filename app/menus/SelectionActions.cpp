#include "SelectionActions.h"

#include "CommandContext.h"
#include "SelectionFacts.h"
#include "ShellActions.h"
#include "WebSites.h"
#include "app/MainSettings.h"
#include "editor/Edit.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "tools/SelectionKinds.h"
#include "tools/TextRules.h"
#include "tools/UrlCodec.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int KMaxSearchSelection = 500;
constexpr int KMaxRegistrySelection = 500;
// The longest path this system takes.
constexpr int KMaxPathLength = 4096;

// The selection's text up to its first line break, read from its first line alone.
QString FirstSelectedLine(const TMEEdit &editor) {
  TBufferCoord begin = editor.BlockBegin();
  TBufferCoord end = editor.BlockEnd();
  OrderCoords(begin, end);
  const QString line = editor.LineText(begin.Line);
  const int from = qBound(1, begin.Char, int(line.size()) + 1);
  const int to = end.Line == begin.Line ? qBound(from, end.Char, int(line.size()) + 1) : int(line.size()) + 1;
  return line.sliced(from - 1, to - from);
}

}  // namespace

QStringList TSelectionActions::FileDetailsItems() {
  return {u"cmGetFileProps"_s, u"cmCalcFileHash"_s, u"cmOpenContainingFolder"_s, u"cmOpenFolderCmd"_s};
}

std::vector<TCommand> TSelectionActions::Commands() {
  std::vector<TCommand> commands = {
      {u"cmGoogle"_s, u"Search on Google"_s, {}, [this] { cmGoogleClick(); },
       [this] {
         const int length = SelLengthQuick(FContext.ActiveEditor());
         return length > 0 && length <= KMaxSearchSelection;
       },
       {}},
      {u"cmGetFileProps"_s, u"Open File Properties"_s, {}, [this] { cmGetFilePropsClick(); }, {}, {}},
      {u"cmOpenContainingFolder"_s, u"Open Containing Folder"_s, {}, [this] { cmOpenContainingFolderClick(); }, {}, {}},
      {u"cmOpenFolderCmd"_s, u"Open Folder into CMD"_s, {}, [this] { cmOpenFolderCmdClick(); }, {}, {}},
      {u"cmOpenRegedit"_s, u"Open on Regedit"_s, {}, [this] { cmOpenRegeditClick(); },
       [this] { return SelectionIsRegistryKey(FContext.ActiveEditor()); }, {}},
  };
  for (const TWebTool &tool : WebTools())
    commands.push_back({tool.Name, tool.Caption, {}, [this, tag = tool.Tag] { cmQuennetToolClick(tag); }, {}, {}});
  return commands;
}

void TSelectionActions::cmGoogleClick() {
  const TMEEdit *editor = FContext.ActiveEditor();
  if (!editor || !editor->SelAvail()) return;
  const QString line = FirstSelectedLine(*editor);
  const QStringView query = Trimmed(line);
  if (query.isEmpty()) return;
  OpenWebPage(QUrl::fromEncoded((KWebSearchSite + u"/search?q="_s + UrlEncode(query)).toLatin1()));
}

QString TSelectionActions::SelectedExistingFile() {
  QString path = SelectedPathText(ShortSelection(FContext.ActiveEditor(), KMaxPathLength));
  if (path.startsWith(u"~/")) path = QDir::homePath() + path.sliced(1);
  const QFileInfo file(path);
  if (path.isEmpty() || !file.isAbsolute() || !file.isFile()) {
    ShowInformation(FContext.DialogParent(), u"The selected text is not an existing file path."_s);
    return QString();
  }
  return file.absoluteFilePath();
}

void TSelectionActions::cmGetFilePropsClick() {
  const QString path = SelectedExistingFile();
  if (!path.isEmpty() && !Desktop().ShowItemProperties(path))
    ShowNotAvailableHere(FContext.DialogParent(), u"A file manager that shows file properties"_s);
}

void TSelectionActions::cmOpenContainingFolderClick() {
  if (const QString path = SelectedExistingFile(); !path.isEmpty()) ShowInFileManager(path);
}

void TSelectionActions::cmOpenFolderCmdClick() {
  const QString path = SelectedExistingFile();
  if (!path.isEmpty()) OpenTerminalBeside(FContext.DialogParent(), path);
}

void TSelectionActions::cmOpenRegeditClick() {
  const TMEEdit *editor = FContext.ActiveEditor();
  if (!editor || !editor->SelAvail()) return;
  if (NormalizeRegistryKey(ShortSelection(editor, KMaxRegistrySelection))) ShowNotAvailableHere(FContext.DialogParent(), u"The Registry Editor"_s);
  else ShowInformation(FContext.DialogParent(), u"The selected text does not look like a registry key."_s);
}

void TSelectionActions::cmQuennetToolClick(int tag) {
  const TMEEdit *editor = FContext.ActiveEditor();
  if (FContext.Settings().FAutoCopySecTools && editor && editor->SelAvail()) SetClipboardText(editor->SelText());
  OpenWebPage(WebToolPage(tag));
}
