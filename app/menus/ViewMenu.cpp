#include "ViewMenu.h"

#include "CommandContext.h"
#include "CommandRegistry.h"
#include "app/DocList.h"

#include <QMenu>
#include <QMenuBar>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class TTabStep { First, Last, Next, Previous };

// Nothing happens without tabs; next and previous wrap around.
void StepTab(TCommandContext &c, TTabStep step) {
  const std::vector<TDocId> order = c.TabOrder();
  const int count = int(order.size());
  if (count == 0) return;
  const TEditorDoc *active = c.ActiveDoc();
  const auto found = active ? std::find(order.begin(), order.end(), active->Id) : order.end();
  const int current = found == order.end() ? 0 : int(found - order.begin());
  int target = 0;
  switch (step) {
    case TTabStep::First: target = 0; break;
    case TTabStep::Last: target = count - 1; break;
    case TTabStep::Next: target = (current + 1) % count; break;
    case TTabStep::Previous: target = (current + count - 1) % count; break;
  }
  c.ActivateDoc(order[size_t(target)]);
}

}  // namespace

std::vector<TCommand> ViewCommands(TCommandContext &c) {
  return {
      {u"miTabFirst"_s, u"First Tab"_s, {}, [&c] { StepTab(c, TTabStep::First); }, {}, {}},
      {u"miTabLast"_s, u"Last Tab"_s, {}, [&c] { StepTab(c, TTabStep::Last); }, {}, {}},
      {u"miTabNext"_s, u"Next Tab"_s, QKeySequence(Qt::CTRL | Qt::Key_PageDown), [&c] { StepTab(c, TTabStep::Next); }, {}, {}},
      {u"miTabPrev"_s, u"Previous Tab"_s, QKeySequence(Qt::CTRL | Qt::Key_PageUp), [&c] { StepTab(c, TTabStep::Previous); },
       {}, {}},
  };
}

void AddViewMenu(QMenuBar &bar, TCommandRegistry &registry) {
  QMenu *view = bar.addMenu(u"&View"_s);
  view->setObjectName(u"mView"_s);
  QMenu *tabs = view->addMenu(u"Tab"_s);
  tabs->setObjectName(u"miTabNav"_s);
  registry.AddItems(*tabs, {u"miTabFirst"_s, u"miTabLast"_s, u"miTabNext"_s, u"miTabPrev"_s, u"-"_s, u"miTabFind"_s});
  registry.FollowState(*tabs);
}
