#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/Face.h"
#include "model/MeshData.h"

class TMaterials;
class TModel;
class TNode;

// The mesh's name and modes are its TMeshData; vertices, faces and derived values stay with
// the live mesh.
class TMesh : public TMeshData {
 public:
  // The model the mesh belongs to and the material list its faces use; either may be null
  // for a free-standing mesh. TModel::NewMesh makes a mesh of the model.
  TMesh(TModel* model, TMaterials* materials);
  TMesh(const TMesh&) = delete;
  TMesh& operator=(const TMesh&) = delete;

  TMeshData& Data() { return *this; }
  const TMeshData& Data() const { return *this; }

  float Radius = 0;
  TModel* Model;
  TMaterials* Materials;
  TNode* Node = nullptr;
  bool RadiusDirty = true;
  TOwnedVertices Vertices;
  TOwnedSurfaces Surfaces;
  TVector WorldOffset;
  // Revisions move on whenever what a file holds of the mesh may have changed: Revision for
  // the vertices and the mesh's own fields, FaceRevision for the faces. No two meshes, even
  // one freed and one made later, ever share a value. The undo history trusts them to pass
  // over the big meshes, or the faces, that no command touched.
  uint64_t Revision, FaceRevision;
  void Touch();          // anything may have changed
  void TouchVertices();  // only vertex positions or normals changed

  TVertex* AddVertex();
  // Removes and frees the vertex and every face corner that holds it.
  void DeleteVertex(int index);
  // Removes and frees the listed vertices (which must belong to this mesh) in one pass over
  // the corners; every corner holding one of them goes, so no face keeps a freed vertex.
  void DeleteVertices(const std::vector<TVertex*>& list);
  // A new face takes "dflt.mat" from the model's material list, adding it when missing.
  TFace* AddFace();
  // A face of the given material, for readers and copies that know it: the list gains no
  // "dflt.mat" that no face would use.
  TFace* AddFace(TMaterial* material);
  void DeleteFace(int index);
  // Removes and frees the listed faces of this mesh in one pass over the face list.
  void DeleteFaces(const std::vector<TFace*>& list);
  float GetRadius();

  void ResetWorld();
  void ApplyNode(const TNode& node, bool own);
  // The world pass of this mesh alone (kept with the model's world pass); it costs a walk over
  // the model's nodes, so a pass over all meshes goes through the model's UpdateWorld.
  void UpdateWorld();
  void InvalidateNormals();
  void CalcVertexNormals();
  // Copies the source's geometry into this mesh at the world positions `placeSource` gives it,
  // after moving the source's vertices by this mesh's offset (see the merge command).
  void AppendCopy(TMesh& source, const std::function<void(TMesh&)>& placeSource);
  // A deep copy of geometry, modes and name, in the same model, for a second node naming the
  // same mesh or another level of detail.
  std::unique_ptr<TMesh> Clone();

  // Stamps every vertex with its list index; O(vertices).
  void IndexVertices();
  // The vertex's index in this mesh, or -1; valid after IndexVertices.
  int IndexOfVertex(const TVertex* vertex) const {
    if (!vertex || vertex->Index < 0 || vertex->Index >= Vertices.Count()) return -1;
    return Vertices[vertex->Index] == vertex ? vertex->Index : -1;
  }
  // The same for faces.
  void IndexFaces();
  int IndexOfFace(const TFace* face) const {
    if (!face || face->Index < 0 || face->Index >= Surfaces.Count()) return -1;
    return Surfaces[face->Index] == face ? face->Index : -1;
  }
};

template <>
struct ListMessage<TMesh> {
  static constexpr const char* Text = "List index out of bounds (%d)";
};
using TMeshes = TRefList<TMesh>;
