#pragma once
#include "model/FaceLook.h"
#include "model/Vertex.h"

// The unit normal of a polygon through the corners' positions (`&TVertex::Position`) or world
// positions, as a face's GetNormal gives it; zero for fewer than three corners or no area.
TVector PolygonNormal(const TCorners& corners, TVector TVertex::*position);

// The face's material and look are its TFaceData, copied whole.
class TFace : public TFaceData {
 public:
  TFace(TMesh* mesh, TMaterial* material) : TFaceData{{}, material}, Mesh(mesh) {}

  TFaceData& Data() { return *this; }
  const TFaceData& Data() const { return *this; }

  TMesh* Mesh;
  TCorners Vertices;       // corners, referring to vertices of the owning mesh
  TTXVertices TXVertices;  // one per corner, at the corner's index
  int SelectionSlot = -1;
  // Where this face last stood in its mesh's face list; kept by TMesh::IndexFaces. Check with
  // TMesh::IndexOfFace, never trust it raw.
  int Index = -1;

  int AddVertex(TVertex* vertex);
  TVertex* InsertVertex(int index, TVertex* vertex);
  void DeleteVertex(int index);
  TVertex* NextVertex(int index) const;
  TVertex* PrevVertex(int index) const;
  // The unit normal of the corners' positions (see PolygonNormal). It is worked out on each
  // call, not kept: every pass asks once per face, and a mesh of a million faces would
  // otherwise carry 24 MB of normals that only go stale.
  TVector GetNormal() const { return PolygonNormal(Vertices, &TVertex::Position); }
  bool HasFlag(int bit) const { return (FaceType & bit) != 0; }
};

template <>
struct ListMessage<TFace> {
  static constexpr const char* Text = "Surface Index is out of bounds: %d";
};
using TSurfaces = TRefList<TFace>;

using TOwnedSurfaces = TOwnedList<TFace>;
