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

// Brings every node's Child, Sibling and NumChildren into agreement with the parents, the
// links the game walks a node's children by. A node's children keep the order its chain
// gives them, followed in model order by those the chain does not hold: a node added or
// moved comes last among its new siblings. Top-level nodes follow one another in model
// order. With `exactChainsOnly`, as for a file just read, a chain that does not hold exactly
// the node's children in its first NumChildren places gives no order (model order is
// taken); returns how many nodes' links were so contradicted.
int DeriveLinks(TModel& model, bool exactChainsOnly = false);

// The hierarchy columns of a text holding `nodes` alone (all of a model's, or a selection
// copied), as row indexes into `nodes`, -1 for none: each node's parent, first child and next
// sibling among the nodes written, and how many children it has there. The links must be
// derived; a node whose parent is not written is at the top, in the order given.
struct TLinkRows {
  std::vector<int> Parent, Child, Sibling, NumChildren;
};
TLinkRows LinksAmong(const std::vector<TNode*>& nodes);
