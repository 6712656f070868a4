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
  // Children of each node in ascending order, packed: those of node p are
  // kids[start[p]] .. kids[start[p + 1] - 1].
  std::vector<int> start(count + 1, 0), kids(count);
  for (const int p : parents)
    if (p >= 0) ++start[static_cast<size_t>(p) + 1];
  for (size_t i = 0; i < count; ++i) start[i + 1] += start[i];
  std::vector<int> fill(start.begin(), start.end() - 1);
  for (size_t i = 0; i < count; ++i)
    if (const int p = parents[i]; p >= 0) kids[static_cast<size_t>(fill[static_cast<size_t>(p)]++)] = static_cast<int>(i);

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
      const auto first = kids.begin() + start[static_cast<size_t>(p)];
      const auto last = kids.begin() + start[static_cast<size_t>(p) + 1];
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
