#include "document/ShownPose.h"

#include "document/Core.h"

void ShowPose(TCore& core, TNodePose pose) {
  core.Pose = std::move(pose);
  TModel& model = *core.Model;
  PlacePosed(model, core.Pose);
  // Shading follows the turned faces.
  for (TNode* n : model.Nodes)
    if (n->Mesh) n->Mesh->InvalidateNormals();
  core.Changed(chGeometry);
}
