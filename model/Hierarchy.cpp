#include "model/Hierarchy.h"

#include <algorithm>

#include "model/Model.h"

TNodeIndex::TNodeIndex(const TModel& model) {
  const int count = model.Nodes.Count();
  Index.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) Index.emplace(model.Nodes[i], i);
  Parents.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const TNode* parent = model.Nodes[i]->Parent;
    const int p = Of(parent);
    Parents[static_cast<size_t>(i)] = p >= 0 ? p : parent ? kParentOutside : -1;
  }
}

int TNodeIndex::Of(const TNode* node) const {
  const auto it = Index.find(node);
  return it == Index.end() ? -1 : it->second;
}

namespace {

// The children of each node in model order, packed: those of node p are
// Kids[Start[p]] .. Kids[Start[p + 1] - 1].
struct TChildLists {
  explicit TChildLists(const std::vector<int>& parents) : Start(parents.size() + 1, 0), Kids(parents.size()) {
    for (const int p : parents)
      if (p >= 0) ++Start[static_cast<size_t>(p) + 1];
    for (size_t i = 0; i + 1 < Start.size(); ++i) Start[i + 1] += Start[i];
    std::vector<int> fill(Start.begin(), Start.end() - 1);
    for (size_t i = 0; i < parents.size(); ++i)
      if (const int p = parents[i]; p >= 0) Kids[static_cast<size_t>(fill[static_cast<size_t>(p)]++)] = static_cast<int>(i);
  }
  int Count(int p) const { return Start[static_cast<size_t>(p) + 1] - Start[static_cast<size_t>(p)]; }
  std::vector<int> Start, Kids;
};

// For each node, whether its chain of parents runs into a loop; `loopTop` receives, for each
// node on a loop, the highest index on that loop, and -1 for every other node. Colour marking:
// a walk climbs through unvisited nodes until it meets a finished node, the end of the chain,
// or a node of its own path (a loop); then the whole path takes the answer.
std::vector<char> ChainsIntoLoops(const std::vector<int>& parents, std::vector<int>& loopTop) {
  const size_t count = parents.size();
  enum : char { Unvisited, OnPath, Done };
  std::vector<char> state(count, Unvisited), intoLoop(count, 0);
  std::vector<int> pathPlace(count, -1), path;
  loopTop.assign(count, -1);
  for (size_t start = 0; start < count; ++start) {
    if (state[start] == Done) continue;
    path.clear();
    int x = static_cast<int>(start);
    while (x >= 0 && state[static_cast<size_t>(x)] == Unvisited) {
      state[static_cast<size_t>(x)] = OnPath;
      pathPlace[static_cast<size_t>(x)] = static_cast<int>(path.size());
      path.push_back(x);
      x = parents[static_cast<size_t>(x)];
    }
    char answer = 0;
    if (x >= 0 && state[static_cast<size_t>(x)] == Done) {
      answer = intoLoop[static_cast<size_t>(x)];
    } else if (x >= 0) {
      answer = 1;
      const auto loop = path.begin() + pathPlace[static_cast<size_t>(x)];
      const int top = *std::max_element(loop, path.end());
      for (auto it = loop; it != path.end(); ++it) loopTop[static_cast<size_t>(*it)] = top;
    }
    for (const int y : path) {
      intoLoop[static_cast<size_t>(y)] = answer;
      state[static_cast<size_t>(y)] = Done;
    }
  }
  return intoLoop;
}

}  // namespace

TTreeForest::TTreeForest(const std::vector<int>& parents) {
  const size_t count = parents.size();
  const TChildLists lists(parents);
  Parent.assign(count, -1);
  Order.reserve(count);
  std::vector<char> placed(count, 0);
  std::vector<int> stack;
  const auto place = [&](int top) {
    placed[static_cast<size_t>(top)] = 1;
    stack.assign(1, top);
    while (!stack.empty()) {
      const int p = stack.back();
      stack.pop_back();
      Order.push_back(p);
      // The fill adds a child in the pass that placed its parent when it follows the parent in
      // model order, in the next pass otherwise; pushed reversed, so they come off in order.
      const auto first = lists.Kids.begin() + lists.Start[static_cast<size_t>(p)];
      const auto last = lists.Kids.begin() + lists.Start[static_cast<size_t>(p) + 1];
      const auto later = std::upper_bound(first, last, p);
      const auto push = [&](int child) {
        if (placed[static_cast<size_t>(child)]) return;  // a loop's opened node, already on top
        placed[static_cast<size_t>(child)] = 1;
        Parent[static_cast<size_t>(child)] = p;
        stack.push_back(child);
      };
      for (auto it = later; it != first;) push(*--it);
      for (auto it = last; it != later;) push(*--it);
    }
  };
  for (size_t i = 0; i < count; ++i)
    if (parents[i] == -1) place(static_cast<int>(i));
  for (size_t i = 0; i < count; ++i)
    if (!placed[i]) place(static_cast<int>(i));
}

std::vector<int> CutParentLoops(TModel& model, int first) {
  // Made one by one in model order, a link closes a loop only as the last of the loop's links,
  // which is the link of the loop's highest node. A link to an earlier node whose chain ends
  // in a loop is refused too: the walk up from it never ends. A chain that reaches such a
  // node only through other new nodes does not count, because the new node next to it was
  // either refused before or is not linked yet when the link is checked.
  const TNodeIndex index(model);
  std::vector<int> loopTop;
  const std::vector<char> intoLoop = ChainsIntoLoops(index.Parents, loopTop);
  std::vector<int> cut;
  for (int m = std::max(first, 0); m < model.Nodes.Count(); ++m) {
    const int p = index.Parents[static_cast<size_t>(m)];
    if (p < 0) continue;
    const bool closes = loopTop[static_cast<size_t>(m)] == m ||
                        (loopTop[static_cast<size_t>(m)] < 0 && p < first && intoLoop[static_cast<size_t>(p)]);
    if (!closes) continue;
    model.Nodes[m]->Parent = nullptr;
    cut.push_back(m);
  }
  return cut;
}

namespace {

// Whether the chain from the node's first child holds exactly its children in its first
// NumChildren places, which is how the game walks them. Walks at most as many places as the
// node has children, so checking every node costs one pass over the model.
bool ChainIsExact(const std::vector<int>& parents, const std::vector<int>& firstChild,
                  const std::vector<int>& nextSibling, int p, int numChildren, int children) {
  if (numChildren != children) return false;
  std::vector<int> seen;
  int i = firstChild[static_cast<size_t>(p)];
  for (int k = 0; k < children; ++k, i = nextSibling[static_cast<size_t>(i)]) {
    if (i < 0 || parents[static_cast<size_t>(i)] != p) return false;
    seen.push_back(i);
  }
  std::sort(seen.begin(), seen.end());
  return std::adjacent_find(seen.begin(), seen.end()) == seen.end();
}

}  // namespace

int DeriveLinks(TModel& model, bool exactChainsOnly) {
  const TNodeIndex index(model);
  const size_t count = index.Parents.size();
  const TChildLists lists(index.Parents);
  int contradicted = 0;
  // A node walked once is never walked again: chains of a sound model are disjoint, and one
  // that runs into another's cannot make the pass longer than the model.
  std::vector<char> walked(count, 0), taken(count, 0);
  // The chains as they stand, read before any is rewritten.
  const auto at = [&](const TNode* n) { return n ? index.Of(n) : -1; };
  std::vector<int> firstChild(count), nextSibling(count);
  for (size_t i = 0; i < count; ++i) {
    firstChild[i] = at(model.Nodes[static_cast<int>(i)]->Child);
    nextSibling[i] = at(model.Nodes[static_cast<int>(i)]->Sibling);
  }
  std::vector<int> order;
  const auto chain = [&](const std::vector<int>& nodes, TNode* parent) {
    TNode* previous = nullptr;
    for (const int i : nodes) {
      TNode* n = model.Nodes[i];
      (previous ? previous->Sibling : parent->Child) = n;
      previous = n;
    }
    if (previous) previous->Sibling = nullptr;
  };
  for (size_t p = 0; p < count; ++p) {
    TNode* node = model.Nodes[static_cast<int>(p)];
    const int children = lists.Count(static_cast<int>(p));
    order.clear();
    if (exactChainsOnly && (children > 0 || node->NumChildren != 0 || firstChild[p] >= 0) &&
        !ChainIsExact(index.Parents, firstChild, nextSibling, static_cast<int>(p), node->NumChildren, children)) {
      ++contradicted;
    } else {
      for (int i = firstChild[p]; i >= 0 && !walked[static_cast<size_t>(i)]; i = nextSibling[static_cast<size_t>(i)]) {
        walked[static_cast<size_t>(i)] = 1;
        if (index.Parents[static_cast<size_t>(i)] == static_cast<int>(p) && !taken[static_cast<size_t>(i)]) {
          taken[static_cast<size_t>(i)] = 1;
          order.push_back(i);
        }
      }
    }
    for (int k = lists.Start[p]; k < lists.Start[p + 1]; ++k)
      if (const int i = lists.Kids[static_cast<size_t>(k)]; !taken[static_cast<size_t>(i)]) {
        taken[static_cast<size_t>(i)] = 1;
        order.push_back(i);
      }
    node->Child = nullptr;
    node->NumChildren = children;
    chain(order, node);
  }
  // Top-level nodes follow one another in model order.
  TNode* previous = nullptr;
  for (size_t i = 0; i < count; ++i) {
    if (index.Parents[i] >= 0) continue;
    TNode* n = model.Nodes[static_cast<int>(i)];
    if (previous) previous->Sibling = n;
    previous = n;
  }
  if (previous) previous->Sibling = nullptr;
  return contradicted;
}

TLinkRows LinksAmong(const std::vector<TNode*>& nodes) {
  const size_t count = nodes.size();
  std::unordered_map<const TNode*, int> row;
  row.reserve(count);
  for (size_t j = 0; j < count; ++j) row.emplace(nodes[j], static_cast<int>(j));
  const auto rowOf = [&](const TNode* n) {
    const auto it = n ? row.find(n) : row.end();
    return it == row.end() ? -1 : it->second;
  };
  TLinkRows rows{std::vector<int>(count, -1), std::vector<int>(count, -1), std::vector<int>(count, -1),
                 std::vector<int>(count, 0)};
  int previousTop = -1;
  for (size_t j = 0; j < count; ++j) {
    rows.Parent[j] = rowOf(nodes[j]->Parent);
    if (rows.Parent[j] < 0) {
      if (previousTop >= 0) rows.Sibling[static_cast<size_t>(previousTop)] = static_cast<int>(j);
      previousTop = static_cast<int>(j);
    }
    int previous = -1;
    for (const TNode* c = nodes[j]->Child; c; c = c->Sibling) {
      const int k = rowOf(c);
      if (k < 0) continue;
      (previous < 0 ? rows.Child[j] : rows.Sibling[static_cast<size_t>(previous)]) = k;
      previous = k;
      ++rows.NumChildren[j];
    }
  }
  return rows;
}
