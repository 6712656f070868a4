#pragma once
// Reading a glTF file's accessors with every index, offset, stride and count checked against
// what the file holds: the library that parses the file leaves these to its user.
#include <cstdint>
#include <string>
#include <vector>

namespace tinygltf {
class Model;
}

// Most numbers one accessor may hold: far beyond a game model, small enough that a hostile
// count cannot ask for gigabytes.
constexpr size_t kGltfMostNumbers = size_t{1} << 24;

// The accessor's elements as numbers, `components` to an element (normalized integers made
// 0 to 1 or -1 to 1). Raises EParserError naming `what` when the accessor is missing, of
// another shape, reaches beyond its data, or holds a number that is not finite.
std::vector<double> ReadNumbers(const tinygltf::Model& gltf, int accessor, int components,
                                const std::string& what);
// An index list whose every index lies below `vertices`.
std::vector<uint32_t> ReadIndices(const tinygltf::Model& gltf, int accessor, size_t vertices,
                                  const std::string& what);
