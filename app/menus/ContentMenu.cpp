#include "ContentMenu.h"

#include "CaretCommands.h"
#include "CommandContext.h"
#include "CommandRegistry.h"
#include "EditorContextMenu.h"
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

  std::vector<TMenuEntry> insert = MenuCommands({u"cmInsUuid"_s, u"cmInsGuid"_s});
  insert.push_back(MenuSubmenu(u"cmInsDateTime"_s, u"Date && Time"_s, MenuCommands(TInsertCommands::DateTimeItems())));
  insert.push_back(MenuSubmenu(u"cmInsColor"_s, u"Color"_s, MenuCommands(TInsertCommands::ColorItems())));
  insert.push_back(MenuSubmenu(u"cmInsCurrentFile"_s, u"Current File"_s,
                               MenuCommands(TInsertCommands::CurrentFileItems()), hasFileName));
  insert.push_back(
      MenuSubmenu(u"cmInsComputer"_s, u"Computer Details"_s, MenuCommands(TInsertCommands::ComputerItems())));
  insert.push_back(
      MenuSubmenu(u"cmInsExeVer"_s, u"EXE Version Info"_s, MenuCommands(TInsertCommands::ExeVersionItems())));
  insert.push_back({u"cmInsExeSigner"_s, {}, {}, {}});
  insert.push_back(MenuSubmenu(u"cmInsRandom"_s, u"Random"_s, MenuCommands(TInsertCommands::RandomItems())));
  insert.push_back(MenuSeparator());
  for (TMenuEntry &entry : MenuCommands(TNetInsertCommands::Items())) insert.push_back(std::move(entry));
  insert.push_back(MenuSeparator());
  insert.push_back({u"cmInsBrowseFile"_s, {}, {}, {}});

  std::vector<TMenuEntry> layout = MenuCommands({u"cmCopyCurrentLine"_s});
  layout.push_back(MenuSubmenu(u"cmCopyAround"_s, u"Copy Around Caret"_s,
                               MenuCommands(TCaretCommands::CopyAroundItems()), hasEditor));
  layout.push_back(MenuSubmenu(u"cmSelectAround"_s, u"Select Around Caret"_s,
                               MenuCommands(TCaretCommands::SelectAroundItems()), hasEditor));
  layout.push_back({u"miBeginEndSelect"_s, {}, {}, {}});
  layout.push_back(MenuSeparator());
  for (TMenuEntry &entry : EditorContextToolRows()) layout.push_back(std::move(entry));
  layout.push_back(MenuSeparator());
  layout.push_back({u"cmGoogle"_s, {}, {}, {}});
  layout.push_back({u"cmViewPageSource"_s, {}, {}, {}});
  layout.push_back(MenuSubmenu(u"cmOpenUrlOn"_s, u"Open URL on"_s, MenuCommands(TPageSourceCommands::OpenUrlOnItems()),
                               looksLikeUrl));
  layout.push_back(MenuSubmenu(u"cmFileDetails"_s, u"File Details"_s,
                               MenuCommands(TSelectionActions::FileDetailsItems()), looksLikePath));
  layout.push_back({u"cmOpenRegedit"_s, {}, {}, {}});
  layout.push_back(MenuSeparator());
  layout.push_back(MenuSubmenu(u"cmInsert"_s, u"Insert"_s, std::move(insert), hasEditor));
  layout.push_back(MenuSeparator());
  layout.push_back(MenuSubmenu(u"cmSecTools"_s, u"Security Tools"_s, MenuCommands(SecurityToolItems())));
  layout.push_back(MenuSubmenu(u"cmGenTools"_s, u"Generic Tools"_s, MenuCommands(GenericToolItems())));
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
