#include "model/WrittenMaterials.h"

#include <algorithm>
#include <unordered_set>

#include "model/Model.h"

std::vector<TMaterial*> WrittenMaterials(const TModel& model, const std::vector<TNode*>& nodes) {
  std::vector<TMaterial*> written;
  written.reserve(static_cast<size_t>(model.Materials.Count()));
  for (TMaterial* m : model.Materials) written.push_back(m);
  if (std::none_of(written.begin(), written.end(), [](const TMaterial* m) { return m->ByDefault; })) return written;
  std::unordered_set<const TMaterial*> used;
  for (int set = 0; set < model.GeosetCount(); ++set)
    for (const TNode* node : nodes)
      if (const TMesh* mesh = model.GeosetMesh(*node, set))
        for (const TFace* face : mesh->Surfaces) used.insert(face->Material);
  std::erase_if(written, [&used](const TMaterial* m) { return m->ByDefault && !used.count(m); });
  return written;
}

std::vector<TMaterial*> WrittenMaterials(const TModel& model) { return WrittenMaterials(model, model.Nodes.Pointers()); }
