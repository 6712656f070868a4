// Materials made of pictures: the game's layout word for word, colours through PNG -> MAT ->
// decoded pixels (exact within 5-6-5, nearest palette entries for 8 bits, measured in Lab),
// mipmap levels, and pictures that cannot become a material refused without writing one.

#include <cmath>
#include <tuple>

#include "formats/FileIO.h"
#include "formats/Mat.h"
#include "formats/MatWriter.h"
#include "formats/PaletteMatch.h"
#include "formats/PngReader.h"
#include "formats/PngWriter.h"
#include "model/Materials.h"
#include "model/Palette.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/PictureFiles.h"
#include "tests/core/TestSupport.h"

using namespace fmt_test;

namespace {

using TRgba = std::array<uint8_t, 4>;

uint32_t Word(const std::string& data, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(data[at + static_cast<size_t>(i)]);
  return v;
}

// `count` words from `at`.
std::vector<uint32_t> WordsAt(const std::string& data, size_t at, size_t count) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < count; ++i) out.push_back(Word(data, at + 4 * i));
  return out;
}

// The first image of a material file as the program decodes it.
TMaterial Decoded(const std::string& path, TMaterials& owner) {
  TMaterial m(&owner, "t.mat");
  EXPECT_EQ(ReadMat(m, path, 0, UINT64_MAX), "");
  EXPECT_TRUE(m.Loaded);
  return m;
}

std::string RunOk(const std::vector<std::string>& args) {
  const TCliRun run = RunCli(args);
  EXPECT_EQ(run.Status, 0) << run.Out;
  return run.Out;
}

TEST(MatWriter, HeaderRecordsAndTextureHeadersAreTheGamesLayout) {
  const TPicture picture = MakePicture(16, 8, [](int, int) { return TRgba{1, 2, 3, 255}; });
  // The 14 words from offset 20.
  const struct { int Depth; bool Transparent; std::vector<uint32_t> Format; } rows[] = {
      {8, false, {0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {8, true, {0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {16, false, {1, 16, 5, 6, 5, 11, 5, 0, 3, 2, 3, 0, 0, 0}},
      {16, true, {2, 16, 5, 5, 5, 10, 5, 0, 3, 3, 3, 1, 15, 7}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Depth * 10 + row.Transparent);
    const std::string mat =
        EncodeMat({picture, picture}, {.Depth = row.Depth, .Transparent = row.Transparent, .Palette = BuiltInPalette()});
    EXPECT_EQ(mat.substr(0, 4), "MAT ");
    EXPECT_EQ(WordsAt(mat, 4, 4), (std::vector<uint32_t>{0x32, 2, 2, 2}));
    EXPECT_EQ(WordsAt(mat, 20, 14), row.Format);
    // Texture cels, each naming its texture.
    for (uint32_t cel = 0; cel < 2; ++cel)
      EXPECT_EQ((std::tuple{Word(mat, 76 + 40 * cel), Word(mat, 112 + 40 * cel)}), (std::tuple{8u, cel}));
    // Levels 16 x 8 only: halving stops at 8 pixels.
    const size_t level = 16 * 8 * static_cast<size_t>(row.Depth / 8);
    for (size_t texture = 0; texture < 2; ++texture)
      EXPECT_EQ(WordsAt(mat, 156 + texture * (24 + level), 6), (std::vector<uint32_t>{16, 8, row.Transparent, 0, 0, 1}));
    EXPECT_EQ(mat.size(), 76 + 80 + 2 * (24 + level));
  }
}

TEST(MatWriter, SixteenBitsRoundTripExactlyWithinFiveSixFive) {
  // Each row one colour: what it is, and what it reads back as after rounding to 5-6-5 and
  // to 1-5-5-5 with a transparent colour, where green has 5 bits too.
  using TRgb = std::array<uint8_t, 3>;
  const std::vector<std::tuple<TRgba, TRgb, TRgb>> rows = {
      {{0, 0, 0, 255}, {0, 0, 0}, {0, 0, 0}},                  {{255, 255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
      {{128, 128, 128, 255}, {132, 130, 132}, {132, 132, 132}}, {{10, 20, 30, 255}, {8, 20, 33}, {8, 16, 33}},
      {{200, 100, 50, 255}, {198, 101, 49}, {198, 99, 49}},     {{255, 0, 0, 255}, {255, 0, 0}, {255, 0, 0}},
      {{0, 255, 0, 255}, {0, 255, 0}, {0, 255, 0}},             {{0, 0, 255, 255}, {0, 0, 255}, {0, 0, 255}},
  };
  const TTempDir dir;
  const TPicture picture = MakePicture(8, 8, [&](int, int y) { return std::get<0>(rows[static_cast<size_t>(y)]); });
  ASSERT_TRUE(WriteRgbaPng(dir.File("in.png"), picture));
  for (const bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    std::vector<std::string> args{"tomat", "--depth", "16", dir.File("in.png"), dir.File("out.mat")};
    if (transparent) args.push_back("--transparent");
    EXPECT_EQ(RunOk(args), dir.File("out.mat") + ": 8 x 8, 16 bits, 1 cel\n");
    TMaterials owner;
    const TMaterial m = Decoded(dir.File("out.mat"), owner);
    ASSERT_EQ(m.Width, 8);
    for (size_t i = 0; i < 64; ++i) {
      const auto& row = rows[i / 8];
      EXPECT_EQ((TRgb{m.Pixels[i * 3], m.Pixels[i * 3 + 1], m.Pixels[i * 3 + 2]}),
                transparent ? std::get<2>(row) : std::get<1>(row))
          << "row " << i / 8;
    }
  }
}

TEST(MatWriter, EightBitsTakeThePaletteEntryAndKeepIndexZeroForTheTransparentColour) {
  const auto& palette = BuiltInPalette();
  const TTempDir dir;
  // Every pixel a palette colour from entry 1 on; the first row's left half see-through.
  const TPicture picture = MakePicture(8, 8, [&](int x, int y) {
    const size_t i = static_cast<size_t>(1 + y * 8 + x) * 3;
    return TRgba{palette[i], palette[i + 1], palette[i + 2], static_cast<uint8_t>(y == 0 && x < 4 ? 0 : 255)};
  });
  ASSERT_TRUE(WriteRgbaPng(dir.File("in.png"), picture));
  RunOk({"tomat", dir.File("in.png"), "--transparent", dir.File("out.mat")});
  const std::string pixels = ReadWholeFile(dir.File("out.mat")).substr(76 + 40 + 24, 64);
  TMaterials owner;
  const TMaterial m = Decoded(dir.File("out.mat"), owner);
  for (size_t i = 0; i < 64; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(pixels[i] == 0, i < 4) << "index 0 is the see-through pixels' only";
    EXPECT_TRUE(i < 4 || std::equal(m.Pixels.begin() + 3 * i, m.Pixels.begin() + 3 * i + 3, palette.begin() + 3 * (i + 1)));
  }
}

// A level's colormap gives index i the colour (i, 255 - i, 7): each pixel takes the index of
// its own colour there, whatever the built-in palette holds; a colormap that does not read
// writes nothing.
TEST(MatWriter, EightBitsMatchTheChosenColormapsPalette) {
  const TTempDir dir;
  const TPicture picture = MakePicture(8, 8, [](int x, int y) {
    const int i = 100 + y * 8 + x;
    return TRgba{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7, 255};
  });
  ASSERT_TRUE(WriteRgbaPng(dir.File("in.png"), picture));
  const std::string cmp = dir.Write("level.cmp", MakeCmp());
  RunOk({"tomat", dir.File("in.png"), dir.File("out.mat"), "--cmp", cmp});
  const std::string pixels = ReadWholeFile(dir.File("out.mat")).substr(76 + 40 + 24, 64);
  for (size_t i = 0; i < 64; ++i) EXPECT_EQ(static_cast<uint8_t>(pixels[i]), 100 + i) << i;

  const TCliRun bad = RunCli({"tomat", "--cmp", dir.Write("bad.cmp", "CMP "), dir.File("in.png"), dir.File("bad.mat")});
  EXPECT_EQ(bad.Status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("bad.mat")));
  EXPECT_EQ(RunCli({"tomat", dir.File("in.png"), dir.File("x.mat"), "--cmp"}).Status, 2);
}

// A smooth picture of many colours through an 8-bit material: the mean distance in Lab of
// each pixel (and, with error diffusion, of each 4 x 4 block's mean colour) to the original.
TEST(MatWriter, EightBitRoundTripErrorIsMeasuredInLab) {
  const TTempDir dir;
  const TPicture picture = MakePicture(64, 64, [](int x, int y) {
    return TRgba{static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 4), static_cast<uint8_t>(255 - (x + y) * 2), 255};
  });
  ASSERT_TRUE(WriteRgbaPng(dir.File("in.png"), picture));
  const auto error = [&](const TMaterial& m, int block) {
    const double area = block * block;
    const auto lab = [&](const double* rgb) {
      const auto c = [&](int i) { return static_cast<uint8_t>(std::lround(rgb[i] / area)); };
      return SrgbToLab(c(0), c(1), c(2));
    };
    double sum = 0;
    for (int by = 0; by < 64; by += block)
      for (int bx = 0; bx < 64; bx += block) {
        double want[3] = {}, got[3] = {};
        for (int y = by; y < by + block; ++y)
          for (int x = bx; x < bx + block; ++x)
            for (size_t c = 0; c < 3; ++c) {
              want[c] += picture.Rgba[static_cast<size_t>(y * 64 + x) * 4 + c];
              got[c] += m.Pixels[static_cast<size_t>(y * 64 + x) * 3 + c];
            }
        const auto a = lab(want), b = lab(got);
        sum += std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
      }
    return sum / (64 / block) / (64 / block);
  };
  TMaterials owner;
  RunOk({"tomat", dir.File("in.png"), dir.File("plain.mat")});
  RunOk({"tomat", "--dither", dir.File("in.png"), dir.File("dither.mat")});
  const TMaterial plain = Decoded(dir.File("plain.mat"), owner), dithered = Decoded(dir.File("dither.mat"), owner);
  const double plainPixel = error(plain, 1), plainBlock = error(plain, 4), ditherBlock = error(dithered, 4);
  // Measured at 20.7 per pixel, 18.4 per block plain and 11.2 diffused: the palette is the
  // game's, few of whose colours lie near such a spread of reds and greens.
  EXPECT_LT(plainPixel, 22);
  EXPECT_LT(ditherBlock, 12);
  EXPECT_LT(ditherBlock, plainBlock) << "error diffusion keeps the colour of areas";
}

// Mid grey against a palette of black, white and a far red: alone it is white, and error
// diffusion makes it a checkerboard (worked by hand: the first white sends -127 on, 7/16 right
// and 5/16 down, so both neighbours turn black, and their errors turn the last pixel white).
TEST(PaletteMatch, DiffusionSpreadsEachErrorRightAndDown) {
  std::array<uint8_t, 768> palette{};
  for (size_t i = 0; i < 256; ++i) palette[i * 3] = 255;
  palette[3] = 0;
  palette[6] = palette[7] = palette[8] = 255;
  const std::vector<uint8_t> grey = {128, 128, 128, 255, 128, 128, 128, 255, 128, 128, 128, 255, 128, 128, 128, 255};
  EXPECT_EQ(MatchPalette(grey, 2, 2, palette, false, false), (std::vector<uint8_t>{2, 2, 2, 2}));
  EXPECT_EQ(MatchPalette(grey, 2, 2, palette, false, true), (std::vector<uint8_t>{2, 1, 1, 2}));
}

// A picture of more than one stored block (64 KiB) reads back whole through libpng.
TEST(PngWriter, ALargePictureReadsBackWhole) {
  const TTempDir dir;
  const int w = 200, h = 120;
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7 % 251);
  WriteFileAtomically(dir.File("big.png"), EncodePng(w, h, rgb));
  const TPicture back = ReadPng(dir.File("big.png"));
  ASSERT_EQ((std::tuple{back.Width, back.Height}), (std::tuple{w, h}));
  const size_t last = static_cast<size_t>(w) * h - 1;
  EXPECT_EQ((std::tuple{back.Rgba[last * 4], back.Rgba[last * 4 + 2], back.Rgba[last * 4 + 3]}),
            (std::tuple{rgb[last * 3], rgb[last * 3 + 2], uint8_t{255}}));
}

TEST(MatWriter, MipmapLevelsHalveWithABoxFilter) {
  const TPicture wide = MakePicture(64, 32, [](int, int) { return TRgba{9, 9, 9, 255}; });
  // Size at 8 bits: headers, then every level's pixels.
  const struct { int Mipmaps; size_t Size; uint32_t Levels; } rows[] = {
      {0, 140 + 2048 + 512 + 128, 3}, {1, 140 + 2048, 1}, {4, 140 + 2048 + 512 + 128 + 32, 4}};
  for (const auto& row : rows) {
    const std::string mat = EncodeMat({wide}, {.Mipmaps = row.Mipmaps, .Palette = BuiltInPalette()});
    EXPECT_EQ((std::tuple{mat.size(), Word(mat, 76 + 40 + 20)}), (std::tuple{row.Size, row.Levels})) << row.Mipmaps;
  }
  EXPECT_EQ((std::tuple{DefaultMipmaps(1024), DefaultMipmaps(8)}), (std::tuple{4, 1})) << "the game keeps four levels";
  const TPicture longest = MakePicture(1024, 8, [](int, int) { return TRgba{9, 9, 9, 255}; });
  EXPECT_EQ(EncodeMat({longest}, {.Mipmaps = 1, .Palette = BuiltInPalette()}).size(), size_t{140 + 8192})
      << "the longest and shortest sides the game takes";

  // Black and white squares, and black and white rows, average to mid grey in the next
  // level: 16, 32, 16 in 5-6-5.
  for (const int squares : {1, 0}) {
    const TPicture picture = MakePicture(16, 16, [squares](int x, int y) {
      const uint8_t v = (squares * x + y) % 2 ? 255 : 0;
      return TRgba{v, v, v, 255};
    });
    const std::string mat = EncodeMat({picture}, {.Depth = 16});
    ASSERT_EQ(mat.size(), 140u + 512 + 128);
    for (size_t i = 140 + 512; i < mat.size(); i += 2) ASSERT_EQ(Word(mat + "  ", i) & 0xFFFF, 0x8410u) << i;
  }
}

TEST(MatWriter, PicturesThatCannotBeMaterialsAreRefusedAndNothingIsWritten) {
  const TTempDir dir;
  const auto png = [&](int w, int h) {
    return EncodePng(w, h, std::vector<uint8_t>(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, 50));
  };
  const std::string valid = png(8, 8), out = dir.File("out.mat");
  const struct {
    std::string Picture;
    std::vector<std::string> Options;
    int Status;
    std::string Message;  // how standard error begins; "@" stands for the picture's path
  } rows[] = {
      {"hello, no picture", {}, 1, "zarn-cli: Cannot read picture '@': not a PNG picture"},
      {png(0, 0), {}, 1, "zarn-cli: Cannot read picture '@': "},
      {png(100000, 1), {}, 1, "zarn-cli: Cannot read picture '@': "},
      {valid.substr(0, valid.size() / 2), {}, 1, "zarn-cli: Cannot read picture '@': "},
      {png(100, 64), {}, 1, "zarn-cli: Picture 1 is 100 x 64 pixels; each side must be a power of two from 8 to 1024"},
      {png(2048, 8), {}, 1, "zarn-cli: Picture 1 is 2048 x 8 pixels; each side must be a power of two from 8 to 1024"},
      {png(4, 4), {}, 1, "zarn-cli: Picture 1 is 4 x 4 pixels; each side must be a power of two from 8 to 1024"},
      {valid, {"--mipmaps", "5"}, 1, "zarn-cli: 5 mipmap levels; a 8 x 8 texture takes 1 to 4"},
      {valid, {"--mipmaps", "0"}, 2, "zarn-cli: --mipmaps takes a number of levels from 1, not '0'"},
      {valid, {"--depth", "12"}, 2, "zarn-cli: --depth takes 8 or 16, not '12'"},
      {valid, {"--depth"}, 2, "zarn-cli: --depth needs 8 or 16"},
      {valid, {"--cmp", "x.cmp"}, 1, "zarn-cli: File 'x.cmp' not found"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Message);
    const std::string in = dir.Write("in.png", row.Picture);
    std::vector<std::string> args{"tomat", in, out};
    args.insert(args.end(), row.Options.begin(), row.Options.end());
    const TCliRun run = RunCli(args);
    EXPECT_EQ(run.Status, row.Status);
    std::string message = row.Message;
    if (const size_t at = message.find('@'); at != std::string::npos) message.replace(at, 1, in);
    EXPECT_EQ(run.Out.substr(0, message.size()), message) << run.Out;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  const TCliRun two = RunCli({"tomat", dir.Write("a.png", valid), dir.Write("b.png", png(16, 16)), out});
  EXPECT_EQ(two.Out, "zarn-cli: Picture 2 is 16 x 16 pixels, picture 1 8 x 8; every cel has the same size\n");
  EXPECT_EQ(RunCli({"tomat", dir.File("none.png"), out}).Out, "zarn-cli: File '" + dir.File("none.png") + "' not found\n");
  EXPECT_EQ(RunCli({"tomat", out}).Status, 2);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path), {}), 3) << "no temporary file stays";
}

// Pictures of real materials, through PNG and back: the sample's 8-bit ones come back index for
// index, its 16-bit ones pixel for pixel.
TEST(MatWriter, TheSampleMaterialsComeBackThroughPictures) {
  const TTempDir dir;
  for (const char* name : {"dflt", "engine", "glass", "hull"}) {
    SCOPED_TRACE(name);
    const std::string original = std::string(ZARN_SAMPLES_DIR) + "/Mat/" + name + ".mat";
    TMaterials owner;
    const TMaterial before = Decoded(original, owner);
    RunOk({"mat", original, dir.File("p.png")});
    RunOk({"tomat", "--depth", std::to_string(before.BitDepth), "--mipmaps", "1", dir.File("p.png"), dir.File("p.mat")});
    const TMaterial after = Decoded(dir.File("p.mat"), owner);
    EXPECT_EQ(std::tie(after.Width, after.Pixels), std::tie(before.Width, before.Pixels));
  }
}

}  // namespace
