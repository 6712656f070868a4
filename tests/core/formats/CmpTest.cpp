// Colormaps read from files on disk and from containers, and refused when damaged.

#include <tuple>

#include "formats/Cmp.h"
#include "formats/ColormapPlaces.h"
#include "formats/FileIO.h"
#include "model/Errors.h"
#include "model/Palette.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;

namespace {

class Cmp : public ::testing::Test {
 protected:
  TColormap Read(const std::string& bytes) {
    return ReadCmp(Dir.Write("level.cmp", bytes), 0, UINT64_MAX, "level.cmp");
  }
  TTempDir Dir;
};

// MakeCmp's palette gives index i the colour (i, 255 - i, 7) and its light table row r the
// index r throughout; a flagged file adds the transparency table a * b % 256.
TEST_F(Cmp, ReadsHeaderPaletteLightAndTransparencyTablesAndOnlyThem) {
  std::string bytes = MakeCmp();
  Set32(bytes, 12, 0x3F800000);  // tint red 1.0
  bytes += "later tables, ignored";
  const TColormap map = Read(bytes);
  EXPECT_EQ((std::tuple{map.Version, map.Flags, map.Tint[0], map.Tint[1]}), (std::tuple{30u, 0u, 1.0f, 0.0f}));
  EXPECT_EQ((std::vector<int>{map.Palette[0], map.Palette[600], map.Palette[601], map.Palette[602]}),
            (std::vector<int>{0, 200, 55, 7}));
  EXPECT_EQ((std::vector<int>{map.Lit(63, 9), map.Lit(0, 255), map.Lit(17, 100)}), (std::vector<int>{63, 0, 17}));
  EXPECT_TRUE(map.Transparency.empty());
  // A file far larger than it holds: only its tables are read.
  const std::string path = Dir.Write("sparse.cmp", MakeCmp(1));
  ASSERT_EQ(::truncate(path.c_str(), off_t{6} << 30), 0);  // 6 GiB of holes after the tables
  const TColormap flagged = ReadCmp(path, 0, UINT64_MAX, "sparse.cmp");
  ASSERT_EQ(flagged.Transparency.size(), 65536u);
  EXPECT_EQ(flagged.Transparency[3 * 256 + 5], 15);
  EXPECT_EQ(flagged.Transparency[255 * 256 + 255], 1);  // 65025 % 256
  EXPECT_THROW(ReadCmp(Dir.File("none.cmp"), 0, UINT64_MAX, "none.cmp"), EInOutError);
}

TEST_F(Cmp, HostileFilesAreRefusedWithAClearMessage) {
  const std::string shorter = " bytes, shorter than the 17216 of a palette and light table";
  const struct { std::string Bytes, Message; } cases[] = {
      {"", "0" + shorter},
      {"CMP ", "4" + shorter},
      {"MAT 2", "no \"CMP \" at its start"},
      {Replace(MakeCmp(), "CMP ", "CMX "), "no \"CMP \" at its start"},
      {MakeCmp().substr(0, 0x100), "256" + shorter},  // cut in the palette
      {MakeCmp().substr(0, 0x4340 - 1), "17215" + shorter},  // cut in the light table
      {MakeCmp(1).substr(0, 0x4340 + 1000), "its flags promise a transparency table that the 18216 bytes do not hold"},
      {MakeCmp(0xFFFFFFFFu).substr(0, 0x4340), "its flags promise a transparency table that the 17216 bytes do not hold"},
  };
  for (const auto& c : cases)
    ExpectThrowWhat<EParserError>([&] { Read(c.Bytes); }, "level.cmp: not a colormap (" + c.Message + ")");
}

std::vector<std::string> Names(const std::vector<TColormapPlace>& places, const std::string& root) {
  std::vector<std::string> names;
  for (const TColormapPlace& p : places) names.push_back(p.Name().substr(p.Name().find(root) == 0 ? root.size() : 0));
  return names;
}

TEST_F(Cmp, FoundBesideTheModelInMiscCmpInAnyCaseAndInListedContainersAndReadFromTheirEntries) {
  Dir.Write("b.CMP", MakeCmp());
  Dir.Write("a.cmp", MakeCmp());
  Dir.Write("notes.txt", "");
  Dir.Write("Mat/m.cmp", MakeCmp());  // not a folder colormaps are looked for in
  Dir.Write("MISC/Cmp/level.cmp", MakeCmp());
  const std::string gob = Dir.Write("res.gob", MakeGob({{"mat\\x.cmp", "x"}, {"MISC\\CMP\\dark.cmp", MakeCmp(0, 99)}, {"misc\\cmp\\readme", ""}}));
  const std::string broken = Dir.Write("broken.gob", "GOB " + std::string(12, '\xFF'));
  const std::vector<TColormapPlace> places = FindColormaps(Dir.File("ship.3do"), {broken, Dir.File("gone.gob"), gob});
  EXPECT_EQ(Names(places, Dir.Path + "/"),
            (std::vector<std::string>{"a.cmp", "b.CMP", "MISC/Cmp/level.cmp", "res.gob:MISC\\CMP\\dark.cmp"}));
  EXPECT_EQ(ColormapPlaceNamed(places[3].Name()).Start, places[3].Start);
  const TColormap dark = ReadColormap(places[3]);
  EXPECT_EQ((std::tuple{dark.Version, dark.Palette[2]}), (std::tuple{30u, 99}));
  // An entry of one byte: the next entry is not its data.
  const TGobItem x = FoundEntry(gob, "x.cmp");
  ExpectThrowWhat<EParserError>([&] { ReadCmp(gob, x.Offset, x.Length, "x.cmp"); },
                                "x.cmp: not a colormap (1 bytes, shorter than the 17216 of a palette and light table)");
  EXPECT_EQ(FindColormaps("", {gob}).size(), 1u);  // an untitled model: the containers only
}

TEST_F(Cmp, ChangingTheColormapDecodesTheModelsMaterialsAgain) {
  TTestCore core;
  core.Model().FileName = Dir.File("ship.3do");
  Dir.Write("eight.mat", MakeTextureMat(1, 1, 8, "\x06"));
  Dir.Write("deep.mat", MakeTextureMat(1, 1, 16, Words({0xFFFF})));
  TMaterials& materials = core.Model().Materials;
  TMaterial *eight = materials.Add("eight.mat"), *deep = materials.Add("deep.mat"), *gone = materials.Add("gone.mat");
  const size_t reports = core.Services.Output.size();
  const TColormap map = ReadColormap({Dir.Write("l.cmp", MakeCmp()), "", 0, UINT64_MAX});
  ChangeColormap(materials, &map);
  EXPECT_EQ(materials.LightTable.size(), 64u * 256);
  EXPECT_EQ(eight->Pixels, (std::vector<uint8_t>{6, 249, 7}));
  EXPECT_EQ(deep->Pixels, (std::vector<uint8_t>{255, 255, 255}));
  EXPECT_FALSE(gone->Loaded);
  EXPECT_EQ(core.Services.Output.size(), reports);  // the missing one is not reported again
  ChangeColormap(materials, nullptr);
  EXPECT_TRUE(materials.LightTable.empty());
  EXPECT_EQ(eight->Pixels, (std::vector<uint8_t>(BuiltInPalette().begin() + 18, BuiltInPalette().begin() + 21)));
}

// `zarn-cli mat --cmp` and `export --cmp` decode through the colormap: index 6 is (6, 249, 7)
// there and a different colour in the built-in palette. The PNG's rows are stored
// uncompressed, so a row of the picture is found in it as filter byte 0 and the pixels.
TEST_F(Cmp, CliMatAndExportDecodeThroughTheChosenColormap) {
  const std::string mat = Dir.Write("six.mat", MakeTextureMat(2, 1, 8, std::string(2, '\x06')));
  const std::string model = Dir.Write("m/tri.3do", ReadWholeFile(std::string(ZARN_SAMPLES_DIR) + "/fighter.3do"));
  Dir.Write("m/hull.mat", MakeTextureMat(2, 1, 8, std::string(2, '\x06')));
  const std::string cmp = Dir.Write("level.cmp", MakeCmp());
  const std::string gob = Dir.Write("res.gob", MakeGob({{"misc\\cmp\\level.cmp", MakeCmp(0, 42)}}));
  const std::string row("\0\x06\xF9\x07\x06\xF9\x07", 7), rowFromGob("\0\x06\xF9\x2A\x06\xF9\x2A", 7);
  const struct {
    std::vector<std::string> Args;
    const char* Picture;
    int Status;
    std::string Row;  // a row the picture holds, or the line printed
  } runs[] = {
      {{"mat", "--cmp", cmp, mat, Dir.File("a.png")}, "a.png", 0, row},
      {{"mat", mat, Dir.File("b.png"), "--cmp", gob + ":misc/cmp/level.cmp"}, "b.png", 0, rowFromGob},
      {{"mat", mat, Dir.File("c.png"), "--cmp", gob + ":level.cmp"}, "c.png", 0, rowFromGob},
      {{"export", "--cmp", cmp, model, Dir.File("f.obj")}, "hull.png", 0, row},
      {{"mat", mat, Dir.File("d.png"), "--cmp"}, "d.png", 2, "zarn-cli: --cmp needs a colormap: FILE.cmp or CONTAINER:ENTRY\n"},
      {{"mat", mat, Dir.File("e.png"), "--cmp", mat}, "e.png", 1, "zarn-cli: six.mat: not a colormap (no \"CMP \" at its start)\n"},
      {{"mat", mat, Dir.File("f.png"), "--cmp", Dir.File("none.cmp")}, "f.png", 1, "zarn-cli: File '" + Dir.File("none.cmp") + "' not found\n"},
      {{"mat", mat, Dir.File("g.png"), "--cmp", gob + ":other.cmp"}, "g.png", 1, "zarn-cli: No entry 'other.cmp' in '" + gob + "'\n"},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.Args.back());
    const TCliRun run = RunCli(r.Args);
    EXPECT_EQ(run.Status, r.Status) << run.Out;
    if (r.Status == 0) {
      EXPECT_NE(ReadWholeFile(Dir.File(r.Picture)).find(r.Row), std::string::npos);
    } else {
      EXPECT_EQ(run.Out, r.Row);
      EXPECT_FALSE(std::filesystem::exists(Dir.File(r.Picture)));
    }
  }
}

}  // namespace
