// zarn-cli with puppets: info of a puppet, and the check that each KEY it names
// is found and fits a model.
#include <gtest/gtest.h>

#include "formats/FileIO.h"
#include "formats/ThreeDo.h"
#include "model/Model.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/KeyFiles.h"
#include "tests/core/PuppetFiles.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;
using key_test::TwoNodeKey;
using pup_test::ThreeModePuppet;

namespace {

TEST(CliPuppet, InfoShowsModesMovesAndJoints) {
  const TTempDir dir;
  const std::string pup = dir.Write("ky.pup", ThreeModePuppet());
  const std::string gob = dir.Write("res.gob", MakeGob({{"misc\\pup\\ky.pup", ThreeModePuppet()}}));
  const std::string text =
      "modes: 3\n"
      "  mode 0: 3 moves\n"
      "    stand         kystand.key flags 0x0 priority 1/2\n"
      "    walk          kywalk.key flags 0x14 priority 1/1\n"
      "    fire          none flags 0x0 priority 0/0\n"
      "  mode 1 (based on 0): 4 moves\n";
  const std::string small = dir.Write("small.pup",
                                      "mode=0\nstand kystand.key 0x0 1 2\n"
                                      "mode=1,basedon=0\nfire none 14\njoints\n0=4\nend\n");
  const std::string json =
      "{\"modes\":[{\"mode\":0,\"based_on\":null,\"submodes\":[{\"name\":"
      "\"stand\",\"key\":\"kystand.key\",\"flags\":0,"
      "\"low_priority\":1,\"high_priority\":2}]},{\"mode\":1,\"based_on\":0,"
      "\"submodes\":[{\"name\":\"stand\","
      "\"key\":\"kystand.key\",\"flags\":0,\"low_priority\":1,\"high_"
      "priority\":2},{\"name\":\"fire\",\"key\":\"none\","
      "\"flags\":20,\"low_priority\":0,\"high_priority\":0}]}],\"joints\":[{"
      "\"body_part\":0,\"node\":4}],"
      "\"ignored_lines\":0}\n";
  const struct {
    std::vector<std::string> Args;
    int Status;
    std::string Starts;
  } runs[] = {
      {{"info", pup}, 0, text},
      {{"info", gob, "misc/pup/ky.pup"}, 0, text},
      {{"info", "--json", small}, 0, json},
      {{"info", dir.Write("bad.pup", "stand a.key\n")},
       1,
       "zarn-cli: bad.pup, line 1: 'stand' comes before any \"mode=N\"\n"},
      {{"info", gob, "run.pup"}, 1, "zarn-cli: No entry 'run.pup' in '" + gob + "'\n"},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.Args.back());
    const TCliRun run = RunCli(r.Args);
    EXPECT_EQ(run.Status, r.Status);
    EXPECT_EQ(run.Out.substr(0, r.Starts.size()), r.Starts);
  }
  const std::string whole = RunCli({"info", pup}).Out;
  EXPECT_EQ(whole.substr(whole.find("joints:")),
            "joints: 2\n  body part 0: node 2\n  body part 1: node 5\nignored "
            "lines: 2\n");
}

TEST(CliPuppet, CheckTellsEachKeyThatIsMissingOrDoesNotFit) {
  const TTempDir dir;
  // The two nodes of the test animation, torso and head.
  TModel model;
  AddMeshNode(model, "torso", {{0.1, 0, 0}, {0, 0, 0}, {0, 0.01, 0}});
  AddMeshNode(model, "head", {{0, 0.02, 0}, {0, 0, 0}, {0.01, 0, 0}})->Parent = model.Nodes[0];
  for (TNode* n : model.Nodes) AddFace(*n->Mesh, {0, 1, 2});
  model.Update();
  const std::string path = dir.File("two.3do");
  Save3DOFile(model, path);
  const std::string renamed = Replace(TwoNodeKey(), "head", "rthigh");
  dir.Write("kystand.key", TwoNodeKey());
  dir.Write("Key/KYRUN.KEY", renamed);
  const std::string pup = dir.Write("ky.pup", ThreeModePuppet());
  // kywalk.key is in the puppet's container; the model's own holds the other
  // two.
  const std::string pupGob = dir.Write(
      "pup.gob",
      MakeGob({{"misc\\pup\\ky.pup", ThreeModePuppet()}, {"3do\\key\\kywalk.key", TwoNodeKey()}}));
  const std::string modelGob =
      dir.Write("model.gob", MakeGob({{"3do\\two.3do", ReadWholeFile(path)},
                                      {"3do\\key\\kystand.key", TwoNodeKey()},
                                      {"3do\\key\\kyrun.key", "SECTION: HEADER\n"}}));
  const std::string ignored = "Warning: 2 lines name no move of the game and are passed over\n";
  const struct {
    std::vector<std::string> Args;
    int Status;
    std::string Out;
  } runs[] = {
      {{"check", "--pup", pup, path},
       3,
       "kywalk.key: not found (mode 0 walk)\nkyrun.key: node 1 'rthigh' drives "
       "'head' in this model\n" +
           ignored},
      {{"check", path, "--pup", pupGob + ":misc\\pup\\ky.pup"},
       3,
       "kyrun.key: node 1 'rthigh' drives 'head' in this model\n" + ignored},
      {{"check", "--pup", pupGob + ":ky.pup", modelGob, "two.3do"},
       3,
       "kyrun.key: the header lacks FRAMES\n" + ignored},
      {{"check", "--pup", dir.Write("fits.pup", "mode=0\nstand kystand.key\nfire NONE\n"), path},
       0,
       ""},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.Args.back());
    const TCliRun run =
        RunCliApart(r.Args);  // the model's missing material is told on standard error
    EXPECT_EQ(run.Status, r.Status);
    EXPECT_EQ(run.Out, r.Out);
  }
  const struct {
    std::vector<std::string> Args;
    int Status;
    std::string Err;
  } refused[] = {
      {{"check", "--pup", dir.Write("bad.pup", "mode=0\nrun\n"), path},
       1,
       "zarn-cli: bad.pup, line 2: 'run' names no KEY\n"},
      {{"check", path, "--pup"},
       2,
       "zarn-cli: --pup needs a value: --pup FILE.pup|CONTAINER:ENTRY\n"},
      {{"check", "--pup", pup, "--key", dir.File("kystand.key"), path},
       2,
       "zarn-cli: check takes --key or --pup, not both\n"},
  };
  for (const auto& r : refused) {
    SCOPED_TRACE(r.Args.back());
    const TCliRun run = RunCliApart(r.Args);
    EXPECT_EQ((std::tuple{run.Status, run.Out, run.Err}),
              (std::tuple{r.Status, std::string(), r.Err}));
  }
}

}  // namespace
