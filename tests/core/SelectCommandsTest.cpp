#include "editing/SelectCommands.h"
#include "tests/core/EditFixture.h"

namespace {

class SelectCommands : public EditFixture {
 protected:
  // Two meshes with 6 and 4 faces.
  void TwoMeshes() {
    TMesh& a = *AddMeshNode("a", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})->Mesh;
    for (int i = 0; i < 6; ++i) AddFace(a, {0, 1, 2});
    TMesh& b = *AddMeshNode("b", {{0, 0, 0}})->Mesh;
    for (int i = 0; i < 4; ++i) AddFace(b, {0});
  }
};

TEST_F(SelectCommands, AllThenInvertInSurfaceMode) {
  TwoMeshes();
  Model().AddNode();  // no mesh
  Core.EditMode = emSurface;
  Core.ToggleSurface(Model().Nodes[1]->Mesh->Surfaces[0]);
  actSelAll(Core);
  EXPECT_EQ(Core.Surfaces.Count(), 10);
  EXPECT_EQ(Core.Surfaces.First(), Model().Nodes[0]->Mesh->Surfaces[0]) << "model order";
  actSelInvert(Core);
  EXPECT_TRUE(Core.Surfaces.Empty());
  actSelInvert(Core);
  EXPECT_EQ(Core.Surfaces.Count(), 10);
  EXPECT_EQ(Services.Rebuilds, 3);
}

TEST_F(SelectCommands, ClearTouchesOnlyTheCurrentMode) {
  TwoMeshes();
  Core.ToggleNode(Model().Nodes[0]);
  Core.ToggleSurface(Model().Nodes[0]->Mesh->Surfaces[0]);
  Core.ToggleVertex(Model().Nodes[0]->Mesh->Vertices[0]);
  Core.EditMode = emVertex;
  actSelClear(Core);
  EXPECT_TRUE(Core.Vertices.Empty());
  EXPECT_EQ(Core.Nodes.Count(), 1);
  EXPECT_EQ(Core.Surfaces.Count(), 1);
}

TEST_F(SelectCommands, InvertFlipsEachVertex) {
  TwoMeshes();
  Core.EditMode = emVertex;
  TVertex* picked = Model().Nodes[0]->Mesh->Vertices[1];
  Core.ToggleVertex(picked);
  actSelInvert(Core);
  EXPECT_EQ(Core.Vertices.Count(), 3);
  EXPECT_FALSE(Core.Vertices.Contains(picked));
  Core.EditMode = emNode;
  actSelAll(Core);
  EXPECT_EQ(Core.Nodes.Count(), 2);
}

class Hierarchy : public EditFixture {
 protected:
  // root with children a, b, c (in that order); a has child d.
  void SetUp() override {
    for (const char* name : {"root", "a", "b", "c", "d"}) Model().AddNode()->Name = name;
    for (int i = 1; i <= 3; ++i) N(i)->Parent = N(0);
    N(4)->Parent = N(1);
    RefillTree();
  }
  TNode* N(int i) { return Model().Nodes[i]; }
  void SelectOnly(std::initializer_list<int> nodes) {
    Core.Nodes.Clear();
    for (int i : nodes) Core.ToggleNode(N(i));
  }
  std::vector<TNode*> Selected() { return Core.Nodes.Items(); }
};

TEST_F(Hierarchy, ParentFromAChildSelectsExactlyTheParent) {
  SelectOnly({4, 2, 3});
  actSelParentNode(Core);
  EXPECT_EQ(Selected(), std::vector<TNode*>{N(1)});
  SelectOnly({0});
  actSelParentNode(Core);
  EXPECT_EQ(Selected(), std::vector<TNode*>{N(0)});
}

TEST_F(Hierarchy, ChildAndSiblingsFollowTheTreeLinks) {
  SelectOnly({0});
  actSelChildNode(Core);
  EXPECT_EQ(Selected(), std::vector<TNode*>{N(1)});
  actSelNextSiblingNode(Core);
  EXPECT_EQ(Selected(), std::vector<TNode*>{N(2)});
  SelectOnly({3});
  actSelPrevSiblingNode(Core);
  EXPECT_EQ(Selected(), std::vector<TNode*>{N(2)});
  SelectOnly({1});
  actSelPrevSiblingNode(Core);
  EXPECT_EQ(Selected(), std::vector<TNode*>{N(1)});
  SelectOnly({3});
  actSelNextSiblingNode(Core);
  actSelChildNode(Core);
  EXPECT_EQ(Selected(), std::vector<TNode*>{N(3)});
}

TEST_F(Hierarchy, WalksDoNothingOutsideNodeModeOrWithoutSelection) {
  actSelParentNode(Core);
  EXPECT_TRUE(Core.Nodes.Empty());
  EXPECT_EQ(Services.Rebuilds, 0);
  SelectOnly({4});
  Core.EditMode = emVertex;
  actSelParentNode(Core);
  EXPECT_EQ(Selected(), std::vector<TNode*>{N(4)});
  EXPECT_EQ(Services.Rebuilds, 0);
}

}  // namespace
