#include "model/Model.h"

#include <algorithm>

#include "model/Core.h"
#include "model/Hierarchy.h"
#include "model/NodeTree.h"
#include "model/VertexOps.h"
#include "model/WorldFrames.h"

TModel::TModel() = default;

void TModel::Clear() {
  FileName.clear();
  if (Core) Core->ClearSelection();
  AllVertices.Clear();
  AllSurfaces.Clear();
  SelectedSurfaces.Clear();
  Nodes.Clear();
  Materials.Clear();
  Geosets = 1;
  Current = 0;
  Radius = 0;  // nothing left to fit the cameras to
  ContradictedLinks = 0;
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

void TModel::DeleteNodesFrom(int first) {
  while (Nodes.Count() > first) Nodes.Delete(Nodes.Count() - 1);
}

void TModel::FillTree(TNodeTree& tree) {
  DeriveLinks(*this);
  tree.BeginUpdate();
  tree.Clear();
  // The tree shows the links: each node's children in their chain's order. A parent loop,
  // which no read or command leaves, is opened where the forest opens it.
  const TNodeIndex index(*this);
  const TTreeForest forest(index.Parents);
  std::vector<TNodeTree::Item> items(static_cast<size_t>(Nodes.Count()));
  std::vector<int> stack;
  for (const int top : forest.Order) {
    if (forest.Parent[static_cast<size_t>(top)] >= 0) continue;
    items[static_cast<size_t>(top)] = tree.AddTop(Nodes[top]->Name, Nodes[top]);
    stack.assign(1, top);
    while (!stack.empty()) {
      const int p = stack.back();
      stack.pop_back();
      const size_t first = stack.size();
      for (TNode* c = Nodes[p]->Child; c; c = c->Sibling) {
        const int i = index.Of(c);
        if (i < 0 || forest.Parent[static_cast<size_t>(i)] != p || items[static_cast<size_t>(i)]) continue;
        items[static_cast<size_t>(i)] = tree.AddChild(items[static_cast<size_t>(p)], c->Name, c);
        stack.push_back(i);
      }
      std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(first), stack.end());
    }
  }
  tree.ExpandAll();
  tree.EndUpdate();
}

void TModel::UpdateWorld() {
  const TWorldFrames frames(*this);
  for (TNode* n : Nodes)
    if (n->Mesh) frames.Place(*n->Mesh);
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
  // The radius holds every level of detail, so a file does not depend on the one shown.
  if (Geosets > 1) {
    const TWorldFrames frames(*this);
    for (TNode* n : Nodes)
      for (const auto& mesh : n->OtherSets)
        if (mesh) {
          frames.Place(*mesh);
          radius = std::max(radius, CalcRadius(mesh->Vertices, true));
        }
  }
  Radius = radius;
}

TVector TModel::NodeWorldPosition(const TNode& node) const { return TWorldFrames(*this).NodePosition(node); }

TUserServices* TModel::Services() const { return Core ? &Core->Services : nullptr; }

void TModel::ShowStatus(const std::string& text) const {
  if (Core) Core->Services.ShowStatus(text);
}

void TModel::ShowError(const std::string& text) const {
  if (Core) Core->Services.ShowError(text);
}

void TModel::AddOutput(const std::string& text) const {
  if (Core) Core->Services.AddOutput(text);
}
