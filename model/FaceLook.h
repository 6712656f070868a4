#pragma once
#include <bit>
#include <cstdint>
#include <tuple>

class TMaterial;

// Face type bits.
enum : int { ftTwoSided = 1, ftTranslucent = 2, ftCollides = 4 };

// How a face is drawn and treated apart from its material and corners: the columns of its
// FACES row between the two. Values compare as a file writes them, so 0 and -0 extra light
// differ and a NaN equals itself.
struct TFaceLook {
  int FaceType = ftCollides;
  int GeometryMode = 4;
  int LightingMode = 3;
  int TextureMode = 1;
  float ExtraLight = 0;

  auto Bits() const {
    return std::tuple(FaceType, GeometryMode, LightingMode, TextureMode, std::bit_cast<uint32_t>(ExtraLight));
  }
  bool operator==(const TFaceLook& other) const { return Bits() == other.Bits(); }
  bool operator<(const TFaceLook& other) const { return Bits() < other.Bits(); }
};

// Everything a face holds but its corners: its look and its material, copied whole onto the
// faces a command makes from it.
struct TFaceData : TFaceLook {
  TMaterial* Material = nullptr;

  bool operator==(const TFaceData&) const = default;
};
