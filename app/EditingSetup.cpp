#include "app/EditingSetup.h"

#include <QAction>

#include "app/MainWindow.h"
#include "app/MaterialsDialog.h"
#include "app/NodeTreeView.h"
#include "app/PropertyPanel.h"
#include "editing/ActionTable.h"
#include "editing/Actions.h"
#include "editing/Step.h"
#include "view/Builder.h"

void InstallEditCommands(TfrmMain& window, TCore& core) {
  for (const TEditAction& action : EditActions())
    if (const QAction* entry = window.Action(action.Name))
      window.SetCommand(action.Name, [&core, run = action.Run, step = PlainCaption(entry->text().toStdString())] {
        RunStep(core, step, [&] { run(core); });
      });
}

TNodeTreeView* InstallNodeTree(TfraBuilder& frame, TCore& core) {
  auto* tree = new TNodeTreeView(core, &frame);
  frame.PlaceTreeWidget(tree);
  frame.FillTree = [&core, tree] { core.Model->FillTree(*tree); };
  return tree;
}

TfraProp* InstallPropertyPanel(TfraBuilder& frame, TCore& core) {
  auto* panel = new TfraProp(core, &frame);
  frame.PlaceTreeWidget(panel);
  frame.UpdateProperties = [panel] { panel->UpdateProperties(); };
  frame.FillMaterialList = [panel] { panel->FillMaterialList(); };
  frame.OnEditModeChanged = [panel](int mode) { panel->ShowPage(mode); };
  panel->ExecuteMaterials = [&core, panel](const std::string& initial, std::string& chosen) {
    return TfrmMat::Execute(core, initial, chosen, panel->window());
  };
  return panel;
}
