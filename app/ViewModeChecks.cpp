#include "app/ViewModeChecks.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/ActionRegistry.h"

void InstallViewModeChecks(QMenu& view, const TActionRegistry& actions, std::function<int()> shownMode) {
  // In the order of the modes' numbers.
  static const char* const names[] = {"actViewWireframe", "actViewShaded", "actViewTextured", "actViewGame"};
  auto* group = new QActionGroup(&view);
  group->setExclusive(true);
  std::vector<QAction*> modes;
  for (const char* name : names) {
    QAction* action = actions.Action(name);
    action->setCheckable(true);
    group->addAction(action);
    modes.push_back(action);
  }
  QObject::connect(&view, &QMenu::aboutToShow, &view, [modes, shownMode = std::move(shownMode)] {
    const int mode = shownMode();
    if (mode >= 0 && mode < static_cast<int>(modes.size())) modes[static_cast<size_t>(mode)]->setChecked(true);
  });
}
