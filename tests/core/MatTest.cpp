#include <gtest/gtest.h>

#include "formats/Mat.h"
#include "model/Materials.h"
#include "model/Palette.h"
#include "tests/core/FormatBytes.h"

using namespace fmt_test;

namespace {

class Mat : public ::testing::Test {
 protected:
  // Reads the data as a material file, the way the program reads one.
  std::string Decode(const std::string& data) {
    return ReadMat(Material, Dir.Write("x.mat", data), 0, UINT64_MAX);
  }
  std::vector<uint8_t> Rgb(std::initializer_list<uint32_t> colours) {
    std::vector<uint8_t> out;
    for (uint32_t c : colours) out.insert(out.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    return out;
  }
  TTempDir Dir;
  TMaterials Materials;
  TMaterial Material{&Materials, "x.mat"};
};

TEST_F(Mat, BuiltInPaletteIsCopiedIntoEveryList) {
  EXPECT_EQ(Materials.Palette, BuiltInPalette());
  auto entry = [&](int i) {
    return uint32_t(Materials.Palette[i * 3] << 16 | Materials.Palette[i * 3 + 1] << 8 | Materials.Palette[i * 3 + 2]);
  };
  EXPECT_EQ(entry(0), 0x000000u);
  EXPECT_EQ(entry(11), 0xF7FF00u);
  EXPECT_EQ(entry(137), 0x5F7FABu);
  EXPECT_EQ(entry(191), 0x37005Bu);
  EXPECT_EQ(entry(192), 0xFF00FFu);
  EXPECT_EQ(entry(254), 0xFF00FFu);
  EXPECT_EQ(entry(255), 0xFFFFFFu);
}

TEST_F(Mat, EightBitTexturesIndexThePalette) {
  EXPECT_EQ(Decode(MakeTextureMat(3, 1, 8, std::string("\x00\x06\x1F", 3))), "");
  EXPECT_TRUE(Material.Loaded);
  EXPECT_EQ(Material.BitDepth, 8);
  EXPECT_EQ(Material.Width, 3);
  EXPECT_EQ(Material.Height, 1);
  EXPECT_EQ(Material.Pixels, Rgb({0x000000, 0xFF0000, 0x0000FF}));
}

TEST_F(Mat, SixteenBitTexturesWidenEveryChannelToFullIntensity) {
  EXPECT_EQ(Decode(MakeTextureMat(2, 2, 16, Words({0xF800, 0x07E0, 0x001F, 0x0000}))), "");
  EXPECT_EQ(Material.Pixels, Rgb({0xFF0000, 0x00FF00, 0x0000FF, 0x000000}));
  Decode(MakeTextureMat(1, 1, 16, Words({0xFFFF})));
  EXPECT_EQ(Material.Pixels, Rgb({0xFFFFFF}));
}

TEST_F(Mat, RowsStayInFileOrderAtAnyWidth) {
  // 3 x 2 rows of 9 bytes: not a multiple of 4, which the upload must also handle.
  EXPECT_EQ(Decode(MakeTextureMat(3, 2, 8, std::string("\x10\x00\x10\x06\x06\x1F", 6))), "");
  EXPECT_EQ(Material.Pixels, Rgb({0xFFFFFF, 0x000000, 0xFFFFFF, 0xFF0000, 0xFF0000, 0x0000FF}));
  // Larger than the old fixed decode buffer of 128,000 pixels.
  EXPECT_EQ(Decode(MakeTextureMat(400, 400, 8, std::string(160000, '\x06'))), "");
  EXPECT_EQ(Material.Pixels.size(), 400u * 400u * 3u);
  EXPECT_EQ(Material.Pixels.back(), 0);
}

TEST_F(Mat, RecordsBeforeTheTextureHeaderAreSkipped) {
  EXPECT_EQ(Decode(MakeTextureMat(1, 1, 8, std::string(1, '\x06'), 3)), "");
  EXPECT_EQ(Material.Pixels, Rgb({0xFF0000}));
  EXPECT_EQ(Decode(MakeTextureMat(1, 1, 8, std::string(1, '\x1F'), 0)), "");
  EXPECT_EQ(Material.Pixels, Rgb({0x0000FF}));
  EXPECT_EQ(Decode(MakeTextureMat(1, 1, 8, std::string(1, '\x1F'), -4)), "");
  EXPECT_EQ(Material.Pixels, Rgb({0x0000FF}));
}

TEST_F(Mat, ColourRecordsTakeTheirPaletteEntry) {
  EXPECT_EQ(Decode(MakeColourMat(16)), "");
  EXPECT_TRUE(Material.Loaded);
  EXPECT_EQ(Material.Width, 1);
  EXPECT_EQ(Material.Height, 1);
  EXPECT_EQ(Material.Pixels, Rgb({0xFFFFFF}));
  Decode(MakeColourMat(6));
  EXPECT_EQ(Material.Pixels, Rgb({0xFF0000}));
}

TEST_F(Mat, ColourIndexOutsideThePaletteGivesWhiteAndALine) {
  for (int index : {256, -1, 0x7FFFFFFF}) {
    EXPECT_EQ(Decode(MakeColourMat(index)), "x.mat: Colour index " + std::to_string(index) + " lies outside the palette");
    EXPECT_TRUE(Material.Loaded);
    EXPECT_EQ(Material.Pixels, Rgb({0xFFFFFF}));
  }
}

TEST_F(Mat, UnsupportedBitDepthGivesWhiteAndALine) {
  EXPECT_EQ(Decode(MakeTextureMat(2, 2, 24, std::string(12, '\x01'))), "x.mat: Unsupported bit depth (24)");
  EXPECT_TRUE(Material.Loaded);
  EXPECT_EQ(Material.BitDepth, 24);
  EXPECT_EQ(Material.Width, 1);
  EXPECT_EQ(Material.Pixels, Rgb({0xFFFFFF}));
}

TEST_F(Mat, OtherRecordTypesLoadWithoutPixels) {
  EXPECT_EQ(Decode(MatHeader(1, 0, 8) + std::string(100, '\x05')), "");
  EXPECT_TRUE(Material.Loaded);
  EXPECT_TRUE(Material.Pixels.empty());
  EXPECT_EQ(Material.Width, 1);
}

TEST_F(Mat, DamagedDataLeavesTheMaterialUnloadedWithoutHugeAllocations) {
  const std::string damaged[] = {
      "",
      MatHeader(2, 1, 8).substr(0, 75),
      MatHeader(2, 1, 8) + std::string(40, '\0'),                        // no texture header
      MatHeader(2, 0x7FFFFFFF, 8),                                       // records beyond the data
      MakeTextureMat(0x7FFFFFFF, 0x7FFFFFFF, 8, std::string(64, '\0')),  // size beyond the data
      MakeTextureMat(0x10000, 0x10001, 16, std::string(64, '\0')),       // 32-bit product overflows
      MakeTextureMat(4, 4, 8, std::string(15, '\0')),                    // one pixel short
      MakeTextureMat(0, 4, 8, std::string(16, '\0')),
      MakeTextureMat(-4, -4, 8, std::string(16, '\0')),
      MatHeader(0, 1, 8) + std::string(7, '\0'),                         // colour record cut short
  };
  for (const std::string& data : damaged) {
    Material.Pixels.assign(30, 1);
    const std::string line = Decode(data);
    EXPECT_EQ(line.rfind("x.mat: Damaged material file (", 0), 0u) << line;
    EXPECT_FALSE(Material.Loaded);
    EXPECT_TRUE(Material.Pixels.empty());
    EXPECT_EQ(Material.Width, 1);
    EXPECT_EQ(Material.Height, 1);
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

}  // namespace
