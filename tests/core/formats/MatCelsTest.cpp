// What the game's drawing needs of a material besides its colours: palette indices, the
// see-through index, the solid colour, and the cels, read from files on disk.
#include <tuple>

#include "formats/Mat.h"
#include "model/Materials.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestSupport.h"

using namespace fmt_test;

namespace {

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

class MatCels : public ::testing::Test {
 protected:
  // The material read with cel `cel` asked for; the line the reader reported in `problem`.
  TMaterial Read(const std::string& bytes, int cel, std::string& problem) {
    TMaterial m(&Materials, "cels.mat");
    m.Cel = cel;
    problem = ReadMat(m, Dir.Write("cels.mat", bytes), 0, UINT64_MAX);
    return m;
  }
  TMaterials Materials;
  TTempDir Dir;
};

// Cel 0: 2 x 2 with one mipmap level below it and index 5 see-through; cel 1: 1 x 1 without.
const std::string kTwoCels = CelsMat({{2, 2, 1, 5, 2, std::string("\x05\x06\x07\x08\x09", 5)},
                                      {1, 1, 0, 5, 1, std::string("\x03", 1)}});

TEST_F(MatCels, EachCelReadsWithItsIndicesAndSeeThroughIndex) {
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

TEST_F(MatCels, DamagedCelsAreReportedAndColourMaterialsKeepTheirIndex) {
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
