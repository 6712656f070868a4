// The game-readiness check: every rule of the game's loader broken once, each breach named
// with its place, nothing on the sample. (History runs every command on ready models and
// checks each leaves them ready.) What the game loads but never draws is warned of, without
// making the model unready.

#include "editing/GameCheck.h"
#include "editing/GameWarnings.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

TEST(GameCheck, EveryBreachIsListedWithItsPlaceAndTheModelStaysAsItWas) {
  const fmt_test::TTempDir dir;
  const std::string longName(32, 'n');
  for (const std::string& found : {std::string("stone.mat"), std::string("dflt.mat"), "Mat/" + longName}) dir.Write(found, "");  // found, but too long a name
  TTestCore core;
  ASSERT_TRUE(Load3DOFile(core.Model(), dir.Write("tri.3do", TriangleModelText())));
  TModel& model = core.Model();
  model.Nodes[0]->Name = longName;
  model.Nodes[1]->Name = "a b";
  model.Materials.Add(longName);
  TMesh& mesh = *model.Nodes[0]->Mesh;
  mesh.Name = "t r i";
  while (mesh.Vertices.Count() < 513) mesh.AddVertex();
  for (int f = 0; f < 513; ++f) {
    TFace* face = mesh.AddFace();
    const int corners = f < 511 ? 2 : f == 511 ? 25 : 0;
    for (int i = 0; i < corners; ++i) face->AddVertex(mesh.Vertices[i]);
  }
  const std::string before = SavedText(model);
  const size_t output = core.Services.Output.size();

  const std::string place = "Mesh 't r i' (node 0), level of detail 1";
  EXPECT_EQ(CheckForGame(model, MaterialFinder(core.Core)),
            (std::vector<std::string>{
                "Node '" + longName + "' (node 0): name of 32 characters, the game loads at most 31",
                place + ": name with a space, the game reads a name only up to its first space",
                place + ": 513 vertices, the game loads at most 512",
                place + ", face 512: 25 corners, the game loads faces of 1 to 24",
                place + ", face 513: 0 corners, the game loads faces of 1 to 24",
                place + ": 1050 texture vertices, the game loads at most 768",
                place + ": 514 faces, the game loads at most 512",
                "Node 'a b' (node 1): name with a space, the game reads a name only up to its first space",
                "Material 'metal.mat' (material 1): not found in the model's folder, its Mat folder or the "
                "resource list's containers, so the game does not load the model",
                "Material '" + longName + "' (material 2): name of 32 characters, the game loads at most 31",
            }));
  EXPECT_EQ(SavedText(model), before);
  EXPECT_EQ(core.Services.Output.size(), output) << "the check reads no material and reports nothing";

  TTestCore sample;
  ASSERT_TRUE(Load3DOFile(sample.Model(), ZARN_SAMPLES_DIR "/fighter.3do"));
  EXPECT_EQ(CheckForGame(sample.Model(), MaterialFinder(sample.Core)), std::vector<std::string>{});
}

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
