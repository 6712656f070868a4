#include "app/EditingSetup.h"

#include <QAction>

#include "app/ActionRegistry.h"
#include "app/MaterialsDialog.h"
#include "app/NodeTreeView.h"
#include "app/PropertyPanel.h"
#include "editing/ActionTable.h"
#include "editing/Actions.h"
#include "editing/Step.h"
#include "editing/TextureCommands.h"
#include "view/Builder.h"
#include "view/RunGuarded.h"

void InstallEditCommands(TActionRegistry& actions, TCore& core, std::function<const TCameraRec*()> shownCamera) {
  for (const TEditAction& action : EditActions())
    if (actions.Action(action.Name))
      actions.SetCommand(action.Name, [&core, run = action.Run, step = StepCaption(action.Name)] {
        ShowFailure(core.Services, RunStep(core, step, [&] { return run(core); }));
      });
  // Map From View maps from the camera shown, which the core cannot see.
  actions.SetCommand("actTexMapView", [&core, shownCamera = std::move(shownCamera)] {
    const TCameraRec* shown = shownCamera();
    ShowFailure(core.Services, RunStep(core, StepCaption("actTexMapView"), [&] { return MapFromView(core, shown); }));
  });
}

TNodeTreeView* InstallNodeTree(TViewportFrame& frame, TCore& core) {
  auto* tree = new TNodeTreeView(core, &frame);
  frame.PlaceTreeWidget(tree);
  return tree;
}

TPropertyPanel* InstallPropertyPanel(TViewportFrame& frame, TCore& core) {
  auto* panel = new TPropertyPanel(core, &frame);
  frame.PlaceTreeWidget(panel);
  frame.OnEditModeChanged = [panel](int mode) { panel->ShowPage(mode); };
  panel->ExecuteMaterials = [&core, panel](const std::string& initial, std::string& chosen) {
    return TMaterialsDialog::Execute(core, initial, chosen, panel->window());
  };
  return panel;
}
