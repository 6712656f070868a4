#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/GltfReadBack.h"
#include "tests/core/KeyFiles.h"

using namespace fmt_test;

namespace {

class CliFormats : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string sample = ReadWholeFile(std::string(ZARN_SAMPLES_DIR) + "/fighter.3do");
    Container = Dir.Write("res.gob", MakeGob({{"3do\\fighter.3do", sample},
                                               {"mat\\red.mat", MakeTextureMat(3, 2, 8, std::string(6, '\x06'))},
                                               {"mat\\deep.mat", MakeTextureMat(1, 1, 24, "abc")}}));
  }
  TTempDir Dir;
  std::string Container;
};

// list, info, convert and export read models from containers and OBJ files, OBJ imports take
// options, export writes OBJ and glTF files (with every --key given) and mat a PNG picture.
TEST_F(CliFormats, CommandsReadContainersAndObjFilesAndWriteObjFilesAndPictures) {
  const std::string sample = std::string(ZARN_SAMPLES_DIR) + "/fighter.3do";
  const std::string obj = Dir.Write("t.obj", "v 0 0 0\nv 0 2 0\nv 1 0 0\nf 1 2 3\n");
  const std::string bank = std::string(ZARN_SAMPLES_DIR) + "/fighter-bank.key";
  const std::string roll = Dir.Write("b/roll.key", ReadWholeFile(bank)), none = Dir.Write("none.key", key_test::TwoNodeKey("0"));
  const std::string vt =
      Dir.Write("vt.obj", "v 0 0 0\r\nv 2 0 0\r\nv 0 2 0\r\nvt 0 0\r\nf 1/1 2/1 3/1\r\n");
  const struct { std::vector<std::string> Args; int Status; std::string Out; } runs[] = {  // Out: a part
      {{"list", Container}, 0, "3do\\fighter.3do\t424\t"},
      {{"list", Container}, 0, "mat\\red.mat\t"},
      {{"list", Dir.File("none.gob")}, 1, ""},
      {{"info", Container, "3do/FIGHTER.3DO"}, 0, "nodes: 6\n"},
      {{"info", Container, "3do\\missing.3do"}, 1, ""},
      {{"convert", Container, "fighter.3do", Dir.File("c.3do")}, 0, ""},
      {{"info", Dir.File("c.3do")}, 0,
       "nodes: 6\nmeshes: 5\nvertices: 64\nfaces: 42\nmaterials: 4\nradius: "},
      {{"convert", sample, "/nonexistent-folder/out.3do"}, 1,
       "zarn-cli: Cannot create file '/nonexistent-folder/out.3do': No such file or directory\n"},
      {{"info", vt}, 0, "vertices: 3\nfaces: 1\n"},
      {{"convert", vt, Dir.File("vt.3do")}, 0, ""},
      {{"info", Dir.File("vt.3do")}, 0, "faces: 1\n"},
      {{"convert", Dir.Write("bad.obj", "v 0 0 0\nf 1 2 3\n"), Dir.File("never.3do")}, 1,
       "Vertex Index is out of bounds: 1"},
      {{"mat", Container, "red.mat", Dir.File("red.png")}, 0, ""},
      {{"mat", Dir.File("none.mat"), Dir.File("x.png")}, 1, ""},
      {{"mat", Container, "nothing.mat", Dir.File("x.png")}, 1, ""},
      {{"mat", Container, "deep.mat", Dir.File("deep.png")}, 0, "deep.mat: Unsupported bit depth (24)"},
      {{"export", sample, Dir.File("f.obj")}, 0, ""},
      {{"export", Container, "fighter.3do", Dir.File("c.obj")}, 0, ""},
      {{"export", sample}, 2, "usage: zarn-cli export"},
      {{"export", sample, Dir.File("f.3do")}, 2, "zarn-cli: export writes an .obj, .glb or .gltf file, not '" + Dir.File("f.3do") + "'\n"},
      {{"export", Dir.File("none.3do"), Dir.File("n.obj")}, 1, "Cannot open file"},
      {{"export", "--key", bank, Container, "fighter.3do", Dir.File("c.glb"), "--key", roll}, 0, ""},
      {{"export", "--key", bank, "--frame", "3", sample, Dir.File("k.glb")}, 2,
       "zarn-cli: --frame poses an .obj export; a glTF file holds every frame of its animations\n"},
      {{"export", "--up", "y", sample, Dir.File("u.gltf")}, 2, "zarn-cli: --up is for an .obj export; a glTF file is always Y-up\n"},
      {{"export", "--key", Dir.Write("bad.key", "SECTION: HEADER\nFLAGS 0\nTYPE 0\nFRAMES 4\nFPS 0\n"), sample, Dir.File("b.glb")}, 1,
       "zarn-cli: bad.key, line 5: FPS must be more than 0\n"},
      {{"export", "--key", none, sample, Dir.File("n.gltf")}, 1, "zarn-cli: Cannot export animation 'none': it drives no node of the model\n"},
      {{"export", "--pup", Dir.Write("f.pup", "mode=0\nstand fighter-bank.key\nwalk fighter-bank.key\nroll x.key\n"), sample, Dir.File("p.glb"), "--key", bank},
       0, ""},
      {{"export", "--pup", Dir.Write("m.pup", "mode=0\nwalk gone.key\n"), sample, Dir.File("m.glb")}, 1,
       "zarn-cli: Animation 'gone.key' of the puppet (mode 0 walk) is not found\n"},
      {{"info", obj}, 0, "radius: 2\n"},
      {{"info", obj, "--scale", "fit"}, 0, "radius: 0.1\n"},
      {{"info", "--up", "y", obj, "--scale", "3", "--materials"}, 0, "radius: 6\n"},
      {{"convert", obj, "--up", "z", Dir.File("t.3do")}, 0, ""},
      {{"info", obj, "--scale", "abc"}, 2, "zarn-cli: --scale: 'abc' is not a valid floating point value\n"},
      {{"info", obj, "--scale", "-1"}, 2, "zarn-cli: --scale: '-1' is not a valid scale factor: it must be above 0\n"},
      {{"info", obj, "--scale"}, 2, "zarn-cli: --scale needs a factor or 'fit'\n"},
      {{"convert", sample, Dir.File("s.3do"), "--materials"}, 2,
       "zarn-cli: --up, --scale, --materials and --merge are for importing an .obj file\n"},
  };
  for (const auto& r : runs) {
    const TCliRun run = RunCli(r.Args);
    EXPECT_EQ(run.Status, r.Status) << r.Args[0] << " " << r.Args.back() << "\n" << run.Out;
    EXPECT_NE(run.Out.find(r.Out), std::string::npos) << run.Out;
    if (r.Status == 2 && r.Out.ends_with("\n")) {
      EXPECT_EQ(run.Out, r.Out);  // one line, nothing else
    }
  }
  for (const char* written : {"f.obj", "f.mtl", "hull.png", "c.obj", "c.mtl", "t.3do"})
    EXPECT_TRUE(std::filesystem::exists(Dir.File(written))) << written;
  for (const char* refused : {"f.3do", "s.3do", "never.3do", "k.glb", "u.gltf", "b.glb", "n.gltf", "n.bin", "m.glb"})
    EXPECT_FALSE(std::filesystem::exists(Dir.File(refused))) << refused;
  EXPECT_EQ(gltf_test::Validate(Dir.File("c.glb")), 0);
  const tinygltf::Model gltf = gltf_test::Read(Dir.File("c.glb"));
  ASSERT_EQ(gltf.animations.size(), 2u);
  EXPECT_EQ(gltf.animations[0].name + " " + gltf.animations[1].name, "fighter-bank roll");
  // The puppet's moves name the KEY given with --key (once) and one that names no move.
  EXPECT_EQ(gltf_test::Read(Dir.File("p.glb")).animations.size(), 1u);
  const std::string png = ReadWholeFile(Dir.File("red.png"));
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\3\0\0\0\2", 8));  // 3 x 2
  EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
}

}  // namespace
