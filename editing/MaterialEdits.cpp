#include "editing/MaterialEdits.h"

#include "document/Core.h"
#include "editing/NameCheck.h"

namespace {

TMaterial* Add(TCore& core, const std::string& name, TCommandResult& result) {
  if (const std::string refusal = CheckMaterialName(name); !refusal.empty()) {
    result = Refuse(core.Services, refusal);
    return nullptr;
  }
  TMaterial* material = core.Model->Materials.FindOrAdd(name);
  material->ByDefault = false;  // asked for, so written even while no face uses it
  return material;
}

}  // namespace

TMaterial* AddProjectMaterial(TCore& core, const std::string& name) {
  TCommandResult result;
  return Add(core, name, result);
}

TCommandResult AddMaterialToModel(TCore& core, const std::string& name) {
  TCommandResult result;
  Add(core, name, result);
  return result;
}

void DeleteProjectMaterial(TCore& core, TMaterial* material) {
  TMaterials& materials = core.Model->Materials;
  const int index = materials.IndexOf(material);
  if (index < 0) return;
  const std::unique_ptr<TMaterial> doomed = materials.Extract(index);
  TMaterial* replacement = nullptr;
  // Every level of detail, not only the shown one: no face may keep the freed material.
  const TModel& model = *core.Model;
  for (int set = 0; set < model.GeosetCount(); ++set)
    for (TNode* node : model.Nodes)
      if (TMesh* mesh = model.GeosetMesh(*node, set))
        for (TFace* face : mesh->Surfaces)
          if (face->Material == doomed.get()) {
            if (!replacement) replacement = materials.FindOrAdd("dflt.mat");
            face->Material = replacement;
            mesh->Touch();
          }
}
