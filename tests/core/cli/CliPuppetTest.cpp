// zarn-cli with puppets: info of a puppet, and the check that each KEY it names is found and
// fits a model.

#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/KeyFiles.h"
#include "tests/core/PuppetFiles.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;
using key_test::TwoNodeKey;

namespace {

TEST(CliPuppet, InfoGivesModesMovesAndJointsAsJson) {
  const TTempDir dir;
  const std::string small = "mode=0\nstand kystand.key 0x0 1 2\nmode=1,basedon=0\nfire none 14\njoints\n0=4\nend\n";
  const std::string gob = dir.Write("res.gob", MakeGob({{"misc\\pup\\ky.pup", small}}));
  const std::string stand = "{\"name\":\"stand\",\"key\":\"kystand.key\",\"flags\":0,\"low_priority\":1,\"high_priority\":2}";
  ExpectCliRuns({
      {{"info", "--json", dir.Write("ky.pup", small)}, 0,
       "{\"modes\":[{\"mode\":0,\"based_on\":null,\"submodes\":[" + stand + "]},{\"mode\":1,\"based_on\":0,\"submodes\":[" +
           stand + ",{\"name\":\"fire\",\"key\":\"none\",\"flags\":20,\"low_priority\":0,\"high_priority\":0}]}],"
           "\"joints\":[{\"body_part\":0,\"node\":4}],\"ignored_lines\":0}\n"},
      {{"info", gob, "misc/pup/ky.pup"}, 0,
       "modes: 2\n  mode 0: 1 moves\n    stand         kystand.key flags 0x0 priority 1/2\n  mode 1 (based on 0): 2 moves\n"
       "    stand         kystand.key flags 0x0 priority 1/2\n    fire          none flags 0x14 priority 0/0\n"
       "joints: 1\n  body part 0: node 4\n"},
      {{"info", dir.Write("bad.pup", "stand a.key\n")}, 1, "zarn-cli: bad.pup, line 1: 'stand' comes before any \"mode=N\"\n"},
      {{"info", gob, "run.pup"}, 1, "zarn-cli: No entry 'run.pup' in '" + gob + "'\n"},
  });
}

TEST(CliPuppet, CheckTellsEachKeyThatIsMissingOrDoesNotFit) {
  const TTempDir dir;
  TModel model;  // the two nodes of the test animation
  AddMeshNode(model, "torso", {{0.1, 0, 0}, {0, 0, 0}, {0, 0.01, 0}});
  AddMeshNode(model, "head", {{0, 0.02, 0}, {0, 0, 0}, {0.01, 0, 0}})->Parent = model.Nodes[0];
  for (TNode* n : model.Nodes) AddFace(*n->Mesh, {0, 1, 2});
  model.Update();
  const std::string path = dir.File("two.3do");
  Save3DOFile(model, path);
  dir.Write("kystand.key", TwoNodeKey());
  dir.Write("Key/KYRUN.KEY", Replace(TwoNodeKey(), "head", "rthigh"));
  const std::string pup = dir.Write("ky.pup", pup_test::ThreeModePuppet());
  // kywalk.key is in the puppet's container; the model's own holds a damaged kyrun.key.
  const std::string pups = dir.Write("pup.gob", MakeGob({{"misc\\pup\\ky.pup", pup_test::ThreeModePuppet()},
                                                         {"3do\\key\\kywalk.key", TwoNodeKey()}}));
  const std::string models = dir.Write("model.gob", MakeGob({{"3do\\two.3do", ReadWholeFile(path)},
                                                             {"3do\\key\\kystand.key", TwoNodeKey()},
                                                             {"3do\\key\\kyrun.key", "SECTION: HEADER\n"}}));
  const std::string run = "kyrun.key: node 1 'rthigh' drives 'head' in this model\n";
  const std::string ignored = "Warning: 2 lines name no move of the game and are passed over\n";
  ExpectCliRuns({
      {{"check", "--pup", pup, path}, 3, "kywalk.key: not found (mode 0 walk)\n" + run + ignored},
      {{"check", path, "--pup", pups + ":misc\\pup\\ky.pup"}, 3, run + ignored},
      {{"check", "--pup", pups + ":ky.pup", models, "two.3do"}, 3, "kyrun.key: the header lacks FRAMES\n" + ignored},
      {{"check", "--pup", dir.Write("fits.pup", "mode=0\nstand kystand.key\nfire NONE\n"), path}, 0, ""},
      {{"check", "--pup", dir.Write("bad.pup", "mode=0\nrun\n"), path}, 1, "zarn-cli: bad.pup, line 2: 'run' names no KEY\n"},
      {{"check", path, "--pup"}, 2, "zarn-cli: --pup needs a value: --pup FILE.pup|CONTAINER:ENTRY\n"},
      {{"check", "--pup", pup, "--key", dir.File("kystand.key"), path}, 2, "zarn-cli: check takes --key or --pup, not both\n"},
  });
}

}  // namespace
