#pragma once
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>

#include "model/Vector.h"

class TCore;
class TMaterial;
class TVertex;

// The view mode after Wireframe (0), Solid (1) and Textured (2).
constexpr int kGameViewMode = 3;

// The light of the Game view mode, as the game's own model preview sets it by default.
struct TGameLight {
  double Ambient = 0.4;                  // 0 to 1
  double Intensity = 4.0;                // of the one light
  TVector Position = {0.2, 0.2, 0};      // in the camera's frame
};

// The Game view mode: the model drawn as the game's hardware path draws it. Geometry,
// lighting and texture modes are the lowest of the view's, the mesh's and the face's;
// single-sided faces seen from behind are skipped, two-sided ones lit with the reversed
// normal; translucent faces are blended over what lies behind, farthest first; see-through
// texels show what lies behind; 8-bit colours go through the colormap's light table row of
// the light level (16-bit ones, and 8-bit ones without a colormap, are scaled by it); a
// material that is not found is drawn chequered and named once in the output.
//
// Light and culling depend on the camera, so the model is drawn anew in every frame from the
// GL matrices in force, not compiled.
class TGameDrawing {
 public:
  static constexpr int kViewGeometryMode = 4;  // textured
  static constexpr int kViewLightingMode = 3;  // gouraud
  // Of 255: how much of the background shows through a translucent face.
  static constexpr int kTranslucentBackground = 90;

  void Draw(TCore& core, const TGameLight& light);
  // The model or its materials changed: the textures of light rows are made again. Needs
  // the context current.
  void Release();
  // The context went away with its textures.
  void Forget() { Textures.clear(); }
  // The model changed: its vertex normals are found again at the next frame.
  void ModelChanged() {
    Normals.clear();
    NormalsFound = false;
  }

 private:
  // The texture of a material at one light row (-1: full colours, scaled by GL), with index
  // 0 see-through for translucent faces.
  unsigned Texture(const TCore& core, const TMaterial& material, int row, bool translucent);
  unsigned Checker();

  std::map<std::tuple<const TMaterial*, int, bool>, unsigned> Textures;
  unsigned CheckerName = 0;
  std::set<std::string> Reported;
  // Each gouraud-lit vertex's normal in the world, the mean of its faces'.
  std::unordered_map<const TVertex*, TVector> Normals;
  bool NormalsFound = false;
};
