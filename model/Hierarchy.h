#pragma once
#include <unordered_map>
#include <vector>

class TModel;
class TNode;

// The walks every hierarchy pass shares, over the parent links taken as model indexes. Each
// is linear in the number of nodes and keeps its own stack, so a chain of any depth costs no
// more than a flat list of the same size.

// A parent that is not one of the model's nodes (a damaged model); it counts as none, and
// nothing of it is read.
constexpr int kParentOutside = -2;

// Model indexes of the nodes and of their parents.
class TNodeIndex {
 public:
  explicit TNodeIndex(const TModel& model);
  // The node's model index, or -1 for null or a node of no place in the model.
  int Of(const TNode* node) const;
  // Each node's parent: a model index, -1 for none, or kParentOutside.
  std::vector<int> Parents;

 private:
  std::unordered_map<const TNode*, int> Index;
};

// The forest the node tree shows. Nodes whose chains end at a root come first, as the tree
// fill places them: each root in model order, each node under its parent, children that
// follow their parent in model order before those that precede it. The rest (loops and
// what hangs from them, parents outside the model) are then taken lowest index first, each
// as a new top node with whatever still hangs from it: a loop is opened at its first node.
struct TTreeForest {
  explicit TTreeForest(const std::vector<int>& parents);
  std::vector<int> Parent;  // the parent in this forest, -1 for a top node
  std::vector<int> Order;   // every node once in display order (depth first)
};

// The link pass's loop check: each parent link of the nodes from `first` on that closes a loop
// is cut, as if the links had been made one by one in model order and each refused that
// would close a loop, or lead into one the model held before. Returns the cut nodes' indexes
// in ascending order.
std::vector<int> CutParentLoops(TModel& model, int first);
