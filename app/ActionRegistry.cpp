#include "app/ActionRegistry.h"

#include <QMenuBar>
#include <algorithm>

#include "app/MainAction.h"
#include "editing/ActionTable.h"
#include "view/RunGuarded.h"

namespace {
// What an action's command is doing, for the out-of-memory message ("running \"Cube\"").
std::string Doing(const char* caption) { return "running \"" + PlainCaption(caption) + "\""; }
}  // namespace

TActionRegistry::TActionRegistry(QWidget& owner, TUserServices& services) : Services(services) {
  for (const TActionRow& row : MainActionRows()) {
    auto* action = new TMainAction(row.Caption, owner, [this](const QKeySequence& key) {
      return RouteAmbiguousShortcut(key);
    });
    action->setObjectName(row.Name);
    action->setStatusTip(row.Hint);
    action->setToolTip(row.Hint);
    action->setShortcut(QKeySequence(row.Shortcut, QKeySequence::PortableText));
    // Until its command is installed an action is neither on a menu nor reachable by key.
    action->setEnabled(false);
    action->setVisible(false);
    owner.addAction(action);
    QObject::connect(action, &QAction::triggered, &owner, [this, name = std::string(row.Name), doing = Doing(row.Caption)] {
      const auto command = Commands.find(name);
      if (command != Commands.end()) RunGuarded(Services, doing, command->second);
    });
    ActionList.push_back(action);
    ActionsByName[row.Name] = action;
  }
}

void TActionRegistry::FillMenuBar(QMenuBar& bar) {
  Bar = &bar;
  for (const char* caption : MainMenuCaptions()) {
    std::vector<const TActionRow*> entries;
    for (const TActionRow& row : MainActionRows())
      if (std::string_view(row.Menu) == caption) entries.push_back(&row);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TActionRow* a, const TActionRow* b) { return a->MenuPos < b->MenuPos; });
    QMenu* menu = bar.addMenu(caption);
    menu->setSeparatorsCollapsible(true);
    for (const TActionRow* row : entries) {
      if (row->SeparatorBefore) menu->addSeparator();
      QAction* action = ActionsByName[row->Name];
      menu->addAction(action);
      MenuOrder.push_back(action);
    }
    menu->menuAction()->setVisible(false);
  }
}

void TActionRegistry::SetCommand(const std::string& actionName, std::function<void()> command) {
  QAction* action = Action(actionName);
  if (!action) return;
  Commands[actionName] = std::move(command);
  action->setEnabled(true);
  action->setVisible(true);
  if (!Bar) return;
  for (QAction* menuAction : Bar->actions())
    if (QMenu* menu = menuAction->menu(); menu && menu->actions().contains(action)) menuAction->setVisible(true);
}

QAction* TActionRegistry::Action(const std::string& name) const {
  const auto it = ActionsByName.find(name);
  return it == ActionsByName.end() ? nullptr : it->second;
}

bool TActionRegistry::RouteAmbiguousShortcut(const QKeySequence& key) {
  for (QAction* action : MenuOrder)
    if (action->isEnabled() && action->shortcut() == key) {
      action->trigger();
      return true;
    }
  for (QAction* action : ActionList)
    if (action->isEnabled() && action->shortcut() == key) {
      action->trigger();
      return true;
    }
  return false;
}
