#pragma once
#include <cstdint>
#include <string>

class TMaterial;

// Largest width and height of a texture this program decodes: more than any game material
// holds and than most graphics cards take, so that a damaged header cannot ask for gigabytes.
constexpr int32_t kMaxMatSide = 8192;

// Decodes the first image of the material data at `start` of a file, at most `length` bytes
// long, into the material's RGB pixels, using the owner's palette for 8-bit textures and
// colour records. Only the bytes the headers name are read, and only when they lie within
// the data. Returns the line to show in the output list when something was wrong with the
// data (empty when nothing was): unsupported bit depths and colour indices outside the
// palette give a white material; damaged data leaves the material unloaded. Raises
// EInOutError when the file cannot be read.
std::string ReadMat(TMaterial& material, const std::string& path, uint64_t start, uint64_t length);
