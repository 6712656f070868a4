#pragma once
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

// Chooses, for a colour, the palette entry a person sees as nearest: the smallest distance
// in CIE L*a*b* (D65, sRGB), among entries `first` to 255.
class TPaletteMatch {
 public:
  TPaletteMatch(const std::array<uint8_t, 768>& palette, int first);
  uint8_t Nearest(uint8_t r, uint8_t g, uint8_t b);

 private:
  std::array<std::array<float, 3>, 256> Lab{};
  int First;
  std::unordered_map<uint32_t, uint8_t> Known;  // pictures repeat colours
};

// The CIE L*a*b* coordinates of an sRGB colour.
std::array<float, 3> SrgbToLab(uint8_t r, uint8_t g, uint8_t b);

// Palette indices for RGBA pixels (Width x Height, rows from the top). A pixel with alpha
// below one half gets index 0 when `transparent`; every other pixel an entry from 1 on, as
// the game's hardware path may show index 0 through. With `diffuse`, each pixel's error is
// spread to the pixels right and below (Floyd-Steinberg), which trades flat areas for
// gradients without bands.
std::vector<uint8_t> MatchPalette(const std::vector<uint8_t>& rgba, int width, int height,
                                  const std::array<uint8_t, 768>& palette, bool transparent, bool diffuse);
