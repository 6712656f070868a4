#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class TMaterial;

// Decodes the first image of a material file into the material's RGB pixels, using the
// owner's palette for 8-bit textures and colour records. Returns the line to show in the
// output list when something was wrong with the data (empty when nothing was):
// unsupported bit depths and colour indices outside the palette give a white material;
// damaged data leaves the material unloaded.
std::string DecodeMat(TMaterial& material, std::string_view data);

// Reads at most `length` bytes of a material file from `start` and decodes them. Raises
// EInOutError when the file cannot be read.
std::string ReadMat(TMaterial& material, const std::string& path, uint64_t start, uint64_t length);
