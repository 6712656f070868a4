#include "editing/MaterialEdits.h"

#include "model/Core.h"

TMaterial* AddProjectMaterial(TCore& core, const std::string& name) {
  TMaterial* material = core.Model->Materials.FindOrAdd(name);
  core.Services.Redraw(true);
  return material;
}

void DeleteProjectMaterial(TCore& core, TMaterial* material) {
  TMaterials& materials = core.Model->Materials;
  const int index = materials.IndexOf(material);
  if (index < 0) return;
  const std::unique_ptr<TMaterial> doomed = materials.Extract(index);
  TMaterial* replacement = nullptr;
  for (TNode* node : core.Model->Nodes)
    if (node->Mesh)
      for (TFace* face : node->Mesh->Surfaces)
        if (face->Material == doomed.get()) {
          if (!replacement) replacement = materials.FindOrAdd("dflt.mat");
          face->Material = replacement;
          node->Mesh->Touch();
        }
  core.Services.Redraw(true);
}
