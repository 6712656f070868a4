// The game-readiness check: every rule of the game's loader broken once, each breach named
// with its place, nothing on the sample, and zarn-cli's exit status through files.

#include <filesystem>

#include "editing/Actions.h"
#include "editing/GameCheck.h"
#include "formats/FileIO.h"
#include "document/MaterialLookup.h"
#include "formats/ThreeDo.h"
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

TEST(GameCheck, CliExitsWithThreeWhenTheGameWouldRefuseTheModel) {
  const fmt_test::TTempDir dir;
  const std::string tri = dir.Write("tri.3do", TriangleModelText());
  const std::string mat = fmt_test::MakeColourMat(1);
  for (const char* found : {"stone.mat", "dflt.mat"}) dir.Write(found, mat);
  const std::string gob = dir.Write("res.gob", fmt_test::MakeGob({{"3do\\tri.3do", TriangleModelText()},
                                                                  {"mat\\stone.mat", mat},
                                                                  {"mat\\metal.mat", mat},
                                                                  {"mat\\dflt.mat", mat}}));
  const std::string missing = "Material 'metal.mat' (material 1): not found";
  const struct {
    std::vector<std::string> Args;
    int Status;
    std::string Out;  // how standard output and error begin
  } rows[] = {
      {{"check", ZARN_SAMPLES_DIR "/fighter.3do"}, 0, ""},
      {{"check", tri}, 3, missing},  // named once, as a finding
      {{"check", gob, "tri.3do"}, 0, ""},  // the model's own container holds its materials
      {{"check", dir.File("none.3do")}, 1, "zarn-cli: Cannot open file"},
      {{"check"}, 2, "zarn-cli: usage: zarn-cli check"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Args.back());
    const TCliRun run = RunCli(row.Args);
    EXPECT_EQ(run.Status, row.Status);
    EXPECT_EQ(run.Out.substr(0, row.Out.size()), row.Out);
    if (row.Out.empty()) {
      EXPECT_EQ(run.Out, "");
    }
  }
}

// Every action, with its dialog's defaults, in every edit mode, leaves a model the game
// accepts accepted, or refuses and writes nothing.
TEST(GameCheck, EveryCommandKeepsAReadyModelReady) {
  const fmt_test::TTempDir dir;
  for (const auto& entry : std::filesystem::directory_iterator(ZARN_SAMPLES_DIR "/Mat"))
    std::filesystem::copy_file(entry.path(), dir.File(entry.path().filename().string()));
  const std::string in = dir.Write("in.3do", ReadWholeFile(ZARN_SAMPLES_DIR "/fighter.3do"));
  ASSERT_EQ(RunCli({"check", in}).Status, 0);
  const std::string out = dir.File("out.3do");
  const std::vector<std::vector<std::string>> selections = {
      {"mode:node", "select:all"}, {"mode:surface", "select:all"}, {"mode:vertex", "select:vertex:0-3"}};
  for (const TEditAction& action : EditActions())
    for (const auto& selection : selections) {
      SCOPED_TRACE(std::string(action.Name) + " in " + selection[0]);
      std::filesystem::remove(out);
      std::vector<std::string> args = {"edit", in, out};
      args.insert(args.end(), selection.begin(), selection.end());
      args.push_back(action.Name);
      const TCliRun edit = RunCli(args);
      if (edit.Status != 0) {
        EXPECT_EQ(edit.Status, 1) << edit.Out;
        EXPECT_FALSE(std::filesystem::exists(out));
        continue;
      }
      const TCliRun check = RunCli({"check", out});
      EXPECT_EQ(check.Status, 0) << check.Out;
    }
}

}  // namespace
