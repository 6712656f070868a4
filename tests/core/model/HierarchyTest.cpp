// Parent links through the link pass, the tree fill and the world pass: hostile hierarchies
// read from files, damaged ones built in memory, and chains far deeper than any real model.

#include <algorithm>
#include <cstring>

#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

// A model file with one node row per entry of `parents` (the parent column); child and
// sibling columns default to -1. Every `meshEvery`-th node holds a one-vertex mesh; nodes
// differ in position, rotation and pivot so that the order of the world steps shows.
std::string HierarchyText(const std::vector<int>& parents, const std::vector<int>& children = {},
                          const std::vector<int>& siblings = {}, int meshEvery = 1) {
  const int n = static_cast<int>(parents.size());
  const int meshes = (n + meshEvery - 1) / meshEvery;
  std::string s = "# MODEL 'h.3do'\nSECTION: HEADER\n3DO 2.1\nSECTION: MODELRESOURCE\nMATERIALS 0\n"
                  "SECTION: GEOMETRYDEF\nRADIUS 0\nINSERT OFFSET 0 0 0\nGEOSETS 1\nGEOSET 0\nMESHES " +
                  std::to_string(meshes) + "\n";
  for (int i = 0; i < meshes; ++i)
    s += "MESH " + std::to_string(i) + "\nNAME m" + std::to_string(i) +
         "\nRADIUS 0\nGEOMETRYMODE 4\nLIGHTINGMODE 3\nTEXTUREMODE 0\nVERTICES 1\n0: 0.3 " + std::to_string(i % 7) +
         " 1.7 0\nTEXTURE VERTICES 0\nVERTEX NORMALS\nFACES 0\nFACE NORMALS\n";
  s += "SECTION: HIERARCHYDEF\nHIERARCHY NODES " + std::to_string(n) + "\n";
  const auto column = [](const std::vector<int>& list, int i) {
    return std::to_string(i < static_cast<int>(list.size()) ? list[i] : -1);
  };
  for (int i = 0; i < n; ++i) {
    const int k = i % 11;
    s += std::to_string(i) + ": 0x0 0x1 " + (i % meshEvery ? "-1" : std::to_string(i / meshEvery)) + " " +
         column(parents, i) + " " + column(children, i) + " " + column(siblings, i) + " 0 0.5 -0." +
         std::to_string(k) + " 1.25 " + std::to_string(17 * k) + " 33." + std::to_string(k) + " -" +
         std::to_string(11 * k) + " 0.1 0 -0.3 n" + std::to_string(i) + "\n";
  }
  return s;
}

// Each node's parent by model index, "-" for none: "- 0 1".
std::string ParentsText(const TModel& model) {
  std::string s;
  for (const TNode* n : model.Nodes)
    s += (s.empty() ? "" : " ") + (n->Parent ? std::to_string(model.Nodes.IndexOf(n->Parent)) : "-");
  return s;
}

// The tree in display order, each item as its node's model index after one dot per level:
// "0 .1 ..2 3".
std::string TreeText(const TModel& model, const TPlainNodeTree& tree) {
  std::string s;
  for (int i = 0; i < tree.ItemCount(); ++i) {
    const auto* item = static_cast<const TPlainNodeTree::TItem*>(tree.ItemAt(i));
    if (!s.empty()) s += ' ';
    for (const auto* up = item->Parent; up; up = up->Parent) s += '.';
    s += std::to_string(model.Nodes.IndexOf(item->Node));
  }
  return s;
}

bool SameBits(const TVector& a, const TVector& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// One step of the world pass as defined: turned by the node's rotation, moved by its position.
void Step(TVector& w, const TNode& node) {
  w = TransformVector(NodeRotation(node.Rotation.X, node.Rotation.Y, node.Rotation.Z), w);
  AddVector(w, node.Position);
}

// The nodes whose parent is `node`, in model order, and those its links give, in chain order.
std::vector<const TNode*> ChildrenByParent(const TModel& model, const TNode* node) {
  std::vector<const TNode*> out;
  for (const TNode* n : model.Nodes)
    if (n->Parent == node) out.push_back(n);
  return out;
}
std::vector<const TNode*> ChildrenByLinks(const TNode& node) {
  std::vector<const TNode*> out;
  for (const TNode* c = node.Child; c && out.size() <= 1'000'000; c = c->Sibling) out.push_back(c);
  return out;
}

// The links agree with the parents: each node's chain holds exactly its children, as many
// as it counts. Top-level nodes follow one another in model order.
void ExpectLinksAgreeWithParents(const TModel& model) {
  std::vector<const TNode*> tops;
  for (const TNode* n : model.Nodes) {
    std::vector<const TNode*> linked = ChildrenByLinks(*n), parented = ChildrenByParent(model, n);
    EXPECT_EQ(n->NumChildren, static_cast<int>(linked.size())) << n->Name;
    std::sort(linked.begin(), linked.end());
    std::sort(parented.begin(), parented.end());
    EXPECT_EQ(linked, parented) << n->Name;
    if (!n->Parent) tops.push_back(n);
  }
  for (size_t i = 0; i < tops.size(); ++i) EXPECT_EQ(tops[i]->Sibling, i + 1 < tops.size() ? tops[i + 1] : nullptr);
}

// The world pass and the links as the tree shows the hierarchy: every vertex goes through its
// node and then each ancestor item in turn, bit for bit; each item's children come in the
// order of its node's links; a parent loop is opened where the tree opens it.
void ExpectWorldAndLinksFollowTheTree(TModel& model, const TPlainNodeTree& tree) {
  model.Update();
  for (int i = 0; i < tree.ItemCount(); ++i) {
    const auto* item = static_cast<const TPlainNodeTree::TItem*>(tree.ItemAt(i));
    const TNode& node = *item->Node;
    std::vector<const TNode*> shown, linked;
    for (const auto* c : item->Children) shown.push_back(c->Node);
    for (const TNode* c : ChildrenByLinks(node))
      if (std::find(shown.begin(), shown.end(), c) != shown.end()) linked.push_back(c);
    EXPECT_EQ(shown, linked) << node.Name;
    TVector position = node.Position;
    for (const auto* up = item->Parent; up; up = up->Parent) Step(position, *up->Node);
    EXPECT_TRUE(SameBits(model.NodeWorldPosition(node), position)) << node.Name;
    if (!node.Mesh) continue;
    for (const TVertex* v : node.Mesh->Vertices) {
      TVector w = v->Position;
      AddVector(w, node.Pivot);
      for (const auto* up = item; up; up = up->Parent) Step(w, *up->Node);
      EXPECT_TRUE(SameBits(v->World, w)) << node.Name;
    }
  }
}

// The tree the model fills, and its world pass and links as the tree shows them.
void ExpectTree(TModel& model, const std::string& want) {
  TPlainNodeTree tree;
  FillNodeTree(model, tree);
  EXPECT_EQ(TreeText(model, tree), want);
  ExpectWorldAndLinksFollowTheTree(model, tree);
}

// Each file's rows by their parent column; the parents after reading, the rows reported as
// closing a loop, the tree, and the parse error's message when the link pass fails. The last
// is inserted into a model already holding two nodes in a loop.
TEST(HostileHierarchy, LinksFillsAndPlacesAsDefined) {
  const struct {
    const char* Name;
    std::vector<int> Parents, Children, Siblings;
    const char* Linked;
    std::vector<int> Cut;
    const char* Tree;
    const char* Error = "";
    int LoopedNodesBefore = 0;
  } cases[] = {
      {"ChainDown", {-1, 0, 1, 2}, {}, {}, "- 0 1 2", {}, "0 .1 ..2 ...3"},
      {"ChainUp", {1, 2, 3, -1}, {}, {}, "1 2 3 -", {}, "3 .2 ..1 ...0"},
      {"TwoNodesNameEachOther", {1, 0, -1}, {}, {}, "1 - -", {1}, "1 .0 2"},
      {"SelfParent", {0, 0}, {}, {}, "- 0", {0}, "0 .1"},
      {"LoopWithATail", {2, 0, 1, 1}, {}, {}, "2 0 - 1", {2}, "2 .0 ..1 ...3"},
      {"TwoLoops", {1, 0, -1, 4, 3}, {}, {}, "1 - - 4 -", {1, 4}, "1 .0 2 4 .3"},
      {"ChildrenBeforeTheirParentWaitAPass", {2, 2, -1, 2, 0}, {}, {}, "2 2 - 2 0", {}, "2 .0 ..4 .1 .3"},
      {"ChildAndSiblingColumnsLoop", {-1, 0, 0}, {1, 2, 0}, {2, 1, 1}, "- 0 0", {}, "0 .1 .2"},
      {"FailedLinkKeepsWhatWasLinked", {1, 0, 1, 1}, {-1, -1, 9, -1}, {}, "1 - 1 -", {1}, "1 .0 .2 3",
       "line 64: the row names node 9, but the text has 4 nodes"},
      {"InsertedBesideALoop", {-2, -1, 0}, {}, {}, "1 0 - - 2", {0}, "2 .4 3 0 .1", "", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestCore t;
    TModel& m = t.Model();
    for (int i = 0; i < c.LoopedNodesBefore; ++i) {
      TNode* n = m.AddNode();
      n->Position = {1, 2, 3};
      n->Rotation = {30, 0, 0};
    }
    for (int i = 0; i < c.LoopedNodesBefore; ++i) m.Nodes[i]->Parent = m.Nodes[(i + 1) % c.LoopedNodesBefore];
    const fmt_test::TTempDir dir;
    Load3DOFile(m, dir.Write("h.3do", HierarchyText(c.Parents, c.Children, c.Siblings)));
    ASSERT_EQ(t.Services.Errors.size(), *c.Error ? 1u : 0u);
    if (*c.Error) {
      EXPECT_NE(t.Services.Errors[0].find(c.Error), std::string::npos) << t.Services.Errors[0];
    }
    EXPECT_EQ(ParentsText(m), c.Linked);
    std::vector<std::string> messages;
    for (int row : c.Cut)
      messages.push_back("Node " + std::to_string(row) + " (n" + std::to_string(row) + "): parent " +
                         std::to_string(c.Parents[row]) + " would close a loop in the hierarchy; the node was kept at the top");
    EXPECT_EQ(t.Services.Output, messages);
    ExpectTree(m, c.Tree);
    if (c.LoopedNodesBefore == 0) ExpectLinksAgreeWithParents(m);
  }
}

// No file makes these (the reader opens every loop), but the tree and the world pass must
// still end, show every node once and agree with each other. A parent of -2 is a node of
// another model, which outlives the model that names it.
TEST(DamagedHierarchy, FillsOnceAndPlacesAsTheTreeShows) {
  const struct { const char* Name; std::vector<int> Parents; const char* Tree; } cases[] = {
      {"TwoNodeLoop", {1, 0}, "0 .1"},
      {"TailsBelowALoopComeFirst", {1, 3, -1, 4, 3}, "2 0 1 3 .4"},
      {"SelfParentAndStranger", {0, -2, -1}, "2 0 1"},
      {"LoopHoldingSubtrees", {2, 0, 0, 0, 3}, "0 .1 .2 .3 ..4"},
  };
  TTestCore other;
  TNode* stranger = other.Model().AddNode();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TModel m;
    for (size_t i = 0; i < c.Parents.size(); ++i) {
      TNode* n = AddMeshNode(m, "n" + std::to_string(i), {{1, 2, 3}});
      n->Position = {0.5, 0.25 * static_cast<double>(i), 1};
      n->Rotation = {10.0 * static_cast<double>(i), 20, -5};
    }
    for (size_t i = 0; i < c.Parents.size(); ++i)
      m.Nodes[static_cast<int>(i)]->Parent = c.Parents[i] == -2 ? stranger : c.Parents[i] < 0 ? nullptr : m.Nodes[c.Parents[i]];
    ExpectTree(m, c.Tree);
  }
}

TEST(HierarchyWalks, SampleKeepsItsTreeAndWorld) {
  TTestCore t;
  ASSERT_TRUE(Load3DOFile(t.Model(), ZARN_SAMPLES_DIR "/fighter.3do"));
  ExpectTree(t.Model(), "0 .1 .2 .3 ..4 ..5");
}

// Far deeper than any model: reading, the tree and the world pass must neither recurse nor
// walk the chain once per node. Near enough to one-by-one application at the bottom.
TEST(HierarchyWalks, ChainsOfEightyThousandReadFillAndUpdate) {
  constexpr int kDepth = 80'000;
  for (const bool reversed : {false, true}) {
    std::vector<int> parents(kDepth);
    for (int i = 0; i < kDepth; ++i) parents[i] = reversed ? (i + 1 < kDepth ? i + 1 : -1) : i - 1;
    TTestCore t;
    TModel& m = t.Model();
    const fmt_test::TTempDir dir;
    Load3DOFile(m, dir.Write("chain.3do", HierarchyText(parents, {}, {}, kDepth - 1)));
    ASSERT_TRUE(t.Services.Errors.empty() && t.Services.Output.empty());
    TPlainNodeTree tree;
    FillNodeTree(m, tree);
    const int bottom = reversed ? 0 : kDepth - 1;
    const auto* item = static_cast<const TPlainNodeTree::TItem*>(tree.ItemAt(kDepth - 1));
    ASSERT_EQ(item->Node, m.Nodes[bottom]);
    int depth = 0;
    for (const auto* up = item->Parent; up; up = up->Parent) ++depth;
    EXPECT_EQ(depth, kDepth - 1);
    m.Update();
    const TNode& node = *m.Nodes[bottom];
    ASSERT_NE(node.Mesh, nullptr);
    TVector w = node.Mesh->Vertices[0]->Position;
    AddVector(w, node.Pivot);
    for (const TNode* a = &node; a; a = a->Parent) Step(w, *a);
    ExpectNear(node.Mesh->Vertices[0]->World, w.X, w.Y, w.Z, 1e-6);
  }
}

}  // namespace
