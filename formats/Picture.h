#pragma once
#include <cstdint>
#include <vector>

// A picture as read from an image file: RGBA, 8 bits a channel, rows from the top.
struct TPicture {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgba;
};
