// The face selection as the history keeps it: by node and place in the mesh, in selection
// order, across several meshes, and still right after faces before the selected ones went.

#include "editing/Actions.h"
#include "editing/Step.h"
#include "tests/core/TestCore.h"

namespace {

using TPlaces = std::vector<std::pair<int, int>>;

// Three nodes: a mesh of three triangles, a node without mesh, a mesh of four triangles.
void BuildThreeNodes(TModel& model) {
  for (int faces : {3, 0, 4}) {
    TNode* node = faces ? AddMeshNode(model, "") : model.AddNode();
    for (int i = 0; faces && i < faces + 2; ++i)
      node->Mesh->AddVertex()->Position = {i * 1.0, (i % 2) * 1.0, 0};
    for (int i = 0; i < faces; ++i) AddFace(*node->Mesh, {i, i + 1, i + 2});
  }
  model.Update();
}

struct SelectionHistory : ::testing::Test {
  SelectionHistory() {
    BuildThreeNodes(t.Model());
    t.Core.ResetHistory();
    t.Core.EditMode = emSurface;
  }
  TFace* Face(int node, int index) { return t.Model().Nodes[node]->Mesh->Surfaces[index]; }
  TPlaces Faces() { return TakeSelectionState(t.Core).Surfaces; }
  void Run(const char* action) {
    RunStep(t.Core, action, [&] { return FindEditAction(action)->Run(t.Core); });
  }
  TTestCore t;
};

TEST_F(SelectionHistory, StepGivesBackTheSelectionItStartedFrom) {
  // Inverted from one face: the rest, in model order; then a step that keeps the selection.
  t.Core.ToggleSurface(Face(0, 1));
  Run("actSelInvert");
  const TPlaces inverted{{0, 0}, {0, 2}, {2, 0}, {2, 1}, {2, 2}, {2, 3}};
  EXPECT_EQ(Faces(), inverted);
  Run("actEditFlipFace");
  ASSERT_TRUE(t.Core.History.CanUndo());
  t.Core.ClearSelection();
  t.Core.ToggleSurface(Face(2, 3));
  t.Core.Undo();
  EXPECT_EQ(Faces(), inverted);
  t.Core.ClearSelection();
  t.Core.Redo();
  EXPECT_EQ(Faces(), inverted);
}

TEST_F(SelectionHistory, PlacesFollowFacesRemovedBeforeThem) {
  for (auto [node, index] : {std::pair{2, 3}, {0, 2}, {2, 0}}) t.Core.ToggleSurface(Face(node, index));
  EXPECT_EQ(Faces(), (TPlaces{{2, 3}, {0, 2}, {2, 0}}));
  t.Model().Nodes[0]->Mesh->DeleteFace(0);
  t.Model().Nodes[2]->Mesh->DeleteFace(1);
  EXPECT_EQ(Faces(), (TPlaces{{2, 2}, {0, 1}, {2, 0}}));
  t.Model().Nodes[2]->Mesh->AddFace();
  EXPECT_EQ(Faces(), (TPlaces{{2, 2}, {0, 1}, {2, 0}}));
}

}  // namespace
