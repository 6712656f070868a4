#include <gtest/gtest.h>

#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"

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

TEST_F(CliFormats, ListInfoAndConvertReadModelsFromContainersAndObjFiles) {
  const TCliRun list = RunCli({"list", Container});
  EXPECT_EQ(list.Status, 0) << list.Out;
  EXPECT_NE(list.Out.find("3do\\fighter.3do\t424\t"), std::string::npos) << list.Out;
  EXPECT_NE(list.Out.find("mat\\red.mat\t"), std::string::npos);
  EXPECT_NE(RunCli({"list", Dir.File("none.gob")}).Status, 0);

  const TCliRun info = RunCli({"info", Container, "3do/FIGHTER.3DO"});
  EXPECT_EQ(info.Status, 0) << info.Out;
  EXPECT_NE(info.Out.find("nodes: 6\n"), std::string::npos) << info.Out;
  EXPECT_NE(RunCli({"info", Container, "3do\\missing.3do"}).Status, 0);

  const std::string out = Dir.File("out.3do");
  EXPECT_EQ(RunCli({"convert", Container, "fighter.3do", out}).Status, 0);
  EXPECT_EQ(RunCli({"info", out}).Status, 0);

  const std::string obj = Dir.Write("t.obj", "v 0 0 0\r\nv 2 0 0\r\nv 0 2 0\r\nvt 0 0\r\nf 1/1 2/1 3/1\r\n");
  const TCliRun objInfo = RunCli({"info", obj});
  EXPECT_EQ(objInfo.Status, 0) << objInfo.Out;
  EXPECT_NE(objInfo.Out.find("vertices: 3\nfaces: 1\n"), std::string::npos) << objInfo.Out;
  EXPECT_EQ(RunCli({"convert", obj, out}).Status, 0);
  EXPECT_NE(RunCli({"info", out}).Out.find("faces: 1\n"), std::string::npos);

  const TCliRun bad = RunCli({"convert", Dir.Write("bad.obj", "v 0 0 0\nf 1 2 3\n"), Dir.File("never.3do")});
  EXPECT_NE(bad.Status, 0);
  EXPECT_NE(bad.Out.find("Vertex Index is out of bounds: 1"), std::string::npos) << bad.Out;
  EXPECT_FALSE(std::filesystem::exists(Dir.File("never.3do")));
}

TEST_F(CliFormats, MatWritesAPngOrFailsClearly) {
  const std::string png = Dir.File("red.png");
  const TCliRun run = RunCli({"mat", Container, "red.mat", png});
  EXPECT_EQ(run.Status, 0) << run.Out;
  const std::string data = ReadWholeFile(png);
  ASSERT_GT(data.size(), 33u);
  EXPECT_EQ(data.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(data.substr(12, 4), "IHDR");
  EXPECT_EQ(data.substr(16, 8), std::string("\0\0\0\3\0\0\0\2", 8));  // 3 x 2
  EXPECT_EQ(data.substr(data.size() - 8, 4), "IEND");

  EXPECT_NE(RunCli({"mat", Dir.File("none.mat"), Dir.File("x.png")}).Status, 0);
  EXPECT_NE(RunCli({"mat", Container, "nothing.mat", Dir.File("x.png")}).Status, 0);
  const TCliRun deep = RunCli({"mat", Container, "deep.mat", Dir.File("deep.png")});
  EXPECT_NE(deep.Out.find("deep.mat: Unsupported bit depth (24)"), std::string::npos) << deep.Out;
}

}  // namespace

namespace {

TEST_F(CliFormats, ExportWritesObjFilesAndObjImportsTakeOptions) {
  const std::string sample = std::string(ZARN_SAMPLES_DIR) + "/fighter.3do";
  const std::string obj = Dir.Write("t.obj", "v 0 0 0\nv 0 2 0\nv 1 0 0\nf 1 2 3\n");
  const struct {
    std::vector<std::string> Args;
    int Status;
    std::string Out;  // a part of what is printed
  } runs[] = {
      {{"export", sample, Dir.File("f.obj")}, 0, ""},
      {{"export", Container, "fighter.3do", Dir.File("c.obj")}, 0, ""},
      {{"export", sample}, 2, "usage: zarn-cli export"},
      {{"export", sample, Dir.File("f.3do")}, 2, "zarn-cli: export writes an .obj file, not '" + Dir.File("f.3do") + "'\n"},
      {{"export", Dir.File("none.3do"), Dir.File("n.obj")}, 1, "Cannot open file"},
      {{"export", sample, Dir.File("no/f.obj")}, 1, "Cannot create file"},
      {{"info", obj}, 0, "radius: 2\n"},
      {{"info", obj, "--scale", "fit"}, 0, "radius: 0.1\n"},
      {{"info", "--up", "y", obj, "--scale", "3", "--materials"}, 0, "radius: 6\n"},
      {{"convert", obj, "--up", "z", Dir.File("t.3do")}, 0, ""},
      {{"info", obj, "--up", "x"}, 2, "zarn-cli: --up takes y or z, not 'x'\n"},
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
  EXPECT_FALSE(std::filesystem::exists(Dir.File("f.3do")));
  EXPECT_FALSE(std::filesystem::exists(Dir.File("s.3do")));
}

}  // namespace
