#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A colormap (.cmp) of the game: the palette 8-bit materials index, and the tables that
// darken and blend those indices.
struct TColormap {
  static constexpr int kLightRows = 64;  // row 63 is full light, row 0 the darkest

  uint32_t Version = 0;
  uint32_t Flags = 0;
  std::array<float, 3> Tint{};
  std::array<uint8_t, 768> Palette{};
  std::array<uint8_t, kLightRows * 256> LightTable{};  // row by row, 256 palette indices each
  std::vector<uint8_t> Transparency;                   // 256 x 256 when the file holds one

  uint8_t Lit(int row, uint8_t index) const { return LightTable[static_cast<size_t>(row) * 256 + index]; }
};

// Reads the colormap at `start` of a file, at most `length` bytes long (a container entry).
// Raises EParserError, naming `name`, when the data is no colormap or too short for the
// tables its header promises; EInOutError when the file cannot be read. Data after the tables
// is ignored.
TColormap ReadCmp(const std::string& path, uint64_t start, uint64_t length, const std::string& name);
