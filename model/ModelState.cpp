#include "model/ModelState.h"

#include <algorithm>

#include "model/Core.h"
#include "model/Model.h"

namespace {

int NameSlot(std::vector<std::string>& names, const TMaterial* material) {
  const std::string& name = material ? material->Name : std::string();
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  names.push_back(name);
  return static_cast<int>(names.size()) - 1;
}

const std::string& MaterialName(const TFace& face) {
  static const std::string none;
  return face.Material ? face.Material->Name : none;
}

bool Unchanged(const TMeshState& state, const TMesh& mesh) {
  const size_t size = static_cast<size_t>(mesh.Vertices.Count()) + static_cast<size_t>(mesh.Surfaces.Count());
  if (state.Revision == mesh.Revision && size >= TMeshState::TrustRevisionFrom) return true;
  if (!state.Matches(mesh)) return false;
  state.Revision = mesh.Revision;
  return true;
}

}  // namespace

TMeshState::TMeshState(TMesh& mesh)
    : Name(mesh.Name),
      GeometryMode(mesh.GeometryMode),
      LightingMode(mesh.LightingMode),
      TextureMode(mesh.TextureMode),
      Radius(mesh.Radius),
      RadiusDirty(mesh.RadiusDirty),
      Revision(mesh.Revision) {
  Positions.reserve(static_cast<size_t>(mesh.Vertices.Count()));
  Normals.reserve(static_cast<size_t>(mesh.Vertices.Count()));
  for (const TVertex* v : mesh.Vertices) {
    Positions.push_back(v->Position);
    Normals.push_back(v->Normal);
  }
  Faces.reserve(static_cast<size_t>(mesh.Surfaces.Count()));
  for (const TFace* f : mesh.Surfaces) {
    Faces.push_back({NameSlot(MaterialNames, f->Material), f->FaceType, f->GeometryMode, f->LightingMode,
                     f->TextureMode, f->ExtraLight, f->NormalDirty, f->Normal, static_cast<int>(Corners.size()),
                     f->Vertices.Count()});
    for (const TVertex* v : f->Vertices) Corners.push_back(mesh.IndexOfVertex(v));
    for (const TTXVertex& t : f->TXVertices) TX.push_back(t);
    TX.resize(Corners.size());  // a face whose texture corners fell short of its corners
  }
}

bool TMeshState::Matches(const TMesh& mesh) const {
  if (mesh.Name != Name || mesh.GeometryMode != GeometryMode || mesh.LightingMode != LightingMode ||
      mesh.TextureMode != TextureMode || mesh.Vertices.Count() != static_cast<int>(Positions.size()) ||
      mesh.Surfaces.Count() != static_cast<int>(Faces.size()))
    return false;
  for (size_t i = 0; i < Positions.size(); ++i) {
    const TVertex& v = *mesh.Vertices[static_cast<int>(i)];
    if (!(v.Position == Positions[i]) || !(v.Normal == Normals[i])) return false;
  }
  for (size_t i = 0; i < Faces.size(); ++i) {
    const TFace& f = *mesh.Surfaces[static_cast<int>(i)];
    const TFaceState& s = Faces[i];
    if (f.FaceType != s.FaceType || f.GeometryMode != s.GeometryMode || f.LightingMode != s.LightingMode ||
        f.TextureMode != s.TextureMode || f.ExtraLight != s.ExtraLight || f.Vertices.Count() != s.Corners ||
        f.TXVertices.Count() > s.Corners || MaterialName(f) != MaterialNames[static_cast<size_t>(s.Material)])
      return false;
    for (int k = 0; k < s.Corners; ++k) {
      const size_t c = static_cast<size_t>(s.FirstCorner + k);
      if (mesh.IndexOfVertex(f.Vertices[k]) != Corners[c]) return false;
      const TTXVertex t = k < f.TXVertices.Count() ? f.TXVertices[k] : TTXVertex{};
      if (t.U != TX[c].U || t.V != TX[c].V) return false;
    }
  }
  return true;
}

void TMeshState::RestoreInto(TMesh& mesh) const {
  mesh.Surfaces.Clear();
  mesh.Vertices.Clear();
  mesh.Name = Name;
  mesh.GeometryMode = GeometryMode;
  mesh.LightingMode = LightingMode;
  mesh.TextureMode = TextureMode;
  mesh.Vertices.Reserve(Positions.size());
  for (size_t i = 0; i < Positions.size(); ++i) {
    TVertex* v = mesh.AddVertex();
    v->Position = v->World = Positions[i];
    v->Normal = Normals[i];
  }
  std::vector<TMaterial*> materials;
  for (const std::string& name : MaterialNames)
    materials.push_back(name.empty() || !mesh.Model ? nullptr : mesh.Model->Materials.FindOrAdd(name));
  mesh.Surfaces.Reserve(Faces.size());
  for (const TFaceState& s : Faces) {
    TFace* f = mesh.AddFace();
    f->Material = materials[static_cast<size_t>(s.Material)];
    f->FaceType = s.FaceType;
    f->GeometryMode = s.GeometryMode;
    f->LightingMode = s.LightingMode;
    f->TextureMode = s.TextureMode;
    f->ExtraLight = s.ExtraLight;
    f->Vertices.Reserve(static_cast<size_t>(s.Corners));
    f->TXVertices.Reserve(static_cast<size_t>(s.Corners));
    for (int k = 0; k < s.Corners; ++k) {
      const size_t c = static_cast<size_t>(s.FirstCorner + k);
      f->Vertices.Add(mesh.Vertices[Corners[c]]);
      f->TXVertices.Add(TX[c]);
    }
    f->Normal = s.Normal;
    f->NormalDirty = s.NormalDirty;
  }
  mesh.Radius = Radius;
  mesh.RadiusDirty = RadiusDirty;
}

size_t TMeshState::Bytes() const {
  size_t names = 0;
  for (const std::string& n : MaterialNames) names += sizeof n + n.capacity();
  return sizeof *this + Name.capacity() + (Positions.capacity() + Normals.capacity()) * sizeof(TVector) +
         Faces.capacity() * sizeof(TFaceState) + Corners.capacity() * sizeof(int) +
         TX.capacity() * sizeof(TTXVertex) + names;
}

size_t TSelectionState::Bytes() const {
  return sizeof *this + Nodes.capacity() * sizeof(int) +
         (Surfaces.capacity() + Vertices.capacity()) * sizeof(std::pair<int, int>);
}

std::shared_ptr<const TModelState> TakeModelState(TModel& model, TMeshStateMap& synced) {
  auto state = std::make_shared<TModelState>();
  state->Radius = model.Radius;
  state->InsertOffset = model.InsertOffset;
  for (const TMaterial* m : model.Materials) state->Materials.push_back(m->Name);
  std::unordered_map<const TNode*, int> index;
  index.reserve(static_cast<size_t>(model.Nodes.Count()));
  for (int i = 0; i < model.Nodes.Count(); ++i) index.emplace(model.Nodes[i], i);
  const auto indexOf = [&](const TNode* n) { return n ? index.at(n) : -1; };
  TMeshStateMap next;
  state->Nodes.reserve(static_cast<size_t>(model.Nodes.Count()));
  for (TNode* n : model.Nodes) {
    std::shared_ptr<const TMeshState> mesh;
    if (n->Mesh) {
      n->Mesh->IndexVertices();
      const auto known = synced.find(n->Mesh.get());
      if (known != synced.end() && Unchanged(*known->second, *n->Mesh))
        mesh = known->second;
      else
        mesh = std::make_shared<TMeshState>(*n->Mesh);
      next.emplace(n->Mesh.get(), mesh);
    }
    state->Nodes.push_back({n->Name, n->Flags, n->NodeType, n->NumChildren, indexOf(n->Parent), indexOf(n->Child),
                            indexOf(n->Sibling), n->ParentIndex, n->ChildIndex, n->SiblingIndex, n->Position,
                            n->Rotation, n->Pivot, std::move(mesh)});
  }
  size_t own = sizeof(TModelState) + state->Nodes.capacity() * sizeof(TModelState::TNodeState);
  for (const auto& n : state->Nodes) own += n.Name.capacity();
  for (const std::string& m : state->Materials) own += sizeof m + m.capacity();
  state->OwnBytes = own;
  synced = std::move(next);
  return state;
}

TSelectionState TakeSelectionState(const TCore& core) {
  TSelectionState s;
  const TModel& model = *core.Model;
  std::unordered_map<const TNode*, int> nodeIndex;
  std::unordered_map<const TMesh*, int> meshNode;
  for (int i = 0; i < model.Nodes.Count(); ++i) {
    nodeIndex.emplace(model.Nodes[i], i);
    if (model.Nodes[i]->Mesh) meshNode.emplace(model.Nodes[i]->Mesh.get(), i);
  }
  for (const TNode* n : core.Nodes) s.Nodes.push_back(nodeIndex.at(n));
  // Faces know no index of their own: the meshes that hold selected faces are numbered once.
  std::unordered_map<const TFace*, int> faceIndex;
  for (const TFace* f : core.Surfaces)
    if (!faceIndex.count(f))
      for (int i = 0; i < f->Mesh->Surfaces.Count(); ++i) faceIndex.emplace(f->Mesh->Surfaces[i], i);
  for (const TFace* f : core.Surfaces) s.Surfaces.emplace_back(meshNode.at(f->Mesh), faceIndex.at(f));
  for (const TVertex* v : core.Vertices) {
    if (v->Mesh->IndexOfVertex(v) < 0) v->Mesh->IndexVertices();
    s.Vertices.emplace_back(meshNode.at(v->Mesh), v->Mesh->IndexOfVertex(v));
  }
  return s;
}

void RestoreModelState(TModel& model, const TModelState& state, TMeshStateMap& synced) {
  // The meshes that stay are taken off their nodes before the nodes go.
  std::unordered_map<const TMeshState*, std::unique_ptr<TMesh>> kept;
  for (const auto& n : state.Nodes)
    if (n.Mesh) kept.emplace(n.Mesh.get(), nullptr);
  for (TNode* n : model.Nodes) {
    const auto known = n->Mesh ? synced.find(n->Mesh.get()) : synced.end();
    if (known == synced.end()) continue;
    const auto slot = kept.find(known->second.get());
    if (slot != kept.end() && !slot->second) slot->second = std::move(n->Mesh);
  }
  if (model.Core) model.Core->ClearSelection();
  model.AllVertices.Clear();
  model.AllSurfaces.Clear();
  model.SelectedSurfaces.Clear();

  // Materials keep their pictures: only names the list did not hold are read.
  auto pool = model.Materials.ExtractAll();
  for (const std::string& name : state.Materials) {
    const auto same = std::find_if(pool.begin(), pool.end(), [&](const auto& m) { return m && m->Name == name; });
    if (same != pool.end())
      model.Materials.Put(std::move(*same));
    else
      model.Materials.Add(name);
  }
  std::unordered_map<const TMaterial*, std::string> dropped;
  for (const auto& m : pool)
    if (m) dropped.emplace(m.get(), m->Name);

  model.Nodes.Clear();
  model.Nodes.Reserve(state.Nodes.size());
  synced.clear();
  for (const auto& s : state.Nodes) {
    TNode* n = model.AddNode();
    n->Name = s.Name;
    n->Flags = s.Flags;
    n->NodeType = s.NodeType;
    n->NumChildren = s.NumChildren;
    n->ParentIndex = s.ParentIndex;
    n->ChildIndex = s.ChildIndex;
    n->SiblingIndex = s.SiblingIndex;
    n->Position = s.Position;
    n->Rotation = s.Rotation;
    n->Pivot = s.Pivot;
    if (!s.Mesh) continue;
    std::unique_ptr<TMesh>& mesh = kept[s.Mesh.get()];
    if (mesh) {
      for (TFace* f : mesh->Surfaces)
        if (const auto gone = dropped.find(f->Material); gone != dropped.end())
          f->Material = model.Materials.FindOrAdd(gone->second);
    } else {
      mesh = std::make_unique<TMesh>(&model);
      s.Mesh->RestoreInto(*mesh);
      s.Mesh->Revision = mesh->Revision;
    }
    synced.emplace(n->SetMesh(std::move(mesh)), s.Mesh);
  }
  const auto node = [&](int i) { return i >= 0 && i < model.Nodes.Count() ? model.Nodes[i] : nullptr; };
  for (size_t i = 0; i < state.Nodes.size(); ++i) {
    TNode* n = model.Nodes[static_cast<int>(i)];
    n->Parent = node(state.Nodes[i].Parent);
    n->Child = node(state.Nodes[i].Child);
    n->Sibling = node(state.Nodes[i].Sibling);
  }
  model.Radius = state.Radius;
  model.InsertOffset = state.InsertOffset;
  model.UpdateWorld();
}

void RestoreSelectionState(TCore& core, const TSelectionState& selection) {
  core.ClearSelection();
  const TModel& model = *core.Model;
  const auto mesh = [&](int node) -> TMesh* {
    return node >= 0 && node < model.Nodes.Count() ? model.Nodes[node]->Mesh.get() : nullptr;
  };
  for (int i : selection.Nodes)
    if (i >= 0 && i < model.Nodes.Count()) core.Nodes.Add(model.Nodes[i]);
  for (auto [node, index] : selection.Surfaces)
    if (TMesh* m = mesh(node); m && index >= 0 && index < m->Surfaces.Count()) core.Surfaces.Add(m->Surfaces[index]);
  for (auto [node, index] : selection.Vertices)
    if (TMesh* m = mesh(node); m && index >= 0 && index < m->Vertices.Count()) core.Vertices.Add(m->Vertices[index]);
}
