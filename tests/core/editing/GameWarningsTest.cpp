// What the game loads but never draws is warned of, without making the model unready.

#include "editing/GameCheck.h"
#include "editing/GameWarnings.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

const std::string kPlace = "Mesh 'tri' (node 0), level of detail 1";

TEST(GameWarnings, MeshesAndFacesOfGeometryModeZeroAreNamed) {
  const auto face = [](int k) {
    return kPlace + ", face " + std::to_string(k) + ": geometry mode 0, not drawn by the game";
  };
  const struct { int MeshMode; std::vector<int> FaceModes; std::vector<std::string> Warnings; } rows[] = {
      {4, {}, {}},  // FaceModes: of faces added to the triangle's one
      {4, {4, 0, 3}, {face(2)}},
      // The game skips the whole mesh: its faces are not named.
      {0, {0, 0}, {kPlace + ": geometry mode 0, not drawn by the game"}},
      {4, std::vector<int>(11, 0), {face(1), face(2), face(3), face(4), face(5), face(6), face(7), face(8),
                                    kPlace + ": 3 more faces of geometry mode 0"}},
  };
  const fmt_test::TTempDir dir;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Warnings.size());
    TTestCore core;
    ASSERT_TRUE(Load3DOFile(core.Model(), dir.Write("tri.3do", TriangleModelText())));
    TMesh& mesh = *core.Model().Nodes[0]->Mesh;
    mesh.GeometryMode = row.MeshMode;
    for (int mode : row.FaceModes) AddFace(mesh, {0, 1, 2})->GeometryMode = mode;
    EXPECT_EQ(GameWarnings(core.Model()), row.Warnings);
    EXPECT_EQ(CheckForGame(core.Model(), nullptr), std::vector<std::string>{}) << "a warning is no breach";
  }
}

TEST(GameWarnings, CliCheckPrintsThemAndStillPasses) {
  const fmt_test::TTempDir dir;
  const std::string mat = fmt_test::MakeColourMat(1);
  const std::string gob = dir.Write(
      "res.gob", fmt_test::MakeGob({{"3do\\tri.3do", Replace(TriangleModelText(), "GEOMETRYMODE 4", "GEOMETRYMODE 0")},
                                    {"mat\\stone.mat", mat},
                                    {"mat\\metal.mat", mat},
                                    {"mat\\dflt.mat", mat}}));
  const TCliRun run = RunCli({"check", gob, "tri.3do"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "Warning: " + kPlace + ": geometry mode 0, not drawn by the game\n");
}

}  // namespace
