#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/Picture.h"

// How pictures become a material.
struct TMatOptions {
  int Depth = 8;             // 8: palette indices; 16: 5-6-5 colour (1-5-5-5 when transparent)
  bool Transparent = false;  // pixels with alpha below one half become the transparent colour
  bool Diffuse = false;      // 8 bits: spread each pixel's colour error to its neighbours
  int Mipmaps = 0;           // levels per texture, each a box-filtered half; 0: down to 8 pixels
  std::array<uint8_t, 768> Palette{};  // for 8 bits
};

// Smallest and largest side of a texture written: the game's textures are powers of two in
// this range.
constexpr int kMatMinSide = 8, kMatMaxSide = 1024;

// A texture material in the game's layout with one cel per picture. Raises EConvertError,
// naming the picture (counted from 1) and its size, for pictures of different sizes, a side
// that is no power of two from kMatMinSide to kMatMaxSide, no picture, more than 16 or more
// mipmap levels than halving down to 1 pixel gives.
std::string EncodeMat(const std::vector<TPicture>& cels, const TMatOptions& options);

// The number of levels halving gives from a side of `smallest` down to 8 pixels (at least 1).
int DefaultMipmaps(int smallest);
