#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/FaceLook.h"
#include "model/MeshData.h"
#include "model/Vector.h"
#include "model/Vertex.h"

class TMesh;

// Values compared as a file writes them: 0 and -0 print differently.
template <class T>
bool SameBits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// An unchangeable copy of one mesh: everything a written file holds of it. Vertices and faces
// are kept in chunks, and a copy shares every chunk that is equal to the one of the copy made
// before it, so a step that moved a few vertices of a big mesh costs a few chunks. A face's
// normal is kept as a file would get it (worked out first where it is due); the mesh's
// radius is kept as it was but does not count as a change, since it follows from the rest.
class TMeshState {
 public:
  // Vertices or faces per chunk; the tests make it small to try many chunks on small meshes.
  static inline size_t ChunkSize = 16384;
  // Meshes with at least this many vertices and faces are trusted to hold their copy while
  // their revisions are unchanged; smaller ones are compared, which costs little.
  static inline size_t TrustRevisionFrom = 65536;

  struct TFaceState {
    int Material;  // into the copy's material names
    TFaceLook Look;
    int Corners;  // how many of the chunk's corners are this face's, in face order
    bool operator==(const TFaceState&) const = default;
  };
  struct TFaceChunk {
    std::vector<TFaceState> Faces;
    std::vector<int> Corners;  // vertex indexes
    std::vector<TTXVertex> TX;  // one per corner
    bool SameAs(const TFaceChunk& other) const;
    bool SameCorners(const TFaceChunk& other) const;
    size_t Bytes() const;
  };
  // Vertex positions, vertex normals and intensities, chunked apart: moving vertices leaves
  // the normals.
  using TVectorChunk = std::vector<TVector>;
  using TIntensityChunk = std::vector<float>;

  // A copy of the mesh sharing what is equal with `previous` (a copy of the same mesh made
  // before, or null); `previous` itself when nothing differs. `created` grows by the bytes of
  // what was not shared.
  static std::shared_ptr<const TMeshState> Take(TMesh& mesh, const std::shared_ptr<const TMeshState>& previous,
                                                size_t& created);
  // Makes the mesh hold this copy; `held` is the copy the mesh holds now (null for a new
  // mesh). When both have the same vertices and corners only the chunks that differ are
  // written, else the mesh is built anew. Materials are looked up (or added) by name.
  void RestoreInto(TMesh& mesh, const TMeshState* held) const;

 private:
  bool SameHeader(const TMeshState& other) const;
  // Copies chunk `c` of the mesh's vertices or faces into `out`.
  template <class T>
  static void ReadVertices(const TMesh& mesh, size_t c, T TVertex::*field, std::vector<T>& out);
  void ReadFaces(TMesh& mesh, size_t c, TFaceChunk& out);
  void WriteFaces(TMesh& mesh, size_t c, const std::vector<class TMaterial*>& materials) const;

  TMeshData Data;
  float Radius = 0;
  bool RadiusDirty = true;
  size_t VertexCount = 0, FaceCount = 0;
  std::vector<std::string> MaterialNames;  // the few materials the faces use
  std::vector<std::shared_ptr<const TVectorChunk>> PositionChunks, NormalChunks;
  std::vector<std::shared_ptr<const TIntensityChunk>> IntensityChunks;
  std::vector<std::shared_ptr<const TFaceChunk>> FaceChunks;
  // The mesh's revisions when it last held this copy.
  mutable uint64_t Revision = 0, FaceRevision = 0;
};
