#include "document/NodeTree.h"

#include <algorithm>

#include "model/Hierarchy.h"
#include "model/Model.h"

void FillNodeTree(TModel& model, TNodeTree& tree) {
  DeriveLinks(model);
  tree.BeginUpdate();
  tree.Clear();
  // The tree shows the links: each node's children in their chain's order. A parent loop,
  // which no read or command leaves, is opened where the forest opens it.
  const TNodeIndex index(model);
  const TTreeForest forest(index.Parents);
  std::vector<TNodeTree::Item> items(static_cast<size_t>(model.Nodes.Count()));
  std::vector<int> stack;
  for (const int top : forest.Order) {
    if (forest.Parent[static_cast<size_t>(top)] >= 0) continue;
    items[static_cast<size_t>(top)] = tree.AddTop(model.Nodes[top]->Name, model.Nodes[top]);
    stack.assign(1, top);
    while (!stack.empty()) {
      const int p = stack.back();
      stack.pop_back();
      const size_t first = stack.size();
      for (TNode* c = model.Nodes[p]->Child; c; c = c->Sibling) {
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
