#include <iterator>

#include "editing/SelectCommands.h"
#include "tests/core/TestCore.h"

namespace {

using SelectCommands = CoreFixture;

TEST_F(SelectCommands, AllInvertAndClearWorkInTheCurrentModeOnly) {
  // Two meshes with 6 and 4 faces, and a node without mesh.
  TMesh& a = *AddMeshNode("a", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})->Mesh;
  for (int i = 0; i < 6; ++i) AddFace(a, {0, 1, 2});
  TMesh& b = *AddMeshNode("b", {{0, 0, 0}})->Mesh;
  for (int i = 0; i < 4; ++i) AddFace(b, {0});
  Model().AddNode();
  Core.ToggleNode(Model().Nodes[0]);
  Core.EditMode = emSurface;
  Core.ToggleSurface(b.Surfaces[0]);
  actSelAll(Core);
  EXPECT_EQ(Core.Surfaces.Count(), 10);
  EXPECT_EQ(Core.Surfaces.First(), a.Surfaces[0]) << "model order";
  actSelInvert(Core);
  EXPECT_TRUE(Core.Surfaces.Empty());
  actSelInvert(Core);
  EXPECT_EQ(Core.Surfaces.Count(), 10);
  EXPECT_EQ(Changes.Replays, 3);
  EXPECT_EQ(Changes.Rebuilds, 0) << "selecting recompiles no geometry";

  Core.EditMode = emVertex;
  TVertex* picked = a.Vertices[1];
  Core.ToggleVertex(picked);
  actSelInvert(Core);
  EXPECT_EQ(Core.Vertices.Count(), 3);
  EXPECT_FALSE(Core.Vertices.Contains(picked));
  actSelClear(Core);
  EXPECT_TRUE(Core.Vertices.Empty());
  EXPECT_EQ(Core.Nodes.Count(), 1);
  EXPECT_EQ(Core.Surfaces.Count(), 10);
  Core.Nodes.Clear();
  Core.EditMode = emNode;
  actSelAll(Core);
  EXPECT_EQ(Core.Nodes.Count(), 3);
}

TEST_F(SelectCommands, HierarchyWalksFollowTheTreeLinks) {
  // root with children a, b, c (in that order); a has child d.
  for (const char* name : {"root", "a", "b", "c", "d"}) Model().AddNode()->Name = name;
  const auto n = [&](int i) { return Model().Nodes[i]; };
  for (int i = 1; i <= 3; ++i) n(i)->Parent = n(0);
  n(4)->Parent = n(1);
  RefillTree();
  const struct { TCommandResult (*Walk)(TCore&); std::vector<int> From; int To; } cases[] = {
      {actSelParentNode, {4, 2, 3}, 1}, {actSelParentNode, {0}, 0},      {actSelChildNode, {0}, 1},
      {actSelChildNode, {3}, 3},        {actSelNextSiblingNode, {1}, 2}, {actSelNextSiblingNode, {3}, 3},
      {actSelPrevSiblingNode, {3}, 2},  {actSelPrevSiblingNode, {1}, 1},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    Core.Nodes.Clear();
    for (int k : cases[i].From) Core.ToggleNode(n(k));
    cases[i].Walk(Core);
    EXPECT_EQ(Core.Nodes.Items(), std::vector<TNode*>{n(cases[i].To)});
  }

  // Nothing happens outside node mode or without a selection.
  Core.EditMode = emVertex;
  Changes.Replays = 0;
  actSelParentNode(Core);
  EXPECT_EQ(Core.Nodes.Items(), std::vector<TNode*>{n(1)});
  Core.EditMode = emNode;
  Core.Nodes.Clear();
  actSelParentNode(Core);
  EXPECT_TRUE(Core.Nodes.Empty());
  EXPECT_EQ(Changes.Replays, 0);
}

}  // namespace
