// Materials read from files on disk: their pixels and what the game's drawing needs besides
// its colours (palette indices, the see-through index, the solid colour, the cels); damaged
// data leaves a material unloaded.
#include <gtest/gtest.h>

#include <tuple>

#include "formats/Mat.h"
#include "model/Materials.h"
#include "model/Palette.h"
#include "tests/core/FormatBytes.h"

using namespace fmt_test;

namespace {

std::vector<uint8_t> Rgb(std::initializer_list<uint32_t> colours) {
  std::vector<uint8_t> out;
  for (uint32_t c : colours) out.insert(out.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  return out;
}

struct TTextureSpec {
  int32_t Width, Height, KeyFlag, Key, Levels;
  std::string Pixels;  // every level's
};

// A texture material of 8-bit cels, each record naming colour index 40 + its number.
std::string CelsMat(const std::vector<TTextureSpec>& textures, int32_t bitDepth = 8) {
  std::string out = MatHeader(2, static_cast<int32_t>(textures.size()), bitDepth);
  for (size_t i = 0; i < textures.size(); ++i) {
    Put32(out, 8);
    Put32(out, 40 + static_cast<uint32_t>(i));
    out += std::string(32, '\0');
  }
  for (const TTextureSpec& t : textures) {
    for (int32_t word : {t.Width, t.Height, t.KeyFlag, 0, t.Key, t.Levels}) Put32(out, static_cast<uint32_t>(word));
    out += t.Pixels;
  }
  return out;
}

class Mat : public ::testing::Test {
 protected:
  // Reads the data as a material file, the way the program reads one.
  std::string Decode(const std::string& data) { return ReadMat(Material, Dir.Write("x.mat", data), 0, UINT64_MAX); }
  // The material read with cel `cel` asked for; the line the reader reported in `problem`.
  TMaterial Read(const std::string& bytes, int cel, std::string& problem) {
    TMaterial m(&Materials, "cels.mat");
    m.Cel = cel;
    problem = ReadMat(m, Dir.Write("cels.mat", bytes), 0, UINT64_MAX);
    return m;
  }
  TTempDir Dir;
  TMaterials Materials;
  TMaterial Material{&Materials, "x.mat"};
};

TEST_F(Mat, MaterialsDecodeToTheirPixels) {
  const struct {
    std::string Data;
    int Width, Height;
    std::vector<uint8_t> Pixels;
    std::string Line;  // for the output list
  } cases[] = {
      {MakeTextureMat(3, 1, 8, std::string("\x00\x06\x1F", 3)), 3, 1, Rgb({0x000000, 0xFF0000, 0x0000FF}), ""},
      // Every channel widens to full intensity.
      {MakeTextureMat(2, 2, 16, Words({0xF800, 0x07E0, 0x001F, 0xFFFF})), 2, 2,
       Rgb({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}), ""},
      // Rows of 9 bytes, not a multiple of 4, stay in file order.
      {MakeTextureMat(3, 2, 8, std::string("\x10\x00\x10\x06\x06\x1F", 6)), 3, 2,
       Rgb({0xFFFFFF, 0x000000, 0xFFFFFF, 0xFF0000, 0xFF0000, 0x0000FF}), ""},
      // Records before the texture header are skipped, as many as the header counts.
      {MakeTextureMat(1, 1, 8, "\x06", 3), 1, 1, Rgb({0xFF0000}), ""},
      {MakeTextureMat(1, 1, 8, "\x1F", 0), 1, 1, Rgb({0x0000FF}), ""},
      {MakeTextureMat(1, 1, 8, "\x1F", -4), 1, 1, Rgb({0x0000FF}), ""},
      {MakeColourMat(16), 1, 1, Rgb({0xFFFFFF}), ""},
      {MakeColourMat(6), 1, 1, Rgb({0xFF0000}), ""},
      {MakeColourMat(256), 1, 1, Rgb({0xFFFFFF}), "x.mat: Colour index 256 lies outside the palette"},
      {MakeColourMat(-1), 1, 1, Rgb({0xFFFFFF}), "x.mat: Colour index -1 lies outside the palette"},
      {MakeTextureMat(2, 2, 24, std::string(12, '\x01')), 1, 1, Rgb({0xFFFFFF}), "x.mat: Unsupported bit depth (24)"},
      // A kind of material this program does not draw.
      {MatHeader(1, 0, 8) + std::string(100, '\x05'), 1, 1, {}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Decode(c.Data), c.Line);
    EXPECT_EQ((std::tuple{Material.Loaded, Material.Width, Material.Height, Material.Pixels}),
              (std::tuple{true, c.Width, c.Height, c.Pixels}));
  }
  // Larger than the old fixed decode buffer of 128,000 pixels, and than one block read.
  EXPECT_EQ(Decode(MakeTextureMat(400, 400, 8, std::string(159999, '\x06') + "\x1F")), "");
  ASSERT_EQ(Material.Pixels.size(), 400u * 400u * 3u);
  EXPECT_EQ(std::vector<uint8_t>(Material.Pixels.end() - 6, Material.Pixels.end()), Rgb({0xFF0000, 0x0000FF}));
  EXPECT_EQ(Materials.Palette, BuiltInPalette());
}

TEST_F(Mat, DamagedDataLeavesTheMaterialUnloaded) {
  const std::string damaged[] = {
      "",
      MatHeader(2, 1, 8).substr(0, 75),
      MatHeader(2, 1, 8) + std::string(40, '\0'),                        // no texture header
      MatHeader(2, 0x7FFFFFFF, 8),                                       // records beyond the data
      MakeTextureMat(0x7FFFFFFF, 0x7FFFFFFF, 8, std::string(64, '\0')),  // size beyond the data
      MakeTextureMat(kMaxMatSide + 1, 1, 8, std::string(kMaxMatSide + 1, '\0')),
      MakeTextureMat(4, 4, 8, std::string(15, '\0')),                    // one pixel short
      MakeTextureMat(0, 4, 8, std::string(16, '\0')),
      MakeTextureMat(-4, -4, 8, std::string(16, '\0')),
      MatHeader(0, 1, 8) + std::string(7, '\0'),                         // colour record cut short
  };
  for (const std::string& data : damaged) {
    Material.Pixels.assign(30, 1);
    const std::string line = Decode(data);
    EXPECT_EQ(line.rfind("x.mat: Damaged material file (", 0), 0u) << line;
    EXPECT_EQ((std::tuple{Material.Loaded, Material.Pixels.size(), Material.Width, Material.Height}),
              (std::tuple{false, size_t{0}, 1, 1}));
  }
}

TEST_F(Mat, ReadMatReadsOnlyItsPartOfAFile) {
  const std::string mat = MakeTextureMat(1, 1, 8, std::string(1, '\x06'));
  const std::string path = Dir.Write("two.bin", "prefix" + mat + std::string(1, '\x1F'));
  EXPECT_EQ(ReadMat(Material, path, 6, mat.size()), "");
  EXPECT_EQ(Material.Pixels, Rgb({0xFF0000}));
  // Cut one byte short, the same data is damaged rather than read from beyond its entry.
  EXPECT_NE(ReadMat(Material, path, 6, mat.size() - 1), "");
  EXPECT_FALSE(Material.Loaded);
}

// Cel 0: 2 x 2 with one mipmap level below it and index 5 see-through; cel 1: 1 x 1 without.
const std::string kTwoCels = CelsMat({{2, 2, 1, 5, 2, std::string("\x05\x06\x07\x08\x09", 5)},
                                      {1, 1, 0, 5, 1, std::string("\x03", 1)}});

TEST_F(Mat, EachCelReadsWithItsIndicesAndSeeThroughIndex) {
  const struct { int Asked, Read; std::vector<uint8_t> Indices; int Key; } cases[] = {
      {0, 0, {5, 6, 7, 8}, 5}, {1, 1, {3}, -1}, {2, 0, {5, 6, 7, 8}, 5}, {-1, 0, {5, 6, 7, 8}, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Asked);
    std::string problem;
    const TMaterial m = Read(kTwoCels, c.Asked, problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ((std::tuple{m.Loaded, m.IsTexture, m.Cels, m.Cel, m.TransparentIndex, m.SolidIndex}),
              (std::tuple{true, true, 2, c.Read, c.Key, 40}));
    EXPECT_EQ(m.Indices, c.Indices);
    EXPECT_EQ(m.Pixels.size(), c.Indices.size() * 3);
  }
}

TEST_F(Mat, DamagedCelsAreReportedAndColourMaterialsKeepTheirIndex) {
  std::string problem;
  // Cel 0 claims more mipmap levels than a texture can hold; cel 1 cannot be found after it.
  const std::string badLevels = CelsMat({{2, 2, 0, 0, 99, std::string(4, '\x01')}, {1, 1, 0, 0, 1, "\x01"}});
  EXPECT_FALSE(Read(badLevels, 1, problem).Loaded);
  EXPECT_EQ(problem, "cels.mat: Damaged material file (cel 1 has a size or mipmap count out of range)");
  EXPECT_TRUE(Read(badLevels, 0, problem).Loaded);  // the first is still whole
  const std::string cut = kTwoCels.substr(0, kTwoCels.size() - 30);
  EXPECT_FALSE(Read(cut, 1, problem).Loaded);
  EXPECT_EQ(problem, "cels.mat: Damaged material file (the texture header lies beyond the end of the data)");
  const TMaterial colour = Read(MakeColourMat(77), 0, problem);
  EXPECT_EQ((std::tuple{colour.IsTexture, colour.SolidIndex, colour.Indices.size()}), (std::tuple{false, 77, size_t{0}}));
  const TMaterial deep = Read(CelsMat({{1, 1, 0, 0, 1, Words({0xFFFF})}}, 16), 0, problem);
  EXPECT_TRUE(deep.Indices.empty());  // 16-bit texels index nothing
  EXPECT_EQ(deep.Pixels, (std::vector<uint8_t>{255, 255, 255}));
}

}  // namespace
