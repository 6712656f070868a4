// Every way of putting another model in the place of the one on screen lets go of all that
// belonged to the old one: the pose shown, the selections, the modes, the level of detail
// shown and the history.

#include "document/ShownPose.h"
#include "editing/Actions.h"
#include "editing/FileCommands.h"
#include "editing/LevelsOfDetail.h"
#include "editing/Step.h"
#include "formats/FileIO.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

const std::string kFighter = ZARN_SAMPLES_DIR "/fighter.3do";

void RunAction(TCore& core, const char* action) { RunStep(core, action, [&] { return FindEditAction(action)->Run(core); }); }

TEST(ReplaceModel, EveryWayLetsGoOfWhatBelongedToTheOldModel) {
  const fmt_test::TTempDir dir;
  const std::string copy = dir.Write("copy.3do", ReadWholeFile(kFighter));
  const std::string obj = dir.Write("tri.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
  const std::string gob = dir.Write("res.gob", fmt_test::MakeGob({{"3do\\fighter.3do", ReadWholeFile(kFighter)}}));
  const struct {
    const char* Way;
    std::function<TCommandResult(TCore&)> Replace;
    int Nodes;  // of the model that took the place
  } rows[] = {
      {"new", [](TCore& core) { return NewModel(core); }, 0},
      {"open", [&](TCore& core) { return OpenModel(core, copy); }, 6},
      {"open obj", [&](TCore& core) { return OpenModel(core, obj); }, 1},
      {"container",
       [&](TCore& core) {
         TGob container;
         TGobItem item;
         EXPECT_TRUE(container.LoadFromFile(gob) && FindContainerModel(container, "fighter.3do", item));
         return OpenContainerEntry(core, item);
       },
       6},
      {"revert", [](TCore& core) { return RevertModel(core); }, 6},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Way);
    TTestCore test;
    TCore& core = test.Core;
    ASSERT_TRUE(OpenModel(core, kFighter).Succeeded());
    RunAction(core, "actViewLodAdd");
    ChooseLevelOfDetail(core, 1);
    ShowPose(core, {{true, {0.01, 0, 0}, {0, 0, 30}}});
    core.EditMode = emSurface;
    core.ToolMode = tmRotate;
    core.Nodes.Add(core.Model->Nodes[0]);
    core.Surfaces.Add(core.Model->Nodes[0]->Mesh->Surfaces[0]);
    core.Vertices.Add(core.Model->Nodes[0]->Mesh->Vertices[0]);
    ASSERT_TRUE(core.History.CanUndo());
    const int replaced = test.Changes.Replacements;

    ASSERT_TRUE(row.Replace(core).Succeeded());

    EXPECT_EQ(core.Model->Nodes.Count(), row.Nodes);
    EXPECT_TRUE(core.Pose.empty());
    EXPECT_EQ(core.Nodes.Count() + core.Surfaces.Count() + core.Vertices.Count(), 0);
    EXPECT_EQ(core.EditMode, emNode);
    EXPECT_EQ(core.ToolMode, tmSelect);
    EXPECT_EQ(core.Model->CurrentGeoset(), 0);
    EXPECT_FALSE(core.History.CanUndo() || core.History.Modified());
    EXPECT_EQ(test.Changes.Replacements, replaced + 1);
    // The new model stands at rest: each vertex where its node's own values place it.
    if (row.Nodes == 6) ExpectNear(core.Model->Nodes[0]->Mesh->Vertices[0]->World, -0.04, -0.08, -0.015);
  }
}

}  // namespace
