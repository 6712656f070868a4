#pragma once
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "model/Vector.h"
#include "view/GameBatch.h"

// A vertex in the camera's frame: where it is, its gouraud normal, and the way from the
// light to it.
struct TEyeVertex {
  TVector Point, Normal, FromLight;
};

class TCore;
class TFace;
class TMaterial;
class TMesh;
struct TEyeSpace;
struct TGameFrame;
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
// Light and culling depend on the camera, so the model's corners are lit anew in every frame
// from the GL matrices in force and drawn in batches; only the world's vertex normals are kept
// until the model changes.
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
  // The model changed: its normals are found again at the next frame.
  void ModelChanged() {
    Normals.clear();
    FaceNormals.clear();
    Placed.clear();
    NormalsFound = false;
  }

 private:
  // The texture of a material at one light row (-1: full colours, scaled by GL), with index
  // 0 see-through for translucent faces.
  unsigned Texture(const TCore& core, const TMaterial& material, int row, bool translucent);
  unsigned Checker();
  void FindNormals(const TCore& core);
  // Whether the normals found still fit the model's meshes; a change the drawing was not told
  // of must not send it past their ends.
  bool StillPlaced(const TCore& core) const;
  // Adds a face to the batch with its corners' light levels, in its material's colours.
  void Show(TCore& core, TGameBatch& batch, TFace& face, int geometry, const float* light, float alpha);
  // Each vertex in the camera's frame, once a frame rather than once per corner.
  void PlaceVertices(const TEyeSpace& eye, const TGameLight& light);
  // A mesh's faces this frame: culled, lit, and drawn or kept for the translucent pass.
  void DrawMesh(TCore& core, TGameBatch& batch, TMesh& mesh, TGameFrame& frame);
  // The translucent faces kept, blended farthest first without writing depth.
  void DrawTranslucent(TCore& core, TGameBatch& batch, TGameFrame& frame);

  std::map<std::tuple<const TMaterial*, int, bool>, unsigned> Textures;
  unsigned CheckerName = 0;
  std::set<std::string> Reported;
  // Each gouraud-lit vertex's normal in the world, the mean of its faces', and each face's,
  // by index from where their mesh's start.
  struct TPlace {
    size_t Vertices, Faces;
    int VertexCount, FaceCount;  // what the mesh held then
  };
  std::vector<TVector> Normals, FaceNormals;
  std::unordered_map<const TMesh*, TPlace> Placed;
  // Kept from frame to frame for their room: each vertex as this frame sees it (by the
  // normals' index), and the corners on their way to GL.
  std::vector<TEyeVertex> EyeVertices;
  std::vector<TGameCorner> Corners, FaceCorners;
  const TMaterial* LastMaterial = nullptr;  // the last face's, whose absence was told of
  bool NormalsFound = false;
};
