// Texture coordinates made by the Texture commands are saved, and zarn-cli's uv: steps run
// the same commands.

#include "editing/Step.h"
#include "editing/TextureCommands.h"
#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;

namespace {

// The triangle (0,0,0) (1,0,0) (0,1,0) of stone.mat, a 32 x 16 texture, mapped from the top,
// saved, and then changed by zarn-cli's steps.
TEST(TextureFiles, MappedCoordinatesAreSavedAndUndoneAndZarnCliRunsTheUvStepsAsOneHistoryStepEach) {
  TTestCore core;
  const TTempDir dir;
  dir.Write("stone.mat", MakeTextureMat(32, 16, 8, std::string(32 * 16, '\x06')));
  const std::string text = Replace(TriangleModelText(), "0:  1 0x4 4 3 1 0.5", "0:  0 0x4 4 3 1 0.5");
  ASSERT_TRUE(Load3DOFile(core.Model(), dir.Write("tri.3do", text)));
  core.Core.ResetHistory();
  core.Core.ToggleNode(core.Model().Nodes[0]);
  const size_t outputBefore = core.Services.Output.size();
  core.Services.Answers = {{"View", "Top"}};
  RunStep(core.Core, "Map From View", [&] { return actTexMapView(core.Core); });
  EXPECT_EQ(core.Services.Output.size(), outputBefore) << "stone.mat is found";
  const std::string in = dir.File("mapped.3do"), out = dir.File("out.3do");
  Save3DOFile(core.Model(), in);
  EXPECT_NE(ReadWholeFile(in).find("TEXTURE VERTICES 3\r\n0:  0 16\r\n1:  32 16\r\n2:  0 0\r\n"), std::string::npos);
  core.Core.Undo();
  EXPECT_EQ(core.Model().Nodes[0]->Mesh->Surfaces[0]->TXVertices[1].U, 16) << "the file's own coordinate is back";

  const auto corners = [&](std::vector<std::string> steps) {
    steps.insert(steps.begin(), {"edit", in, out, "mode:surface", "select:surface:0"});
    const TCliRun run = RunCli(steps);
    EXPECT_EQ(run.Status, 0) << run.Out;
    TTestCore read;
    EXPECT_TRUE(Load3DOFile(read.Model(), out));
    std::vector<float> uv;
    for (const TTXVertex& t : read.Model().Nodes[0]->Mesh->Surfaces[0]->TXVertices) uv.insert(uv.end(), {t.U, t.V});
    return uv;
  };
  // From (0,16) (32,16) (0,0), whose middle is (16, 8).
  const struct { std::vector<std::string> Steps; std::vector<float> Want; } cases[] = {
      {{"uv:move:1,-2"}, {1, 14, 33, 14, 1, -2}},      {{"uv:scale:0.5,2"}, {8, 24, 24, 24, 8, -8}},
      {{"uv:rotate:180"}, {32, 0, 0, 0, 32, 16}},      {{"uv:flip:u"}, {32, 16, 0, 16, 32, 0}},
      {{"uv:flip:v"}, {0, 0, 32, 0, 0, 16}},           {{"uv:move:5,5", "uv:fit"}, {0, 16, 32, 16, 0, 0}},
      {{"uv:view:front"}, {32, 0, 0, 0, 32, 0}},  // edge-on from the front: no height, x runs left
      {{"uv:view:top"}, {0, 16, 32, 16, 0, 0}},        {{"uv:view:side"}, {0, 0, 0, 0, 32, 0}},
      {{"uv:box:4"}, {0, 4, 4, 4, 0, 0}},              {{"uv:flip:u", "undo"}, {0, 16, 32, 16, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Steps.front());
    EXPECT_EQ(corners(c.Steps), c.Want);
  }
}

}  // namespace
