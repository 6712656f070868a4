#include "document/ModelState.h"

#include <algorithm>

#include "model/Model.h"
#include "model/WorldFrames.h"

size_t TSelectionState::Bytes() const {
  return sizeof *this + Nodes.capacity() * sizeof(int) +
         (Surfaces.capacity() + Vertices.capacity()) * sizeof(std::pair<int, int>);
}

std::shared_ptr<const TModelState> TakeModelState(TModel& model, TMeshStateMap& synced, size_t& created) {
  auto state = std::make_shared<TModelState>();
  state->Radius = model.Radius;
  state->InsertOffset = model.InsertOffset;
  for (const TMaterial* m : model.Materials) {
    state->Materials.push_back(m->Name);
    state->ByDefault.push_back(m->ByDefault);
  }
  std::unordered_map<const TNode*, int> index;
  index.reserve(static_cast<size_t>(model.Nodes.Count()));
  for (int i = 0; i < model.Nodes.Count(); ++i) index.emplace(model.Nodes[i], i);
  const auto indexOf = [&](const TNode* n) { return n ? index.at(n) : -1; };
  TMeshStateMap next;
  const auto take = [&](const TNode& n, int set) -> std::shared_ptr<const TMeshState> {
    TMesh* mesh = model.GeosetMesh(n, set);
    if (!mesh) return nullptr;
    const auto known = synced.find(mesh);
    auto copy = TMeshState::Take(*mesh, known != synced.end() ? known->second : nullptr, created);
    next.emplace(mesh, copy);
    return copy;
  };
  state->Geosets = model.GeosetCount();
  state->Nodes.reserve(static_cast<size_t>(model.Nodes.Count()));
  for (TNode* n : model.Nodes) {
    auto& s = state->Nodes.emplace_back(TModelState::TNodeState{
        n->Data(), indexOf(n->Parent), indexOf(n->Child), indexOf(n->Sibling), take(*n, 0), {}});
    for (int set = 1; set < state->Geosets; ++set) s.OtherSets.push_back(take(*n, set));
  }
  size_t own = sizeof(TModelState) + state->Nodes.capacity() * sizeof(TModelState::TNodeState);
  for (const auto& n : state->Nodes) own += n.Data.Name.capacity() + n.OtherSets.capacity() * sizeof n.Mesh;
  for (const std::string& m : state->Materials) own += sizeof m + m.capacity();
  state->OwnBytes = own;
  synced = std::move(next);
  return state;
}

namespace {

// True when every node keeps its place in the hierarchy and its transform, so that only the
// meshes that were rewritten need a world pass.
bool SameFrames(const TModelState& a, const TModelState& b) {
  if (a.Nodes.size() != b.Nodes.size()) return false;
  for (size_t i = 0; i < a.Nodes.size(); ++i) {
    const auto &x = a.Nodes[i], &y = b.Nodes[i];
    if (x.Parent != y.Parent || x.Data.Position != y.Data.Position || x.Data.Rotation != y.Data.Rotation ||
        x.Data.Pivot != y.Data.Pivot)
      return false;
  }
  return true;
}

// A mesh taken off its node, with the copy it held when last copied or restored.
struct TLive {
  std::unique_ptr<TMesh> Mesh;
  std::shared_ptr<const TMeshState> Held;
};

// Meshes by node, then by geometry set.
template <class T>
using TBySet = std::vector<std::vector<T>>;

// Takes every mesh off the model's nodes before the nodes go; the nodes' Mesh holds set
// `wasShown`.
TBySet<TLive> TakeMeshesOff(TModel& model, size_t wasShown, const TMeshStateMap& synced) {
  const size_t liveSets = static_cast<size_t>(model.GeosetCount());
  TBySet<TLive> live(static_cast<size_t>(model.Nodes.Count()));
  for (size_t i = 0; i < live.size(); ++i) {
    TNode& n = *model.Nodes[static_cast<int>(i)];
    if (liveSets > 1) n.OtherSets.resize(liveSets);
    live[i].resize(liveSets);
    for (size_t set = 0; set < liveSets; ++set)
      if (std::unique_ptr<TMesh>& mesh = set == wasShown ? n.Mesh : n.OtherSets[set]) {
        const auto known = synced.find(mesh.get());
        live[i][set] = {std::move(mesh), known != synced.end() ? known->second : nullptr};
      }
  }
  return live;
}

// A mesh for each of the state's meshes: first the live ones that hold a copy the state names,
// as they are; then, for the state's other meshes, the live one at the same place or a new
// one, brought to its copy. `rewritten` marks the nodes whose shown mesh has no world
// positions for its place: restored, or shown just now.
TBySet<std::unique_ptr<TMesh>> GiveMeshes(TModel& model, const TModelState& state, TBySet<TLive>& live,
                                          size_t wasShown, size_t shown, std::vector<bool>& rewritten) {
  const size_t sets = static_cast<size_t>(state.Geosets);
  std::unordered_map<const TMeshState*, std::pair<size_t, size_t>> holder;
  for (size_t i = 0; i < live.size(); ++i)
    for (size_t set = 0; set < live[i].size(); ++set)
      if (live[i][set].Held) holder.emplace(live[i][set].Held.get(), std::make_pair(i, set));
  TBySet<std::unique_ptr<TMesh>> meshes(state.Nodes.size());
  for (size_t i = 0; i < state.Nodes.size(); ++i) {
    meshes[i].resize(sets);
    for (size_t set = 0; set < sets; ++set)
      if (const TMeshState* s = state.Nodes[i].Set(set).get(); s && holder.count(s)) {
        const auto [node, from] = holder[s];
        if (!live[node][from].Mesh) continue;
        meshes[i][set] = std::move(live[node][from].Mesh);
        if (set == shown && from != wasShown) rewritten[i] = true;
      }
  }
  for (size_t i = 0; i < state.Nodes.size(); ++i)
    for (size_t set = 0; set < sets; ++set) {
      const TMeshState* s = state.Nodes[i].Set(set).get();
      if (!s || meshes[i][set]) continue;
      TLive* same = i < live.size() && set < live[i].size() && live[i][set].Mesh ? &live[i][set] : nullptr;
      meshes[i][set] = same ? std::move(same->Mesh) : model.NewMesh();
      s->RestoreInto(*meshes[i][set], same ? same->Held.get() : nullptr);
      if (set == shown) rewritten[i] = true;
    }
  return meshes;
}

// Brings the material list to the state's. Materials keep their pictures: only names the list
// did not hold are read, and faces of a material the state lacks take it again by name.
void RestoreMaterials(TModel& model, const TModelState& state, const TBySet<std::unique_ptr<TMesh>>& meshes) {
  auto pool = model.Materials.ExtractAll();
  for (size_t i = 0; i < state.Materials.size(); ++i) {
    const std::string& name = state.Materials[i];
    const auto same = std::find_if(pool.begin(), pool.end(), [&](const auto& m) { return m && m->Name == name; });
    TMaterial* material = same != pool.end() ? model.Materials.Put(std::move(*same)) : model.Materials.Add(name);
    material->ByDefault = state.ByDefault[i];
  }
  std::unordered_map<const TMaterial*, std::string> dropped;
  for (const auto& m : pool)
    if (m) dropped.emplace(m.get(), m->Name);
  if (!dropped.empty())
    for (const auto& node : meshes)
      for (const auto& mesh : node)
        if (mesh)
          for (TFace* f : mesh->Surfaces)
            if (const auto gone = dropped.find(f->Material); gone != dropped.end())
              f->Material = model.Materials.FindOrAdd(gone->second);
}

// Adds the state's nodes, with their meshes and their links; `synced` comes to name each
// mesh's copy.
void RestoreNodes(TModel& model, const TModelState& state, TBySet<std::unique_ptr<TMesh>>& meshes,
                  TMeshStateMap& synced) {
  model.Nodes.Reserve(state.Nodes.size());
  synced.clear();
  for (size_t i = 0; i < state.Nodes.size(); ++i) {
    const auto& s = state.Nodes[i];
    TNode* n = model.AddNode();
    n->Data() = s.Data;
    for (size_t set = 0; set < meshes[i].size(); ++set)
      if (meshes[i][set])
        synced.emplace(model.SetGeosetMesh(*n, static_cast<int>(set), std::move(meshes[i][set])), s.Set(set));
  }
  const auto node = [&](int i) { return i >= 0 && i < model.Nodes.Count() ? model.Nodes[i] : nullptr; };
  for (size_t i = 0; i < state.Nodes.size(); ++i) {
    TNode* n = model.Nodes[static_cast<int>(i)];
    n->Parent = node(state.Nodes[i].Parent);
    n->Child = node(state.Nodes[i].Child);
    n->Sibling = node(state.Nodes[i].Sibling);
  }
}

}  // namespace

void RestoreModelState(TModel& model, const TModelState& state, const TModelState* current, TMeshStateMap& synced) {
  // The selections name vertices and faces that may go.
  if (model.ReleaseSelection) model.ReleaseSelection();
  const size_t wasShown = static_cast<size_t>(model.CurrentGeoset());
  const size_t shown = std::min(wasShown, static_cast<size_t>(state.Geosets) - 1);
  TBySet<TLive> live = TakeMeshesOff(model, wasShown, synced);
  std::vector<bool> rewritten(state.Nodes.size(), false);
  TBySet<std::unique_ptr<TMesh>> meshes = GiveMeshes(model, state, live, wasShown, shown, rewritten);
  model.Nodes.Clear();
  live.clear();
  model.ResizeGeosets(state.Geosets);
  RestoreMaterials(model, state, meshes);
  RestoreNodes(model, state, meshes, synced);
  model.Radius = state.Radius;
  model.InsertOffset = state.InsertOffset;
  if (current && SameFrames(*current, state)) {
    const TWorldFrames frames(model);
    for (size_t i = 0; i < state.Nodes.size(); ++i)
      if (rewritten[i]) frames.Place(*model.Nodes[static_cast<int>(i)]->Mesh);
  } else {
    model.UpdateWorld();
  }
}
