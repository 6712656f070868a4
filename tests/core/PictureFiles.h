#pragma once
// RGBA PNG pictures written through libpng for the material tests.
#include <png.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/Picture.h"

inline bool WriteRgbaPng(const std::string& path, const TPicture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.Width);
  image.height = static_cast<png_uint_32>(picture.Height);
  image.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&image, path.c_str(), 0, picture.Rgba.data(), 0, nullptr) != 0;
}

// A picture whose every pixel is `pixel(x, y)`.
template <class F>
TPicture MakePicture(int width, int height, F&& pixel) {
  TPicture p{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::array<uint8_t, 4> c = pixel(x, y);
      p.Rgba.insert(p.Rgba.end(), c.begin(), c.end());
    }
  return p;
}
