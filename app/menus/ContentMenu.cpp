#include "ContentMenu.h"

#include "CaretCommands.h"
#include "CommandContext.h"
#include "CommandRegistry.h"
#include "InsertCommands.h"
#include "NetInsertCommands.h"
#include "PageSourceCommands.h"
#include "SelectionActions.h"
#include "SelectionFacts.h"
#include "WebSites.h"
#include "app/EditorDoc.h"
#include "editor/Edit.h"

#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int KMaxPathSelection = 260;
constexpr int KMaxUrlSelection = 500;

std::vector<TMenuEntry> Commands(const QStringList &names) {
  std::vector<TMenuEntry> entries;
  for (const QString &name : names) entries.push_back({name, {}, {}, {}});
  return entries;
}

TMenuEntry Submenu(const QString &name, const QString &caption, std::vector<TMenuEntry> items,
                   std::function<bool()> enabled = {}) {
  return {name, caption, std::move(items), std::move(enabled)};
}

const TMenuEntry KSeparator{u"-"_s, {}, {}, {}};

}  // namespace

TContentMenu::TContentMenu(const TCommandRegistry &registry, TCommandContext &context, QWidget *parent)
    : FRegistry(registry), FContext(context), FMenu(new QMenu(parent)) {
  FMenu->setObjectName(u"pmContent"_s);
  Build(*FMenu, Layout());
  QObject::connect(FMenu, &QMenu::aboutToShow, FMenu, [this] { ShowSubmenuState(); });
}

std::vector<TMenuEntry> TContentMenu::Layout() const {
  TCommandContext &c = FContext;
  const auto hasEditor = [&c] { return c.ActiveEditor() != nullptr; };
  const auto hasFileName = [&c] { return c.ActiveDoc() && !c.ActiveDoc()->FileName.isEmpty(); };
  const auto looksLikePath = [&c] {
    const TMEEdit *editor = c.ActiveEditor();
    return SelLengthQuick(editor) <= KMaxPathSelection && SelectionLooksLikePath(editor);
  };
  const auto looksLikeUrl = [&c] {
    const TMEEdit *editor = c.ActiveEditor();
    return SelLengthQuick(editor) <= KMaxUrlSelection && SelectionLooksLikeUrl(editor);
  };

  std::vector<TMenuEntry> insert = Commands({u"cmInsUuid"_s, u"cmInsGuid"_s});
  insert.push_back(Submenu(u"cmInsDateTime"_s, u"Date && Time"_s, Commands(TInsertCommands::DateTimeItems())));
  insert.push_back(Submenu(u"cmInsColor"_s, u"Color"_s, Commands(TInsertCommands::ColorItems())));
  insert.push_back(
      Submenu(u"cmInsCurrentFile"_s, u"Current File"_s, Commands(TInsertCommands::CurrentFileItems()), hasFileName));
  insert.push_back(Submenu(u"cmInsComputer"_s, u"Computer Details"_s, Commands(TInsertCommands::ComputerItems())));
  insert.push_back(Submenu(u"cmInsExeVer"_s, u"EXE Version Info"_s, Commands(TInsertCommands::ExeVersionItems())));
  insert.push_back({u"cmInsExeSigner"_s, {}, {}, {}});
  insert.push_back(Submenu(u"cmInsRandom"_s, u"Random"_s, Commands(TInsertCommands::RandomItems())));
  insert.push_back(KSeparator);
  for (TMenuEntry &entry : Commands(TNetInsertCommands::Items())) insert.push_back(std::move(entry));
  insert.push_back(KSeparator);
  insert.push_back({u"cmInsBrowseFile"_s, {}, {}, {}});

  std::vector<TMenuEntry> layout = Commands({u"cmCopyCurrentLine"_s});
  layout.push_back(
      Submenu(u"cmCopyAround"_s, u"Copy Around Caret"_s, Commands(TCaretCommands::CopyAroundItems()), hasEditor));
  layout.push_back(
      Submenu(u"cmSelectAround"_s, u"Select Around Caret"_s, Commands(TCaretCommands::SelectAroundItems()), hasEditor));
  layout.push_back({u"miBeginEndSelect"_s, {}, {}, {}});
  layout.push_back(KSeparator);
  layout.push_back({u"cmGoogle"_s, {}, {}, {}});
  layout.push_back({u"cmViewPageSource"_s, {}, {}, {}});
  layout.push_back(
      Submenu(u"cmOpenUrlOn"_s, u"Open URL on"_s, Commands(TPageSourceCommands::OpenUrlOnItems()), looksLikeUrl));
  layout.push_back(
      Submenu(u"cmFileDetails"_s, u"File Details"_s, Commands(TSelectionActions::FileDetailsItems()), looksLikePath));
  layout.push_back({u"cmOpenRegedit"_s, {}, {}, {}});
  layout.push_back(KSeparator);
  layout.push_back(Submenu(u"cmInsert"_s, u"Insert"_s, std::move(insert), hasEditor));
  layout.push_back(KSeparator);
  layout.push_back(Submenu(u"cmSecTools"_s, u"Security Tools"_s, Commands(SecurityToolItems())));
  layout.push_back(Submenu(u"cmGenTools"_s, u"Generic Tools"_s, Commands(GenericToolItems())));
  return layout;
}

void TContentMenu::Build(QMenu &menu, const std::vector<TMenuEntry> &entries) {
  for (const TMenuEntry &entry : entries) {
    if (entry.Caption.isEmpty()) {
      FRegistry.AddItems(menu, {entry.Name});
      continue;
    }
    QMenu *submenu = menu.addMenu(entry.Caption);
    submenu->setObjectName(entry.Name);
    Build(*submenu, entry.Items);
    if (entry.Enabled) FSubmenus.emplace_back(submenu, entry.Enabled);
  }
  FRegistry.FollowState(menu);
}

void TContentMenu::ShowSubmenuState() const {
  for (const auto &[submenu, enabled] : FSubmenus) submenu->menuAction()->setEnabled(enabled());
}

void TContentMenu::AttachTo(TMEEdit *editor) const {
  editor->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(editor, &QWidget::customContextMenuRequested, FMenu, [this, editor](const QPoint &pos) {
    FMenu->popup(editor->viewport()->mapToGlobal(pos));
  });
}
