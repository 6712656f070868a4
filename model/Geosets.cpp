#include <algorithm>

#include "model/Model.h"

TMesh* TModel::GeosetMesh(const TNode& node, int set) const {
  if (set == Current) return node.Mesh.get();
  return set >= 0 && static_cast<size_t>(set) < node.OtherSets.size() ? node.OtherSets[static_cast<size_t>(set)].get()
                                                                       : nullptr;
}

TMesh* TModel::SetGeosetMesh(TNode& node, int set, std::unique_ptr<TMesh> mesh) {
  if (set == Current) return node.SetMesh(std::move(mesh));
  if (set < 0 || set >= Geosets) return nullptr;
  node.OtherSets.resize(static_cast<size_t>(Geosets));
  if (mesh) mesh->Node = &node;
  node.OtherSets[static_cast<size_t>(set)] = std::move(mesh);
  return node.OtherSets[static_cast<size_t>(set)].get();
}

void TModel::ResizeGeosets(int count) {
  count = std::max(count, 1);
  if (Current >= count) {
    // The shown set goes: the last kept one takes its place, and the old one goes with the rest.
    if (ReleaseSelection) ReleaseSelection();
    ChooseGeoset(count - 1);
  }
  Geosets = count;
  for (TNode* n : Nodes) {
    if (count == 1)
      n->OtherSets.clear();
    else
      n->OtherSets.resize(static_cast<size_t>(count));
  }
}

void TModel::ChooseGeoset(int set) {
  if (set == Current || set < 0 || set >= Geosets) return;
  for (TNode* n : Nodes) {
    n->OtherSets.resize(static_cast<size_t>(Geosets));
    std::swap(n->Mesh, n->OtherSets[static_cast<size_t>(Current)]);
    std::swap(n->Mesh, n->OtherSets[static_cast<size_t>(set)]);
  }
  Current = set;
  UpdateWorld();
}

void TModel::FillGeosets() {
  if (Geosets == 1) return;
  for (TNode* n : Nodes) {
    n->OtherSets.resize(static_cast<size_t>(Geosets));
    for (int set = 0; set < Geosets; ++set) {
      if (set == Current) continue;
      std::unique_ptr<TMesh>& slot = n->OtherSets[static_cast<size_t>(set)];
      if (!n->Mesh)
        slot.reset();
      else if (!slot)
        SetGeosetMesh(*n, set, n->Mesh->Clone());
    }
  }
}

int TModel::AddGeoset() {
  const int set = Geosets;
  ResizeGeosets(Geosets + 1);
  for (TNode* n : Nodes)
    if (n->Mesh) SetGeosetMesh(*n, set, n->Mesh->Clone());
  return set;
}

void TModel::CopyGeoset(int to) {
  if (to == Current || to < 0 || to >= Geosets) return;
  for (TNode* n : Nodes) SetGeosetMesh(*n, to, n->Mesh ? n->Mesh->Clone() : nullptr);
}

void TModel::DeleteGeoset(int set) {
  if (Geosets == 1 || set < 0 || set >= Geosets) return;
  if (set == Current) {
    if (ReleaseSelection) ReleaseSelection();
    ChooseGeoset(set == 0 ? 1 : set - 1);
  }
  for (TNode* n : Nodes) {
    n->OtherSets.resize(static_cast<size_t>(Geosets));
    n->OtherSets.erase(n->OtherSets.begin() + set);
    if (Geosets == 2) n->OtherSets.clear();
  }
  --Geosets;
  if (Current > set) --Current;
}
