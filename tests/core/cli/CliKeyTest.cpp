// zarn-cli with KEY animations: info of an animation, the check of an animation against a
// model, and export and render of a model posed at a frame.

#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/KeyFiles.h"
#include "tests/core/StoredPng.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;
using key_test::TwoNodeKey;

namespace {

class CliKey : public ::testing::Test {
 protected:
  void SetUp() override {
    Key = Dir.Write("walk.key", TwoNodeKey());
    Container = Dir.Write("res.gob", MakeGob({{"3do\\key\\walk.key", TwoNodeKey()}, {"3do\\key\\cut.key", "SECTION: HEADER\n"}}));
    // The two nodes of the animation's worked values, each with a triangle.
    TModel model;
    AddMeshNode(model, "torso", {{0.1, 0, 0}, {0, 0, 0}, {0, 0.01, 0}});
    TNode* head = AddMeshNode(model, "head", {{0, 0.02, 0}, {0, 0, 0}, {0.01, 0, 0}});
    head->Parent = model.Nodes[0];
    head->Position = {0, 0, 0.1};
    for (TNode* n : model.Nodes) AddFace(*n->Mesh, {0, 1, 2});
    model.Update();
    Model = Dir.File("two.3do");
    Save3DOFile(model, Model);
  }
  // The OBJ's vertex lines.
  std::vector<std::string> ObjVertices(const std::string& path) {
    std::vector<std::string> out;
    const std::string text = ReadWholeFile(path);
    for (size_t at = 0; (at = text.find("\nv ", at)) != std::string::npos; ++at)
      out.push_back(text.substr(at + 1, text.find('\n', at + 1) - at - 1));
    return out;
  }
  TTempDir Dir;
  std::string Key, Container, Model;
};

TEST_F(CliKey, InfoShowsTheHeaderMarkersAndNodes) {
  const std::string text =
      "flags: 0x0014\ntype: 0x00ff\nframes: 20\nfps: 10\njoints: 2\nmarkers: 2\n  frame 5 type 0\n  frame 15 type 1\n"
      "nodes: 2\n  0 torso: 2 entries\n  1 head: 1 entries\n";
  const std::string json =
      "{\"flags\":20,\"type\":255,\"frames\":20,\"fps\":10,\"joints\":2,\"markers\":[{\"frame\":5,\"type\":0},"
      "{\"frame\":15,\"type\":1}],\"nodes\":[{\"index\":0,\"mesh_name\":\"torso\",\"entries\":2},"
      "{\"index\":1,\"mesh_name\":\"head\",\"entries\":1}]}\n";
  ExpectCliRuns({
      {{"info", Key}, 0, text},
      {{"info", Container, "3do/key/walk.key"}, 0, text},
      {{"info", "--json", Key}, 0, json},
      {{"info", Container, "walk.key", "--json"}, 0, json},
      {{"info", Container, "cut.key"}, 1, "zarn-cli: cut.key: the header lacks FRAMES\n"},
      {{"info", Container, "run.key"}, 1, "zarn-cli: No entry 'run.key' in '" + Container + "'\n"},
      {{"info", Dir.File("none.key")}, 1,
       "zarn-cli: Cannot open file '" + Dir.File("none.key") + "': No such file or directory\n"},
  });
}

TEST_F(CliKey, CheckSaysWhereTheAnimationDoesNotFitTheModel) {
  const std::string renamed = Dir.Write("renamed.key", Replace(TwoNodeKey("1"), "head", "rthigh"));
  const std::string sample = std::string(ZARN_SAMPLES_DIR) + "/fighter.3do";
  TModel one;
  AddMeshNode(one, "TORSO");  // names compare without regard to case
  Save3DOFile(one, Dir.File("one.3do"));
  // The model's missing material is told on standard error.
  ExpectCliRuns({
      {{"check", "--key", Key, Dir.File("one.3do")}, 3, "node 1 'head': this model has no node 1 (it has 1)\n"},
      {{"check", "--key", Key, Model}, 0, ""},
      {{"check", Model, "--key", Container + ":walk.key"}, 0, ""},
      {{"check", "--key", Dir.Write("more.key", Replace(TwoNodeKey(), "head", "rthigh")), Model}, 3,
       "node 1 'rthigh' drives 'head' in this model\n"},
      {{"check", "--key", renamed, Model}, 3,
       "node 1 'rthigh' lies beyond JOINTS (1) and drives nothing\n"
       "model node 1 'head' is not in the animation and keeps its rest pose\n"},
      {{"check", "--key", ZARN_SAMPLES_DIR "/fighter-bank.key", sample}, 3,
       "model node 1 'canopy' is not in the animation and keeps its rest pose\n"
       "model node 2 'engine_l' is not in the animation and keeps its rest pose\n"
       "model node 3 'tail' is not in the animation and keeps its rest pose\n"
       "model node 4 'engine_r' is not in the animation and keeps its rest pose\n"},
      {{"check", "--key", Key, sample}, 3,
       "node 0 'torso' drives 'hull' in this model\n"
       "node 1 'head' drives 'canopy' in this model\n"
       "model node 2 'engine_l' is not in the animation and keeps its rest pose\n"
       "model node 3 'tail' is not in the animation and keeps its rest pose\n"
       "model node 4 'engine_r' is not in the animation and keeps its rest pose\n"
       "model node 5 'fin' is not in the animation and keeps its rest pose\n"},
  });
}

TEST_F(CliKey, ExportWritesTheModelPosedAtTheFrame) {
  // Frame 5: the torso turned 45 degrees of yaw and moved 0.05 along x, the head pitched 60
  // under it (worked in the pose tests); frame 25 wraps to 5; without --key the rest pose.
  const std::vector<std::string> posed = {"v 0.120711 0.070711 0", "v 0.05 0 0", "v 0.042929 0.007071 0",
                                          "v 0.042929 0.007071 0.117321", "v 0.05 0 0.1",
                                          "v 0.057071 0.007071 0.1"};
  const struct { std::vector<std::string> Options; std::vector<std::string> Vertices; } runs[] = {
      {{"--key", Key, "--frame", "5"}, posed},
      {{"--frame", "25", "--key", Container + ":3do\\key\\walk.key"}, posed},
      {{}, {"v 0.1 0 0", "v 0 0 0", "v 0 0.01 0", "v 0 0.02 0.1", "v 0 0 0.1", "v 0.01 0 0.1"}},
  };
  for (const auto& r : runs) {
    std::vector<std::string> args = {"export", Model, Dir.File("out.obj")};
    args.insert(args.end(), r.Options.begin(), r.Options.end());
    const TCliRun run = RunCli(args);
    ASSERT_EQ(run.Status, 0) << run.Out;
    EXPECT_EQ(ObjVertices(Dir.File("out.obj")), r.Vertices);
  }
}

TEST_F(CliKey, RenderDrawsTheModelPosedAtTheFrame) {
  // The sample animation's frame 0 is the fighter's rest pose; frame 50 wraps to 10.
  const auto picture = [&](std::vector<std::string> options) {
    std::vector<std::string> args = {"render", ZARN_SAMPLES_DIR "/fighter.3do", Dir.File("out.png"), "--view", "top",
                                     "--mode", "wireframe", "--size", "96x96"};
    args.insert(args.end(), options.begin(), options.end());
    // The GL driver keeps what it allocates for the life of the process.
    const TCliRun run = RunCli(args, "ASAN_OPTIONS=detect_leaks=0 ");
    EXPECT_EQ(run.Status, 0) << run.Out;
    return TStoredPng::Read(ReadWholeFile(Dir.File("out.png"))).Rgb;
  };
  const std::string key = ZARN_SAMPLES_DIR "/fighter-bank.key";
  const std::vector<uint8_t> rest = picture({});
  ASSERT_EQ(rest.size(), 96u * 96u * 3u);
  EXPECT_EQ(picture({"--key", key}), rest);
  const std::vector<uint8_t> tenth = picture({"--key", key, "--frame", "10"});
  EXPECT_NE(tenth, rest);
  EXPECT_EQ(picture({"--frame", "50", "--key", key}), tenth);
}

TEST_F(CliKey, BadAnimationOptionsAreRefusedAndWriteNothing) {
  ExpectCliRuns({
      {{"export", Model, Dir.File("x.obj"), "--key"}, 2,
       "zarn-cli: --key needs a value: --key FILE.key|CONTAINER:ENTRY, --frame F\n"},
      {{"export", Model, Dir.File("x.obj"), "--frame", "3"}, 2, "zarn-cli: --frame needs an animation (--key)\n"},
      {{"export", Model, Dir.File("x.obj"), "--key", Key, "--frame", "three"}, 2,
       "zarn-cli: --frame takes a frame number, not 'three'\n"},
      {{"export", Model, Dir.File("x.obj"), "--key", Key, "--frame", "nan"}, 2,
       "zarn-cli: --frame takes a frame number, not 'nan'\n"},
      {{"export", Model, Dir.File("x.obj"), "--key", Key, "--frame", ""}, 2,
       "zarn-cli: --frame needs a value: --key FILE.key|CONTAINER:ENTRY, --frame F\n"},
      {{"export", Model, Dir.File("x.obj"), "--key", Container + ":cut.key"}, 1,
       "zarn-cli: cut.key: the header lacks FRAMES\n"},
      {{"export", Model, Dir.File("x.obj"), "--key", Dir.File("none.key")}, 1,
       "zarn-cli: File '" + Dir.File("none.key") + "' not found\n"},
      {{"render", Model, Dir.File("x.png"), "--frame", "2"}, 2, "zarn-cli: --frame needs an animation (--key)\n"},
  });
  EXPECT_FALSE(std::filesystem::exists(Dir.File("x.obj")));
}

}  // namespace
