#include <iterator>
#include <map>

#include "editing/TransformCommands.h"
#include "tests/core/TestCore.h"

namespace {

class TransformCommands : public CoreFixture {
 protected:
  void SetUp() override {
    mesh = AddMeshNode("m", {{0, 0, 0}, {2, 0, 0}, {9, 9, 9}})->Mesh.get();
    Core.EditMode = emVertex;
    Core.ToggleVertex(mesh->Vertices[0]);
    Core.ToggleVertex(mesh->Vertices[1]);
  }
  double X(int i) { return mesh->Vertices[i]->Position.X; }
  TMesh* mesh = nullptr;
};

// Vertices 0 and 1 at x = 0 and 2 are selected; vertex 2 at x = 9 is not.
TEST_F(TransformCommands, MoveTheSelectionOnlyAndNothingOnABadValue) {
  const struct {
    TCommandResult (*Act)(TCore&);
    std::map<std::string, std::string> Answers;
    double X0, X1;
    bool Refused = false;  // a value is no number: nothing moves
  } cases[] = {
      {actEditTranslate, {{"X", "1"}}, 1, 3},
      {actEditMove, {{"X", "3"}}, 2, 4},  // the centre goes to x = 3
      {actEditMove, {}, -1, 1},
      {actEditScale, {{"X", "2"}, {"Y", "2"}, {"Z", "2"}}, -1, 3},  // about the centre
      {actEditTranslate, {{"X", "5"}, {"Y", "0,5"}}, 0, 2, true},
      {actEditScale, {{"Around_Z", "x"}}, 0, 2, true},
      {actEditScale, {{"Around_Z", ""}}, 0, 2, true},  // emptied: no centre is worked out in its place
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    mesh->Vertices[0]->Position = {0, 0, 0};
    mesh->Vertices[1]->Position = {2, 0, 0};
    Services.Answers = cases[i].Answers;
    if (cases[i].Refused) {
      EXPECT_THROW(cases[i].Act(Core), EConvertError);
    } else {
      cases[i].Act(Core);
    }
    EXPECT_EQ(X(0), cases[i].X0);
    EXPECT_EQ(X(1), cases[i].X1);
    EXPECT_EQ(X(2), 9);
  }
}

TEST(TransformDefaults, AroundShowsTheCentreInGeneralFormat) {
  TTestCore t;
  t.Core.ToggleNode(t.AddMeshNode("n", {{0, 0, 0}, {1, 0, 1e-20}}));
  t.Services.CancelQueries = true;
  actEditRotate(t.Core);
  EXPECT_EQ(t.Services.Shown.back(),
            (std::vector<std::string>{"X=0", "Y=0", "Z=0", "Around_X=0.5", "Around_Y=0", "Around_Z=5e-21"}));
  EXPECT_EQ(t.Changes.Rebuilds, 1) << "a cancelled transform still redraws";
  t.Model().InsertOffset = {0.25, -1, 0.5};
  actEditInsertOffset(t.Core);
  EXPECT_EQ(t.Services.Shown.back(), std::vector<std::string>{"Insert_Offset=0.25 -1 0.5"});
  EXPECT_EQ(t.Changes.Rebuilds, 1);
}

TEST_F(TransformCommands, RotateAboutXThenYAndMoveASharedCornerOnce) {
  mesh->Vertices[0]->Position = {0, 1, 0};
  Core.Vertices.Remove(mesh->Vertices[1]);
  Services.Answers = {{"X", "90"}, {"Y", "90"}, {"Around_Y", "0"}};
  actEditRotate(Core);
  ExpectNear(mesh->Vertices[0]->Position, 1, 0, 0, 1e-12);
  // A corner shared by two selected surfaces moves once.
  AddFace(*mesh, {0, 1, 2});
  AddFace(*mesh, {2, 1, 0});
  Core.EditMode = emSurface;
  for (TFace* f : mesh->Surfaces) Core.ToggleSurface(f);
  Services.Answers = {{"X", "1"}};
  actEditTranslate(Core);
  EXPECT_EQ(X(2), 10);
}

TEST_F(TransformCommands, InsertOffsetTakesThreeNumbers) {
  Services.Answers = {{"Insert_Offset", "0 0.1 0"}};
  actEditInsertOffset(Core);
  ExpectNear(Model().InsertOffset, 0, 0.1, 0, 0);
  Services.Answers = {{"Insert_Offset", "1 2"}};
  EXPECT_THROW(actEditInsertOffset(Core), EConvertError);
  ExpectNear(Model().InsertOffset, 0, 0.1, 0, 0);
}

}  // namespace
