#pragma once
#include <bit>
#include <cstdint>
#include <tuple>

#include "model/Face.h"

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

inline TFaceLook LookOf(const TFace& face) {
  return {face.FaceType, face.GeometryMode, face.LightingMode, face.TextureMode, face.ExtraLight};
}

inline void SetLook(TFace& face, const TFaceLook& look) {
  face.FaceType = look.FaceType;
  face.GeometryMode = look.GeometryMode;
  face.LightingMode = look.LightingMode;
  face.TextureMode = look.TextureMode;
  face.ExtraLight = look.ExtraLight;
}
