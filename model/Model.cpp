#include "model/Model.h"

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
  tree.BeginUpdate();
  tree.Clear();
  const TTreeForest forest(TNodeIndex(*this).Parents);
  std::vector<TNodeTree::Item> items(static_cast<size_t>(Nodes.Count()));
  for (const int i : forest.Order) {  // display order: each parent's item exists before its children's
    TNode* n = Nodes[i];
    const int p = forest.Parent[static_cast<size_t>(i)];
    items[static_cast<size_t>(i)] = p < 0 ? tree.AddTop(n->Name, n) : tree.AddChild(items[static_cast<size_t>(p)], n->Name, n);
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
