#include "model/Model.h"

#include <unordered_map>

#include "services/UserServices.h"

TModel::TModel() = default;

void TModel::Clear() {
  FileName.clear();
  if (ReleaseSelection) ReleaseSelection();
  Nodes.Clear();
  Materials.Clear();
  Geosets = 1;
  Current = 0;
  Radius = 0;  // nothing left to fit the cameras to
  InsertOffset = {};
  ContradictedLinks = 0;
}

TNode* TModel::AddNode() {
  return Nodes.Add(std::make_unique<TNode>(this));
}

std::unique_ptr<TMesh> TModel::NewMesh() { return std::make_unique<TMesh>(this, &Materials); }

void TModel::DeleteNode(int index) {
  const std::unique_ptr<TNode> node = Nodes.Extract(index);
  for (TNode* n : Nodes) {
    if (n->Parent == node.get()) n->Parent = nullptr;
    if (n->Child == node.get()) n->Child = nullptr;
    if (n->Sibling == node.get()) n->Sibling = nullptr;
  }
}

void TModel::DeleteNodesFrom(int first) {
  while (Nodes.Count() > first) Nodes.Delete(Nodes.Count() - 1);
}

namespace {

// Points a node and the meshes of all its sets at the model that now owns them.
void Rehome(TNode& node, TModel& model) {
  node.Model = &model;
  const auto rehome = [&](TMesh* mesh) {
    if (!mesh) return;
    mesh->Model = &model;
    mesh->Materials = &model.Materials;
  };
  rehome(node.Mesh.get());
  for (const auto& mesh : node.OtherSets) rehome(mesh.get());
}

}  // namespace

void TModel::TakeContents(TModel& other) {
  Clear();
  for (auto& node : other.Nodes.ExtractAll()) Rehome(*Nodes.Add(std::move(node)), *this);
  for (auto& material : other.Materials.ExtractAll()) Materials.Put(std::move(material))->Owner = &Materials;
  FileName = std::exchange(other.FileName, {});
  Radius = other.Radius;
  InsertOffset = other.InsertOffset;
  ContradictedLinks = other.ContradictedLinks;
  Geosets = other.Geosets;
  Current = other.Current;
  other.Clear();
}

void TModel::AdoptNodes(TModel& other) {
  std::unordered_map<const TMaterial*, TMaterial*> material;
  for (auto& m : other.Materials.ExtractAll()) {
    TMaterial* own = Materials.Find(m->Name);
    if (!own) {
      (own = Materials.Put(std::move(m)))->Owner = &Materials;
    } else if (!own->Loaded && m->Loaded) {
      // The model knew the name without its picture; the adopted nodes came with it.
      const int texture = own->TextureName;
      *own = std::move(*m);
      own->Owner = &Materials;
      own->TextureName = texture;
    }
    material.emplace(m ? m.get() : own, own);
  }
  for (auto& node : other.Nodes.ExtractAll()) {
    TNode* n = Nodes.Add(std::move(node));
    Rehome(*n, *this);
    const auto remap = [&](TMesh* mesh) {
      if (!mesh) return;
      for (TFace* f : mesh->Surfaces)
        if (const auto it = material.find(f->Material); it != material.end()) f->Material = it->second;
    };
    remap(n->Mesh.get());
    for (const auto& mesh : n->OtherSets) remap(mesh.get());
  }
  other.Clear();
}

void TModel::ShowStatus(const std::string& text) const {
  if (Services) Services->ShowStatus(text);
}

void TModel::ShowError(const std::string& text) const {
  if (Services) Services->ShowError(text);
}

void TModel::AddOutput(const std::string& text) const {
  if (Services) Services->AddOutput(text);
}
