// zarn-cli render: pictures drawn offscreen, without any display, by the window's drawing
// code. A quad facing the top camera, of a colour material with index 9, through a colormap
// whose light table sends row r to palette index r, coloured (r, 255 - r, 7): the red channel
// of a lit pixel names its light row.
#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/StoredPng.h"
#include "tests/core/TestSupport.h"

using namespace fmt_test;

namespace {

// The GL driver keeps what it allocates for the life of the process, which a leak check in a
// sanitizer build of zarn-cli would take for leaks of the program's own.
const std::string kKeepDriverMemory = "ASAN_OPTIONS=detect_leaks=0 ";

// `light` is each vertex's light of its own.
std::string QuadModel(int lighting, const char* flags = "0x0", const std::string& light = "0") {
  return std::string("SECTION: HEADER\n3DO 2.1\n\nSECTION: MODELRESOURCE\nMATERIALS 1\n0: solid.mat\n\n"
                     "SECTION: GEOMETRYDEF\nRADIUS 0.1\nINSERT OFFSET 0 0 0\nGEOSETS 1\nGEOSET 0\nMESHES 1\n\n"
                     "MESH 0\nNAME quad\nRADIUS 0.1\nGEOMETRYMODE 4\nLIGHTINGMODE 3\nTEXTUREMODE 1\n\n"
                     "VERTICES 4\n0: -0.1 -0.1 0 " + light + "\n1: 0.1 -0.1 0 " + light + "\n2: 0.1 0.1 0 " +
                     light + "\n3: -0.1 0.1 0 " + light + "\n\nTEXTURE VERTICES 1\n0: 0 0\n\nVERTEX NORMALS\n0: 0 0 1\n1: 0 0 1\n2: 0 0 1\n3: 0 0 1\n\n"
                     "FACES 1\n0: 0 ") +
         flags + " 4 " + std::to_string(lighting) +
         " 1 0 4 0, 0 1, 0 2, 0 3, 0\n\nFACE NORMALS\n0: 0 0 1\n\n"
         "SECTION: HIERARCHYDEF\nHIERARCHY NODES 1\n0: 0x0 0x1 0 -1 -1 -1 0 0 0 0 0 0 0 0 0 0 quad\n";
}

class CliRender : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir.Write("solid.mat", MakeColourMat(9));
    Cmp = Dir.Write("level.cmp", MakeCmp());
  }
  // The picture zarn-cli draws with the arguments after "render IN OUT"; empty on failure.
  TStoredPng Render(const std::string& model, std::vector<std::string> options) {
    std::vector<std::string> args = {"render", model, Dir.File("out.png")};
    args.insert(args.end(), options.begin(), options.end());
    const TCliRun run = RunCli(args, kKeepDriverMemory);
    EXPECT_EQ(run.Status, 0) << run.Out;
    return TStoredPng::Read(ReadWholeFile(Dir.File("out.png")));
  }
  TTempDir Dir;
  std::string Cmp;
};

TEST_F(CliRender, TheGameModeLightsThroughTheColormapsRowsAndFillsThePicture) {
  const std::string lit = Dir.Write("lit.3do", QuadModel(0));
  const std::string unlit = Dir.Write("unlit.3do", QuadModel(1));
  const std::string glowing = Dir.Write("glowing.3do", QuadModel(1, "0x0", "0.6"));
  const struct { std::string Model; std::vector<std::string> Options; uint32_t Centre; } cases[] = {
      {lit, {"--view", "top", "--cmp", Cmp}, 0x3FC007},                       // full light: row 63
      {unlit, {"--cmp", Cmp, "--view", "top"}, 0x19E607},                     // ambient 0.4: row 25
      {unlit, {"--view", "top", "--light", "0.2", "--cmp", Cmp}, 0x0CF307},   // row 12
      {unlit, {"--view", "top", "--light", "1", "--cmp", Cmp}, 0x3FC007},     // row 63
      {glowing, {"--view", "top", "--cmp", Cmp}, 0x25DA07},                   // its own 0.6: row 37
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Options[1] + " " + c.Options.back());
    const TStoredPng png = Render(c.Model, c.Options);
    ASSERT_EQ(png.Width, 512);
    ASSERT_EQ(png.Height, 512);
    EXPECT_EQ(png.At(256, 256), c.Centre);
    // Framed to fill the picture with a tenth to spare: 465 of its 512 pixels.
    EXPECT_EQ(png.At(30, 256), c.Centre);
    EXPECT_EQ(png.At(481, 30), c.Centre);
    EXPECT_EQ(png.At(15, 256), 0x000000u);
  }
  // Seen from below by the side view, the single-sided quad is edge on: nothing but background.
  const TStoredPng side = Render(lit, {"--view", "side", "--size", "40x30", "--cmp", Cmp});
  ASSERT_EQ(side.Width, 40);
  ASSERT_EQ(side.Height, 30);
  EXPECT_EQ(side.At(2, 2), 0x000000u);

  // A container's model is seen through the container's first colormap.
  const std::string gob = Dir.Write("res.gob", MakeGob({{"3do\\quad.3do", QuadModel(0)},
                                                        {"mat\\solid.mat", MakeColourMat(9)},
                                                        {"misc\\cmp\\first.cmp", MakeCmp(0, 11)},
                                                        {"misc\\cmp\\second.cmp", MakeCmp(0, 22)}}));
  const TCliRun run =
      RunCli({"render", gob, "quad.3do", Dir.File("c.png"), "--view", "top", "--size", "16x16"}, kKeepDriverMemory);
  ASSERT_EQ(run.Status, 0) << run.Out;
  EXPECT_EQ(TStoredPng::Read(ReadWholeFile(Dir.File("c.png"))).At(8, 8), 0x3FC00Bu);
}

TEST_F(CliRender, TheSampleDrawsInEveryModeAndViewAndBadCommandLinesAreRefused) {
  const std::string sample = std::string(ZARN_SAMPLES_DIR) + "/fighter.3do";
  for (const char* mode : {"wireframe", "solid", "textured", "game"})
    for (const char* view : {"top", "front", "side", "free"}) {
      SCOPED_TRACE(std::string(mode) + " " + view);
      const TStoredPng png = Render(sample, {"--mode", mode, "--view", view, "--size", "64x48"});
      ASSERT_EQ(png.Width, 64);
      const uint32_t background = png.At(0, 0);
      int drawn = 0;
      for (int y = 0; y < png.Height; ++y)
        for (int x = 0; x < png.Width; ++x) drawn += png.At(x, y) != background;
      EXPECT_GT(drawn, 100);  // the thin sample seen edge on covers about a tenth of the picture
    }
  const struct { std::vector<std::string> Args; int Status; std::string Out; } bad[] = {
      {{"render", sample}, 2, "usage: zarn-cli render"},
      {{"render", sample, Dir.File("x.3do")}, 2, "zarn-cli: render writes a .png picture, not '" + Dir.File("x.3do") + "'\n"},
      {{"render", sample, Dir.File("x.png"), "--mode", "shiny"}, 2,
       "zarn-cli: --mode takes wireframe|solid|textured|game, not 'shiny'\n"},
      {{"render", sample, Dir.File("x.png"), "--view", "back"}, 2, "zarn-cli: --view takes top|front|side|free, not 'back'\n"},
      {{"render", sample, Dir.File("x.png"), "--size", "0x10"}, 2,
       "zarn-cli: --size takes WIDTHxHEIGHT, each 1 to 8192 pixels, not '0x10'\n"},
      {{"render", sample, Dir.File("x.png"), "--size", "99999x99999"}, 2,
       "zarn-cli: --size takes WIDTHxHEIGHT, each 1 to 8192 pixels, not '99999x99999'\n"},
      {{"render", sample, Dir.File("x.png"), "--light", "2"}, 2,
       "zarn-cli: --light takes an ambient level from 0 to 1, not '2'\n"},
      {{"render", sample, Dir.File("x.png"), "--light"}, 2, "zarn-cli: --view, --mode, --size and --light each need a value\n"},
      {{"render", Dir.File("none.3do"), Dir.File("x.png")}, 1, "Cannot open file"},
      {{"render", sample, Dir.File("x.png"), "--cmp", Dir.File("solid.mat")}, 1, "solid.mat: not a colormap"},
  };
  for (const auto& r : bad) {
    const TCliRun run = RunCli(r.Args, kKeepDriverMemory);
    EXPECT_EQ(run.Status, r.Status) << r.Args.back() << "\n" << run.Out;
    EXPECT_NE(run.Out.find(r.Out), std::string::npos) << run.Out;
    if (r.Status == 2 && r.Out.ends_with("\n")) {
      EXPECT_EQ(run.Out, r.Out);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(Dir.File("x.png")));
}

}  // namespace
