// Texture coordinates of glTF primitives as texels of the game's materials: the set a
// material's picture takes, and its KHR_texture_transform, which modelling programs write
// for a picture moved, turned or repeated on the faces.
#include <tiny_gltf.h>

#include <cmath>

#include "formats/GltfAccessors.h"
#include "formats/GltfScene.h"
#include "model/Convert.h"
#include "model/Errors.h"

namespace {

// Sets of texture coordinates a primitive may name: far more than any program writes.
constexpr int kMostTexCoordSets = 64;

}  // namespace

void ReadTextureTransform(const tinygltf::TextureInfo& texture, TMaterialUse& use, const std::string& what) {
  use.TexCoord = texture.texCoord;
  const auto found = texture.extensions.find("KHR_texture_transform");
  if (found == texture.extensions.end()) return;
  const tinygltf::Value& transform = found->second;
  const std::string of = what + ": the KHR_texture_transform";
  if (!transform.IsObject()) throw EParserError(of + " is not an object");
  const auto given = [](const tinygltf::Value& value) { return value.Type() != tinygltf::NULL_TYPE; };
  const auto finite = [](const tinygltf::Value& value) {
    return value.IsNumber() && std::isfinite(value.GetNumberAsDouble());
  };
  // Offset and scale: two numbers, or `fallback` for both when not given.
  const auto pair = [&](const char* part, double fallback) {
    const tinygltf::Value& value = transform.Get(part);
    if (!given(value)) return std::array<double, 2>{fallback, fallback};
    if (!value.IsArray() || value.ArrayLen() != 2 || !finite(value.Get(0)) || !finite(value.Get(1)))
      throw EParserError(of + "'s " + part + " is not two finite numbers");
    return std::array<double, 2>{value.Get(0).GetNumberAsDouble(), value.Get(1).GetNumberAsDouble()};
  };
  const auto [x, y] = pair("offset", 0);
  const auto [across, down] = pair("scale", 1);
  const tinygltf::Value& rotation = transform.Get("rotation");
  if (given(rotation) && !finite(rotation)) throw EParserError(of + "'s rotation is not a finite number");
  const double turn = given(rotation) ? rotation.GetNumberAsDouble() : 0;
  if (const tinygltf::Value& set = transform.Get("texCoord"); given(set)) {
    const double n = finite(set) ? set.GetNumberAsDouble() : -1;
    if (n < 0 || n >= kMostTexCoordSets || n != std::floor(n))
      throw EParserError(of + "'s texCoord is not a set of texture coordinates");
    use.TexCoord = static_cast<int>(n);
  }
  // Scaled, then turned (a positive turn takes u towards -v: the picture turns clockwise on
  // the faces), then moved.
  const double c = std::cos(turn), s = std::sin(turn);
  use.U = {c * across, s * down, x};
  use.V = {-s * across, c * down, y};
}

std::vector<double> ReadTexels(const tinygltf::Model& gltf, const tinygltf::Primitive& primitive,
                               const TMaterialUse& use, size_t vertices, const std::string& what) {
  const auto at = primitive.attributes.find("TEXCOORD_" + std::to_string(use.TexCoord));
  if (at == primitive.attributes.end()) return {};
  std::vector<double> texels = ReadNumbers(gltf, at->second, 2, what + " texture coordinates");
  if (texels.size() / 2 != vertices)
    throw EParserError(what + ": texture coordinates and positions differ in count");
  // glTF's V runs down the picture from its top row, as the texels do.
  for (size_t i = 0; i < texels.size(); i += 2) {
    const double u = texels[i], v = texels[i + 1];
    texels[i] = (use.U[0] * u + use.U[1] * v + use.U[2]) * use.Width;
    texels[i + 1] = (use.V[0] * u + use.V[1] * v + use.V[2]) * use.Height;
    // A transform of huge numbers would give texels a 3DO cannot hold.
    if (!FitsFileRange(texels[i]) || !FitsFileRange(texels[i + 1]))
      throw EParserError(what + ": a texture coordinate, transformed, is too large for a texel");
  }
  return texels;
}
