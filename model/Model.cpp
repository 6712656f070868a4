#include "model/Model.h"

#include <unordered_map>

#include "model/Core.h"
#include "model/NodeTree.h"
#include "model/VertexOps.h"

TModel::TModel() = default;

void TModel::Clear() {
  FileName.clear();
  if (Core) Core->ClearSelection();
  AllVertices.Clear();
  AllSurfaces.Clear();
  SelectedSurfaces.Clear();
  Nodes.Clear();
  Materials.Clear();
  Radius = 0;  // nothing left to fit the cameras to
}

TNode* TModel::AddNode() {
  return Nodes.Add(std::make_unique<TNode>(this));
}

void TModel::DeleteNode(int index) {
  const std::unique_ptr<TNode> node = Nodes.Extract(index);
  for (TNode* n : Nodes) {
    if (n->Parent == node.get()) n->Parent = nullptr;
    if (n->Child == node.get()) n->Child = nullptr;
    if (n->Sibling == node.get()) n->Sibling = nullptr;
  }
}

void TModel::FillTree(TNodeTree& tree) {
  tree.BeginUpdate();
  tree.Clear();
  std::unordered_map<const TNode*, TNodeTree::Item> items;
  const int total = Nodes.Count();
  int added = 0;
  while (added < total) {
    const int before = added;
    for (TNode* n : Nodes) {
      if (items.count(n)) continue;
      if (!n->Parent) {
        items[n] = tree.AddTop(n->Name, n);
        ++added;
      } else if (auto p = items.find(n->Parent); p != items.end()) {
        items[n] = tree.AddChild(p->second, n->Name, n);
        ++added;
      }
    }
    if (added == before) {
      // Parents outside the model or in a loop: show those nodes at the top rather than
      // wait for a pass that never comes.
      for (TNode* n : Nodes)
        if (!items.count(n)) {
          items[n] = tree.AddTop(n->Name, n);
          ++added;
          break;
        }
    }
  }
  LinksFromTree(tree);
  tree.ExpandAll();
  tree.EndUpdate();
}

void TModel::LinksFromTree(TNodeTree& tree) {
  const int count = tree.ItemCount();
  for (int i = 0; i < count; ++i) {
    const TNodeTree::Item item = tree.ItemAt(i);
    TNode* node = tree.NodeOf(item);
    if (!node) continue;
    node->NumChildren = tree.ChildCount(item);
    const TNodeTree::Item child = tree.FirstChild(item);
    node->Child = child ? tree.NodeOf(child) : nullptr;
    const TNodeTree::Item sibling = tree.NextSibling(item);
    node->Sibling = sibling ? tree.NodeOf(sibling) : nullptr;
  }
}

void TModel::UpdateWorld() {
  for (TNode* n : Nodes)
    if (n->Mesh) n->Mesh->UpdateWorld();
}

void TModel::Update() {
  UpdateWorld();
  float radius = 0;
  for (TNode* n : Nodes) {
    if (!n->Mesh) continue;
    n->Mesh->InvalidateNormals();
    // Same value as the radius of all gathered vertices, without gathering them.
    radius = std::max(radius, CalcRadius(n->Mesh->Vertices, true));
  }
  Radius = radius;
}

TVector TModel::NodeWorldPosition(const TNode& node) const {
  TVector w = node.Position;
  int budget = Nodes.Count();
  for (const TNode* a = node.Parent; a && budget-- > 0; a = a->Parent) {
    if (a == &node) continue;
    w = TransformVector(NodeRotation(a->Rotation.X, a->Rotation.Y, a->Rotation.Z), w);
    AddVector(w, a->Position);
  }
  return w;
}

void TModel::ShowStatus(const std::string& text) const {
  if (Core) Core->Services.ShowStatus(text);
}

void TModel::ShowError(const std::string& text) const {
  if (Core) Core->Services.ShowError(text);
}

void TModel::AddOutput(const std::string& text) const {
  if (Core) Core->Services.AddOutput(text);
}
