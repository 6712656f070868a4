#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An 8-bit RGB PNG of the pixels (rows top first, 3 bytes a pixel), compressed with stored
// deflate blocks only, so no compression library is needed.
std::string EncodePng(int width, int height, const std::vector<uint8_t>& rgb);
