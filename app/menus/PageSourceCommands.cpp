#include "PageSourceCommands.h"

#include "CommandContext.h"
#include "SelectionFacts.h"
#include "ShellActions.h"
#include "app/net/URLPageSourceForm.h"
#include "editor/Edit.h"
#include "platform/Shell.h"
#include "tools/SelectionKinds.h"
#include "tools/TextRules.h"
#include "tools/net/WebAddress.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int KMaxUrlSelection = 500;

struct TBrowser {
  QString Name;
  QString Caption;
  QStringList Programs;  // empty: the desktop's default handler
};

// By tag.
const std::vector<TBrowser> &Browsers() {
  static const std::vector<TBrowser> browsers = {
      {u"cmOpenUrlDefault"_s, u"Default Browser"_s, {}},
      {u"cmOpenUrlChrome"_s,
       u"Chrome"_s,
       {u"google-chrome"_s, u"google-chrome-stable"_s, u"chromium"_s, u"chromium-browser"_s}},
      {u"cmOpenUrlFirefox"_s, u"Firefox"_s, {u"firefox"_s, u"firefox-esr"_s}},
      {u"cmOpenUrlEdge"_s, u"Edge"_s, {u"microsoft-edge"_s, u"microsoft-edge-stable"_s}},
  };
  return browsers;
}

}  // namespace

QStringList TPageSourceCommands::OpenUrlOnItems() {
  QStringList names;
  for (const TBrowser &browser : Browsers()) names << browser.Name;
  return names;
}

std::vector<TCommand> TPageSourceCommands::Commands() {
  const auto looksLikeUrl = [this] { return SelectionLooksLikeUrl(FContext.ActiveEditor()); };
  std::vector<TCommand> commands = {
      {u"miViewPageSourceTool"_s, u"View URL Page Source"_s, {}, [this] { miViewPageSourceToolClick(); }, {}, {}},
      {u"cmViewPageSource"_s, u"View URL Page Source"_s, {}, [this] { cmViewPageSourceClick(); }, looksLikeUrl, {}},
  };
  for (int tag = 0; tag < int(Browsers().size()); ++tag)
    commands.push_back({Browsers()[tag].Name, Browsers()[tag].Caption, {}, [this, tag] { cmOpenUrlOnClick(tag); },
                        looksLikeUrl, {}});
  return commands;
}

void TPageSourceCommands::ShowNewWindow(const QString &url) {
  auto *window = new TfrmURLPageSource(FContext.DialogParent());
  window->FOnOpenInEditor = [this](const QString &, const QString &content) { OpenUrlContentInEditor(content); };
  FWindows.push_back(window);
  window->ShowFor(url);
}

void TPageSourceCommands::miViewPageSourceToolClick() {
  const QString selected = Trimmed(SelectionUpTo(FContext.ActiveEditor(), KMaxUrlSelection)).toString();
  ShowNewWindow(LooksLikeUrl(selected) ? selected : QString());
}

void TPageSourceCommands::cmViewPageSourceClick() {
  const TMEEdit *editor = FContext.ActiveEditor();
  if (!editor || !editor->SelAvail()) return;
  ShowNewWindow(Trimmed(ShortSelection(editor, KMaxUrlSelection)).toString());
}

void TPageSourceCommands::cmOpenUrlOnClick(int tag) {
  if (tag < 0 || tag >= int(Browsers().size())) return;
  const std::optional<QUrl> url = BrowserUrl(ShortSelection(FContext.ActiveEditor(), KMaxUrlSelection));
  if (!url) return;
  const TBrowser &browser = Browsers()[tag];
  if (browser.Programs.isEmpty()) {
    Desktop().OpenUrl(*url);
    return;
  }
  if (StartFirstInstalled(browser.Programs, {url->toString(QUrl::FullyEncoded)}) == TLaunch::NotInstalled)
    ShowNotAvailableHere(FContext.DialogParent(), browser.Caption);
}

void TPageSourceCommands::OpenUrlContentInEditor(const QString &content) {
  FContext.NewDoc();
  TMEEdit *editor = FContext.ActiveEditor();
  if (!editor) return;
  editor->SetText(content);
  editor->SetModified(true);
  FContext.UpdateStatus();
}
