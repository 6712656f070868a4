// zarn-cli edit, run as a modder would run it.

#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

class EditCli : public ::testing::Test {
 protected:
  EditCli() { EXPECT_TRUE(Load3DOFile(Sample.Model(), ZARN_SAMPLES_DIR "/fighter.3do")); }
  // Runs `zarn-cli edit` on the sample with the steps, writing to `Out`; the exit status.
  int Run(std::vector<std::string> steps) {
    steps.insert(steps.begin(), {"edit", ZARN_SAMPLES_DIR "/fighter.3do", Out});
    return RunCli(steps).Status;
  }
  // The written model, read back without errors.
  TModel& Written() {
    EXPECT_TRUE(Load3DOFile(Result.Model(), Out));
    EXPECT_TRUE(Result.Services.Errors.empty());
    return Result.Model();
  }
  // What a run wrote, without the first line, which names the time of writing.
  std::string WrittenText() {
    const std::string text = ReadWholeFile(Out);
    return text.substr(std::min(text.find('\n'), text.size()));
  }
  fmt_test::TTempDir Dir;
  const std::string Out = Dir.File("out.3do");
  TTestCore Sample, Result;
};

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

TEST_F(EditCli, PropertyStepsChangeTheSelectionOfTheirMode) {
  ASSERT_EQ(Run({"mode:surface", "select:all", "prop:Collides=0", "prop:twosided=1", "prop:Material=GLASS.mat",
                 "prop:Geo=Solid", "prop:Extralight=0.5", "mode:node", "select:node:" + Sample.Model().Nodes[0]->Name,
                 "prop:Position=0,0,0.1", "prop:Type=Head", "prop:MeshName=torso", "prop:Tex=1"}),
            0);
  TModel& model = Written();
  for (TNode* node : model.Nodes)
    for (TFace* face : node->Mesh ? node->Mesh->Surfaces.Pointers() : std::vector<TFace*>{}) {
      EXPECT_EQ(face->FaceType & (ftCollides | ftTwoSided), ftTwoSided);
      EXPECT_EQ(face->Material->Name, "glass.mat");
      EXPECT_EQ(face->GeometryMode, 3);
      EXPECT_EQ(face->ExtraLight, 0.5f);
    }
  const TNode& first = *model.Nodes[0];
  EXPECT_FLOAT_EQ(static_cast<float>(first.Position.Z), 0.1f);
  EXPECT_EQ(first.NodeType, ntHead);
  EXPECT_EQ(first.Mesh->Name, "torso");
  EXPECT_EQ(first.Mesh->TextureMode, 1);
  EXPECT_EQ(model.Nodes[2]->NodeType, Sample.Model().Nodes[2]->NodeType);
}

// Each left-hand run writes what the right-hand run writes: the tools, their locks, undo and
// redo expressed through plain steps.
TEST_F(EditCli, LocksUndoAndRedoGiveWhatThePlainStepsGive) {
  using TSteps = std::vector<std::string>;
  const std::pair<TSteps, TSteps> same[] = {
      {{"select:node:tail", "move:1,2,3", "undo"}, {}},
      // The tail's origin moves while its geometry and children stay.
      {{"select:node:tail", "move:0.5,0,0:pivot"},
       {"select:node:tail", "move:0.5,0,0", "prop:Pivot=-0.5,0,0", "select:none", "select:node:engine_r",
        "select:node:fin", "move:-0.5,0,0"}},
      // Turns about the world's X, Y and Z are pitch, roll and yaw.
      {{"select:node:tail", "rotate:10,20,30"}, {"select:node:tail", "prop:Rotation=10,30,20"}},
      {{"select:node:tail", "move:1,2,3", "rotate:10,20,30", "undo", "undo", "redo"},
       {"select:node:tail", "move:1,2,3"}},
      {{"lock:xz", "select:node:tail", "move:1,2,3"}, {"select:node:tail", "move:0,2,0"}},
      {{"lock:x", "mode:vertex", "select:vertex:0-5", "rotate:10,20,30"},
       {"mode:vertex", "select:vertex:0-5", "rotate:0,20,30"}},
      {{"lock:y", "select:node:hull", "scale:2,3,4"}, {"select:node:hull", "scale:2,1,4"}},
      // Undo gives back the selection of its step too.
      {{"select:node:tail", "move:1,0,0", "select:node:hull", "undo", "move:0,1,0"},
       {"select:node:tail", "move:0,1,0"}},
      {{"rename:fin:rudder", "rename:rudder:fin"}, {}},
      {{"rename:tail:t2", "reparent:canopy:t2", "reparent:fin:top", "undo", "undo", "undo"}, {}},
      {{"mode:surface", "select:surface:0", "actEditExtrudeFace", "undo"}, {}},
      // Every edge of the sample is a seam, so Reduce cannot lower it and leaves it as it was.
      {{"reduce:10"}, {}},
      {{"reduce:4"}, {}},
      // A value not given is worked out as the menu's dialog works it out: the centre of the
      // selection, the model's own insert offset.
      {{"mode:vertex", "select:vertex:0-5", "actEditScale", "X=2", "Y=3", "Z=4"},
       {"mode:vertex", "select:vertex:0-5", "scale:2,3,4"}},
      {{"actEditInsertOffset"}, {}},
  };
  for (const auto& [steps, plain] : same) {
    SCOPED_TRACE(steps.back());
    ASSERT_EQ(Run(steps), 0);
    const std::string text = WrittenText();
    ASSERT_EQ(Run(plain), 0);
    EXPECT_EQ(text, WrittenText());
  }
}

TEST_F(EditCli, RefusalsAndBadInputFailWithoutWriting) {
  const std::vector<std::vector<std::string>> refused = {
      {"actEditExtrudeFace"}, {"mode:vertex", "select:vertex:0", "actEditSplitFace"},
      {"mode:vertex", "select:vertex:0-2000000000"}, {"mode:surface", "prop:Material=none.mat"},
      {"prop:Collides=0"}, {"prop:MeshName=a,b"}, {"material:delete:none.mat"},
      {"actPrimCube", "undo", "redo", "redo"}, {"reparent:hull:fin"},
      {"reparent:canopy:tail", "reparent:tail:canopy"},
      {"reparent:canopy:nobody"}, {"reparent:nobody:top"}, {"rename:tail:two words"}, {"rename:nobody:x"},
      {"select:node:hull", "move:3e38,0,0", "move:3e38,0,0"},
      {"mode:vertex", "select:vertex:0", "move:0,-3e38,0", "move:0,-3e38,0"},
      {"material:add:a,b.mat"}, {"mode:surface", "prop:Material=a b.mat"}, {"lod:generate"}};
  for (const auto& steps : refused) {
    SCOPED_TRACE(steps.back());
    EXPECT_EQ(Run(steps), 1);
    EXPECT_FALSE(std::filesystem::exists(Out));
  }
  EXPECT_EQ(Run({}), 0);
  EXPECT_TRUE(std::filesystem::exists(Out));
}

}  // namespace
