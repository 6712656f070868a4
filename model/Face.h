#pragma once
#include "model/Vertex.h"

class TMaterial;

// Face type bits.
enum : int { ftTwoSided = 1, ftTranslucent = 2, ftCollides = 4 };

class TFace {
 public:
  // A new face takes "dflt.mat" from the model's material list, adding it when missing.
  explicit TFace(TMesh* mesh);

  TVector Normal;
  TMesh* Mesh;
  bool NormalDirty = true;
  TCorners Vertices;       // corners, referring to vertices of the owning mesh
  TTXVertices TXVertices;  // one per corner, at the corner's index
  TMaterial* Material = nullptr;
  int FaceType = ftCollides;
  int GeometryMode = 4;
  int LightingMode = 3;
  int TextureMode = 1;
  float ExtraLight = 0;
  int SelectionSlot = -1;
  // Where this face last stood in its mesh's face list; kept by TMesh::IndexFaces. Check with
  // TMesh::IndexOfFace, never trust it raw.
  int Index = -1;

  int AddVertex(TVertex* vertex);
  TVertex* InsertVertex(int index, TVertex* vertex);
  void DeleteVertex(int index);
  TVertex* NextVertex(int index) const;
  TVertex* PrevVertex(int index) const;
  // Normal of the first three corners' positions, recomputed only while NormalDirty.
  TVector GetNormal();
  bool HasFlag(int bit) const { return (FaceType & bit) != 0; }
};

template <>
struct ListMessage<TFace> {
  static constexpr const char* Text = "Surface Index is out of bounds: %d";
};
using TSurfaces = TRefList<TFace>;

// The unit normal of a polygon through the corners' positions (`&TVertex::Position`) or world
// positions, the way GetNormal finds it; zero for fewer than three corners or no area.
TVector PolygonNormal(const TCorners& corners, TVector TVertex::*position);
using TOwnedSurfaces = TOwnedList<TFace>;
