// What every zarn-cli command has in common: CONTAINER ENTRY wherever a model is read, exit
// status 2 for a command line written wrongly, each missing material named once a run, and
// levels of detail counted from 1 wherever a person reads them.

#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

class CliHabits : public ::testing::Test {
 protected:
  void SetUp() override {
    // tri.3do names stone.mat and metal.mat, neither of which lies beside it.
    Tri = Dir.Write("tri.3do", TriangleModelText());
    Gob = Dir.Write("res.gob", fmt_test::MakeGob({{"3do\\tri.3do", TriangleModelText()},
                                                  {"mat\\stone.mat", fmt_test::MakeColourMat(1)}}));
  }
  fmt_test::TTempDir Dir;
  std::string Tri, Gob;
};

TEST_F(CliHabits, EachMissingMaterialIsNamedOnceInOneLine) {
  const std::string kKeepDriverMemory = "ASAN_OPTIONS=detect_leaks=0 ";
  const std::string both = "zarn-cli: materials not found: stone.mat, metal.mat\n";
  // Saving names them in the game check's findings, which go before it.
  const std::string finding = " not found in the model's folder, its Mat folder or the resource list's containers, "
                              "so the game does not load the model\n";
  const std::string saved =
      "zarn-cli: Material 'stone.mat' (material 0):" + finding + "zarn-cli: Material 'metal.mat' (material 1):" + finding;
  const struct { std::vector<std::string> Args; int Status; std::string Err; } rows[] = {
      {{"info", Tri}, 0, both},
      {{"info", "--json", Tri}, 0, both},
      {{"convert", Tri, Dir.File("c.3do")}, 0, saved},
      {{"export", Tri, Dir.File("e.obj")}, 0, both},
      // The game mode's drawing names the materials it draws chequered, too.
      {{"render", Tri, Dir.File("r.png"), "--mode", "game", "--size", "32x32"}, 0, both},
      {{"edit", Tri, Dir.File("ed.3do"), "mode:surface", "select:all", "prop:Geo=Solid"}, 0, saved},
      // The model's container holds stone.mat.
      {{"info", Gob, "tri.3do"}, 0, "zarn-cli: material not found: metal.mat\n"},
      {{"edit", Gob, "tri.3do", Dir.File("eg.3do")}, 0, "zarn-cli: Material 'metal.mat' (material 1):" + finding},
      // check names each in its findings, on standard output, and nowhere else.
      {{"check", Tri}, 3, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Args[0] + " " + row.Args.back());
    const bool render = row.Args[0] == "render";
    const TCliRun run = render ? RunCli(row.Args, kKeepDriverMemory, "'" + Dir.File("err.txt") + "'")
                               : RunCliApart(row.Args);
    EXPECT_EQ(run.Status, row.Status);
    EXPECT_EQ(render ? ReadWholeFile(Dir.File("err.txt")) : run.Err, row.Err);
  }
  EXPECT_EQ(RunCliApart({"check", Tri}).Out,
            "Material 'stone.mat' (material 0):" + finding + "Material 'metal.mat' (material 1):" + finding);
}

// A wrong command line is told in one line, changes nothing, writes nothing and exits with 2;
// a step that the model refuses exits with 1.
TEST_F(CliHabits, WrongEditCommandLinesExitWithTwo) {
  const std::string out = Dir.File("out.3do");
  const std::string sample = ZARN_SAMPLES_DIR "/fighter.3do";
  const std::string read = ReadWholeFile(sample);
  const std::string uvSteps = " (uv:view:top|front|side, uv:box[:DENSITY], uv:cylinder, uv:fit, uv:move:DU,DV, "
                              "uv:scale:SU,SV, uv:rotate:DEG, uv:flip:u|v)\n";
  struct TRow {
    std::vector<std::string> Steps;
    std::string Err;
    int Status = 2;
    std::string In = ZARN_SAMPLES_DIR "/fighter.3do";
  };
  std::vector<TRow> rows = {
      // An unknown step is found before the model is read: a missing file is never looked for.
      {{"frobnicate"}, "zarn-cli: unknown step 'frobnicate' (zarn-cli help edit lists the steps)\n", 2, Dir.File("none.3do")},
      {{"actPrimCube", "Sise=1"}, "zarn-cli: actPrimCube asks for no value named 'Sise'\n", 2, Dir.File("none.3do")},
      {{"reduce:abc"}, "zarn-cli: reduce:abc: 'abc' is not a valid integer value\n", 2, Dir.File("none.3do")},
      {{"actPrimCube", "actNoSuchThing"},
       "zarn-cli: unknown action 'actNoSuchThing' (zarn-cli help edit lists the actions)\n"},
      {{"Size=1"}, "zarn-cli: unknown step 'Size=1' (zarn-cli help edit lists the steps)\n"},
      {{"mode:sideways"}, "zarn-cli: unknown edit mode 'sideways' (node, surface or vertex)\n"},
      // Read before any step runs: the refusal of the second step is never met.
      {{"actPrimCube", "select:node:nobody", "lock:w"}, "zarn-cli: unknown lock 'w' (x, y and z in any combination, or none)\n"},
      {{"move:1,2"}, "zarn-cli: '1,2' is not three numbers X,Y,Z\n"},
      {{"move:a,b,c"}, "zarn-cli: 'a,b,c' is not three numbers X,Y,Z\n"},
      {{"rotate:1,2,3:pivot"}, "zarn-cli: unknown option 'pivot' of rotate (only move takes :pivot)\n"},
      {{"undo:2"}, "zarn-cli: unknown step 'undo:2'\n"},
      {{"lod:two"}, "zarn-cli: lod:two is not a level of detail: lod:N counts from 1\n"},
      {{"select:surface:3-1"}, "zarn-cli: '3-1' is not a valid index or range\n"},
      {{"select:surface:x"}, "zarn-cli: 'x' is not a valid index or range\n"},
      {{"select:edge:1"},
       "zarn-cli: unknown selection 'edge:1' (select:all, select:none, select:invert, select:node:NAME, "
       "select:surface:LIST, select:vertex:LIST)\n"},
      {{"material:frob:x"}, "zarn-cli: unknown step 'material:frob:x' (material:add:NAME, material:delete:NAME)\n"},
      // Values written wrongly: no number, or none a 3DO file holds.
      {{"reduce:1e3"}, "zarn-cli: reduce:1e3: '1e3' is not a valid integer value\n"},
      // Read before any step runs, where the model would refuse the step before its dialog.
      {{"select:node:nobody", "actPrimCube", "Size=abc"}, "zarn-cli: actPrimCube: 'abc' is not a valid floating point value\n"},
      {{"uv:move:abc,1"}, "zarn-cli: uv:move:abc,1: 'abc' is not a valid floating point value\n"},
      {{"select:all", "actEditTranslate", "X=abc"}, "zarn-cli: actEditTranslate: 'abc' is not a valid floating point value\n"},
      {{"select:all", "actEditRotate", "X=inf"}, "zarn-cli: actEditRotate: 'inf' is not a valid floating point value\n"},
      {{"mode:surface", "select:all", "uv:box:abc"}, "zarn-cli: uv:box:abc: 'abc' is not a valid floating point value\n"},
      {{"mode:surface", "select:all", "uv:rotate:1e300"},
       "zarn-cli: uv:rotate:1e300: '1e300' is not a valid floating point value\n"},
      {{"mode:surface", "select:all", "prop:Extralight=nan"},
       "zarn-cli: prop:Extralight=nan: 'nan' is not a valid floating point value\n"},
      {{"mode:surface", "select:all", "prop:TwoSided=yes"}, "zarn-cli: prop:TwoSided=yes: 'yes' is not 0 or 1\n"},
      {{"select:all", "prop:Position=1,2"}, "zarn-cli: prop:Position=1,2: '' is not a valid floating point value\n"},
      {{"prop:Light=Bright"},
       "zarn-cli: prop:Light=Bright: 'Bright' is none of \"Full\", \"None\", \"Diffuse\", \"Gouraud\"\n"},
      // The model refuses these: a command line written right.
      {{"select:node:nobody"}, "zarn-cli: no node is named 'nobody'\n", 1},
      {{"undo"}, "zarn-cli: nothing to undo\n", 1},
      {{"uv:fit"}, "zarn-cli: Select the surfaces (or nodes) to map first\n", 1},
      {{"lod:5"}, "zarn-cli: level of detail 5 is not in the model, which has 1\n", 1},
      {{"select:vertex:999999"}, "zarn-cli: index 999999 is out of range: the model has 64\n", 1},
      // The corners of the first face drawn together into one point.
      {{"mode:vertex", "select:vertex:0-3", "scale:0,0,0", "mode:surface", "select:surface:0", "uv:box"},
       "zarn-cli: The selected faces have no extent to map\n", 1},
      // A name that would carry a line break into the file, named in one line.
      {{"material:add:x\r\nSECTION: GEOMETRYDEF\r\nRADIUS q"},
       "zarn-cli: 'x\\r\\nSECTION: GEOMETRYDEF\\r\\nRADIUS q' cannot be a material name: a "
       "material name has 1 to 31 characters, with no space, tab, line break or comma and no "
       "\"#\", \"//\" or \"0x\" in it.\n", 1},
  };
  for (const std::string bad : {"uv:spin", "uv:view:back", "uv:move:1", "uv:flip:w", "uv:fit:2", "uv:box:"})
    rows.push_back({{"select:all", bad}, "zarn-cli: unknown step '" + bad + "'" + uvSteps});
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Steps.back());
    std::vector<std::string> args = {"edit", row.In, out};
    args.insert(args.end(), row.Steps.begin(), row.Steps.end());
    const TCliRun run = RunCliApart(args);
    EXPECT_EQ(run.Status, row.Status);
    EXPECT_EQ(run.Err, row.Err);
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  EXPECT_EQ(ReadWholeFile(sample), read);
  EXPECT_EQ(RunCliApart({"edit", Gob, "tri.3do"}).Status, 2);  // no OUT.3do after the entry
}

// lod:2 and --lod 2 both mean the second set; JSON gives indices, from 0, under names that
// say so.
TEST_F(CliHabits, LevelsOfDetailCountFromOneAndJsonNamesItsIndices) {
  const std::string two = Dir.File("two.3do");
  ASSERT_EQ(RunCliApart({"edit", ZARN_SAMPLES_DIR "/fighter.3do", two, "actViewLodAdd", "lod:2", "actPrimCube",
                         "Size=0.02"})
                .Status,
            0);
  const TCliRun json = RunCliApart({"info", "--json", two});
  EXPECT_NE(json.Out.find("\"count\":2,\"current_index\":0"), std::string::npos) << json.Out;
  EXPECT_NE(json.Out.find("\"parent_index\":null"), std::string::npos);
  EXPECT_EQ(json.Out.find("\"current\":"), std::string::npos);
  EXPECT_EQ(json.Out.find("\"parent\":"), std::string::npos);
  EXPECT_EQ(RunCliApart({"export", "--lod", "2", two, Dir.File("two.obj")}).Status, 0);
  EXPECT_EQ(RunCliApart({"export", "--lod", "3", two, Dir.File("three.obj")}).Status, 2);
}

}  // namespace
