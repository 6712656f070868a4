#pragma once
// The pixels of a PNG picture as this program writes them (8-bit RGB, one IDAT of stored
// deflate blocks, filter 0 on every row), for tests that look at what was drawn.
#include <cstdint>
#include <string>
#include <vector>

struct TStoredPng {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Rgb;  // rows top first

  // Empty (Width 0) when the data is not such a picture.
  static TStoredPng Read(const std::string& png) {
    TStoredPng p;
    const auto word = [&](size_t at) {
      return static_cast<uint32_t>(static_cast<uint8_t>(png[at]) << 24 | static_cast<uint8_t>(png[at + 1]) << 16 |
                                   static_cast<uint8_t>(png[at + 2]) << 8 | static_cast<uint8_t>(png[at + 3]));
    };
    if (png.size() < 33 || png.compare(12, 4, "IHDR") != 0) return p;
    const int width = static_cast<int>(word(16)), height = static_cast<int>(word(20));
    const size_t idat = png.find("IDAT");
    if (idat == std::string::npos || idat < 4) return p;
    const size_t length = word(idat - 4);
    std::string raw;
    for (size_t at = idat + 4 + 2; at + 5 <= idat + 4 + length - 4;) {
      const size_t n = static_cast<uint8_t>(png[at + 1]) | static_cast<uint8_t>(png[at + 2]) << 8;
      raw.append(png, at + 5, n);
      at += 5 + n;
    }
    const size_t row = static_cast<size_t>(width) * 3 + 1;
    if (raw.size() != row * static_cast<size_t>(height)) return p;
    for (int y = 0; y < height; ++y) p.Rgb.insert(p.Rgb.end(), raw.begin() + static_cast<long>(row * y + 1), raw.begin() + static_cast<long>(row * (y + 1)));
    p.Width = width;
    p.Height = height;
    return p;
  }
  // Red, green and blue of a pixel, as one number 0xRRGGBB.
  uint32_t At(int x, int y) const {
    const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)) * 3;
    return static_cast<uint32_t>(Rgb[i] << 16 | Rgb[i + 1] << 8 | Rgb[i + 2]);
  }
};
