// The game-readiness check: every rule of the game's loader broken once, each breach named
// with its place, nothing on the sample. (History runs every command on ready models and
// checks each leaves them ready.)

#include "editing/GameCheck.h"
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

}  // namespace
