#include "editing/DeleteOps.h"

#include <unordered_map>
#include <unordered_set>

#include "document/Core.h"
#include "services/Progress.h"

namespace {

template <class T>
std::unordered_map<TMesh*, std::vector<T*>> ByMesh(const std::vector<T*>& list) {
  std::unordered_map<TMesh*, std::vector<T*>> groups;
  for (T* item : list)
    if (item && item->Mesh) groups[item->Mesh].push_back(item);
  return groups;
}

}  // namespace

void DeleteNodes(TCore& core, std::vector<TNode*> list) {
  TModel& model = *core.Model;
  std::unordered_set<TNode*> doomed;
  for (TNode* n : list)
    if (n && n->Model == &model) doomed.insert(n);
  if (doomed.empty()) return;
  TProgress progress(&core.Services, "Deleting", static_cast<uint64_t>(model.Nodes.Count()), kProgressObjects);
  uint64_t done = 0;

  // The nearest ancestor that stays, worked out once per deleted node: a climb stops at a
  // deleted node already answered, so a deep chain of deleted nodes is climbed only once. A
  // loop of deleted nodes has none.
  std::unordered_map<TNode*, TNode*> nearest;
  std::unordered_set<TNode*> climbing;
  std::vector<TNode*> path;
  const auto survivor = [&](TNode* n) {
    path.clear();
    while (n && doomed.count(n) && !nearest.count(n) && climbing.insert(n).second) {
      path.push_back(n);
      n = n->Parent;
    }
    TNode* answer = !n || !doomed.count(n) ? n : nearest.count(n) ? nearest[n] : nullptr;
    for (TNode* climbed : path) {
      nearest[climbed] = answer;
      climbing.erase(climbed);
    }
    return answer;
  };
  for (TNode* n : model.Nodes) {
    progress.Step(++done);
    if (doomed.count(n)) {
      core.Nodes.Remove(n);
      if (const TMesh* mesh = n->Mesh.get()) {
        for (TFace* f : mesh->Surfaces) core.Surfaces.Remove(f);
        for (TVertex* v : mesh->Vertices) core.Vertices.Remove(v);
      }
      continue;
    }
    n->Parent = survivor(n->Parent);
    if (doomed.count(n->Child)) n->Child = nullptr;
    if (doomed.count(n->Sibling)) n->Sibling = nullptr;
  }
  model.Nodes.RemoveIf([&](TNode* n) { return doomed.count(n) != 0; });
}

void DeleteSurfaces(TCore& core, std::vector<TFace*> list) {
  if (list.empty()) return;
  TProgress progress(&core.Services, "Deleting", 2 * list.size(), 2 * kProgressObjects);
  uint64_t done = 0;
  for (TFace* f : list) {
    if (f) core.Surfaces.Remove(f);
    progress.Step(++done);
  }
  for (auto& [mesh, faces] : ByMesh(list)) {
    mesh->DeleteFaces(faces);
    progress.Step(done += faces.size());
  }
}

void DeleteVertices(TCore& core, std::vector<TVertex*> list) {
  if (list.empty()) return;
  TProgress progress(&core.Services, "Deleting", 2 * list.size(), 2 * kProgressObjects);
  uint64_t done = 0;
  for (TVertex* v : list) {
    if (v) core.Vertices.Remove(v);
    progress.Step(++done);
  }
  for (auto& [mesh, vertices] : ByMesh(list)) {
    mesh->DeleteVertices(vertices);
    // A face whose every corner went is nothing the game loads or a user can pick.
    std::vector<TFace*> empty;
    for (TFace* f : mesh->Surfaces)
      if (f->Vertices.Count() == 0) empty.push_back(f);
    for (TFace* f : empty) core.Surfaces.Remove(f);
    mesh->DeleteFaces(empty);
    progress.Step(done += vertices.size());
  }
}
