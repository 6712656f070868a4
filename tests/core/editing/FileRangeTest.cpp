// Nothing a command computes may leave the range a 3DO file is read back with.
#include <cmath>
#include <filesystem>
#include <map>

#include "editing/Actions.h"
#include "tests/core/CliRunner.h"
#include "tests/core/TestCore.h"

namespace {

// The model as it would be saved, without the header line that carries the time.
std::string Text(TModel& model) {
  model.Update();
  return SavedText(model);
}

TEST(FileRange, ACommandWhoseResultAFileCannotHoldChangesNothing) {
  const struct {
    const char* Name;
    TVector NodeAt;
    std::vector<TVector> Points;
    TEditMode Mode;
    const char* Action;
    std::map<std::string, std::string> Answers;
  } rows[] = {
      {"TranslateTwice", {}, {{3e38, 0, 0}}, emVertex, "actEditTranslate", {{"X", "3e38"}}},
      {"MoveFar", {}, {{-3e38, 0, 0}, {3e38, 0, 0}}, emVertex, "actEditMove", {{"X", "3e38"}}},
      {"ScaleUp", {}, {{1e10, 0, 0}}, emVertex, "actEditScale", {{"X", "1e38"}, {"Around_X", "0"}}},
      {"MirrorAboutAFarCentre", {}, {{-3e38, 0, 0}}, emVertex, "actEditScale", {{"X", "-1"}, {"Around_X", "3e38"}}},
      {"RotateACorner", {}, {{3e38, 3e38, 0}}, emVertex, "actEditRotate",
       {{"Z", "45"}, {"Around_X", "0"}, {"Around_Y", "0"}}},
      {"MakeSurfaceInWorld", {3e38, 0, 0}, {{3e38, 0, 0}}, emVertex, "actEditMakeSurface", {}},
      {"MergeInWorld", {3e38, 0, 0}, {{3e38, 0, 0}}, emNode, "actEditMerge", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    TTestCore t;
    t.Core.ToggleNode(t.AddMeshNode("near", {{1, 1, 1}}));
    TNode* far = t.AddMeshNode("far", {});
    far->Position = row.NodeAt;
    for (const TVector& p : row.Points) far->Mesh->AddVertex()->Position = p;
    t.Core.ToggleNode(far);
    for (TVertex* v : far->Mesh->Vertices) t.Core.ToggleVertex(v);
    t.Core.EditMode = row.Mode;
    t.Services.Answers = row.Answers;
    t.RefillTree();
    const std::string before = Text(t.Model());
    FindEditAction(row.Action)->Run(t.Core);
    ASSERT_EQ(t.Services.Errors.size(), 1u);
    EXPECT_NE(t.Services.Errors[0].find("beyond the range a 3DO file can hold"), std::string::npos) << t.Services.Errors[0];
    EXPECT_EQ(Text(t.Model()), before);
  }
}

using FileRangeWriter = CoreFixture;

// The writer's last line of defence, for a value that reached the model by no command.
TEST_F(FileRangeWriter, WritesOnlyNumbersThatReadBack) {
  AddMeshNode("wild", {{INFINITY, -1e39, NAN}, {3e38, 3e38, 3e38}})->Position = {3e38, 0, 0};
  Model().Update();
  const std::string text = SavedText(Model(), true);
  EXPECT_EQ(text.find("inf"), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  TTestCore other;
  Parse3DO(other.Model(), text);
  EXPECT_TRUE(other.Services.Errors.empty()) << other.Services.Errors.front();
}

TEST(FileRangeCli, TheLargestPrimitivesAreSavedAndReadBack) {
  const std::string out = testing::TempDir() + "zarn-largest.3do";
  const TCliRun run = RunCli({"edit", ZARN_SAMPLES_DIR "/fighter.3do", out, "actPrimCube", "Size=3.4e38",
                              "actPrimCylind", "Size=3.4e38", "Radius=3.4e38"});
  ASSERT_EQ(run.Status, 0) << run.Out;
  TTestCore t;
  EXPECT_TRUE(Load3DOFile(t.Model(), out));
  EXPECT_TRUE(t.Services.Errors.empty()) << t.Services.Errors.front();
  std::filesystem::remove(out);
}

}  // namespace
