// zarn-cli edit, run as a modder would run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

class EditCli : public ::testing::Test {
 protected:
  EditCli() { EXPECT_TRUE(Sample.Model().LoadFromFile(ZARN_SAMPLES_DIR "/fighter.3do")); }
  // Runs `zarn-cli edit` on the sample with the steps, writing to `Out`; the exit status.
  int Run(std::vector<std::string> steps) {
    steps.insert(steps.begin(), {"edit", ZARN_SAMPLES_DIR "/fighter.3do", Out});
    return RunCli(steps).Status;
  }
  // The written model, read back without errors.
  TModel& Written() {
    EXPECT_TRUE(Result.Model().LoadFromFile(Out));
    EXPECT_TRUE(Result.Services.Errors.empty());
    return Result.Model();
  }
  fmt_test::TTempDir Dir;
  const std::string Out = Dir.File("out.3do");
  TTestCore Sample, Result;
};

TEST_F(EditCli, ExtrudesSelectedSurfacesAndSaves) {
  ASSERT_EQ(Run({"mode:surface", "select:surface:0", "actEditExtrudeFace", "actEditTranslate", "Z=0.01"}), 0);
  const TMesh& before = *Sample.Model().Nodes[0]->Mesh;
  ASSERT_NE(Written().Nodes[0]->Mesh, nullptr);
  EXPECT_EQ(Result.Model().Nodes[0]->Mesh->Surfaces.Count(), before.Surfaces.Count() + before.Surfaces[0]->Vertices.Count());
}

TEST_F(EditCli, PrimitivesTakeNamedValues) {
  ASSERT_EQ(Run({"actPrimCylind", "Sides=6", "Radius=0.5", "actPrimDummy"}), 0);
  TModel& model = Written();
  TNode* cylinder = model.Nodes[model.Nodes.Count() - 2];
  EXPECT_EQ(cylinder->Name, "Cylinder");
  EXPECT_EQ(cylinder->Mesh->Vertices.Count(), 12);
  EXPECT_EQ(model.Nodes.Last()->Name, "$$dummy");
}

TEST_F(EditCli, CopyAndPasteThroughAClipboardFile) {
  const std::string clip = Dir.File("clip.txt");
  ASSERT_EQ(Run({"select:all", "copy:" + clip, "actEditDelete", "paste:" + clip, "paste:" + clip}), 0);
  EXPECT_EQ(Written().Nodes.Count(), 2 * Sample.Model().Nodes.Count());
}

TEST_F(EditCli, VerticesAreSelectedInTheOrderTyped) {
  ASSERT_EQ(Run({"mode:vertex", "select:vertex:2,0-1", "actEditMakeSurface"}), 0);
  const TMesh& source = *Sample.Model().Nodes[0]->Mesh;
  const TMesh& made = *Written().Nodes.Last()->Mesh;
  ASSERT_EQ(made.Surfaces.Count(), 1);
  ASSERT_EQ(made.Vertices.Count(), 3);
  EXPECT_NEAR(made.Vertices[0]->Position.X, source.Vertices[2]->World.X, 1e-6);
  EXPECT_NEAR(made.Vertices[1]->Position.X, source.Vertices[0]->World.X, 1e-6);
}

TEST_F(EditCli, RefusalsAndBadInputFailWithoutWriting) {
  const std::vector<std::vector<std::string>> refused = {
      {"actEditExtrudeFace"}, {"mode:vertex", "select:vertex:0", "actEditSplitFace"},
      {"actPrimCube", "Size=abc"}, {"actPrimCube", "Sise=1"}, {"actNoSuchThing"}, {"select:vertex:999999"},
      {"mode:vertex", "select:vertex:0-2000000000"}, {"select:surface:3-1"}, {"select:node:nobody"}, {"mode:sideways"}};
  for (const auto& steps : refused) {
    SCOPED_TRACE(steps.back());
    EXPECT_EQ(Run(steps), 1);
    EXPECT_FALSE(std::filesystem::exists(Out));
  }
  EXPECT_EQ(Run({}), 0);
  EXPECT_TRUE(std::filesystem::exists(Out));
}

}  // namespace
