#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

class TMesh;
class TModel;

// The model's faces in GL buffer objects, one set per mesh, uploaded when that mesh changes:
// a frame then costs a few draw calls whatever the model's size, and an edit re-uploads only
// the meshes it touched. Every routine needs the drawing context current.
class TMeshBuffers {
 public:
  // One mesh's buffers. Faces are triangle fans, grouped by texture: face i's corners lie
  // together, FaceCount[i] of them from FaceFirst[i] (none for a face of fewer than three
  // corners). Its edges are the index pairs from EdgeFirst[i] to EdgeFirst[i + 1], in face
  // order; after them come the UniqueIndices of the whole mesh's edges, each drawn once.
  struct TGroup {
    int Texture;  // GL texture name, or -1 for an untextured face
    int First, Count;
  };
  struct TEntry {
    unsigned Corners = 0;  // one TCorner per triangle corner
    unsigned Points = 0;   // world positions, one per vertex
    unsigned Edges = 0;    // pairs of vertex indices, two per face corner
    int CornerCount = 0, EdgeIndices = 0, UniqueIndices = 0;
    int UniqueFirst() const { return EdgeIndices; }
    std::vector<TGroup> Groups;
    std::vector<int> FaceFirst, FaceCount, EdgeFirst;
    // What the upload was made from: the mesh's counts, a fingerprint of its contents (a
    // moved node moves its world positions) and the textures' state.
    struct TKey {
      uint64_t Content = 0, Textures = 0;
      int Vertices = -1, Faces = -1;
      bool operator==(const TKey&) const = default;
    } Key;
  };

  // Uploads every mesh whose faces, vertices, placement or textures changed since its last
  // upload and frees the buffers of meshes gone. World positions must be up to date.
  void Sync(TModel& model);
  // Filled faces: textured in the textured view mode (2), with their normals for light.
  void DrawFaces(int viewMode) const;
  // Every edge of every face as a line.
  void DrawEdges() const;
  // The mesh's buffers, or null when it has none.
  const TEntry* Find(const TMesh* mesh) const {
    const auto found = Entries.find(mesh);
    return found == Entries.end() ? nullptr : &found->second;
  }
  // Binds the mesh's corner positions (for glDrawArrays), or its points and edge indices (for
  // glDrawElements), for overlays; false when the mesh has none. Unbind undoes either.
  bool BindCorners(const TMesh* mesh) const;
  bool BindEdges(const TMesh* mesh) const;
  static void Unbind();
  void Release();
  // The context went away with its buffers.
  void Forget() {
    Entries.clear();
    Order.clear();
  }
  // Meshes uploaded so far, and a value that moves on with every upload, for the overlays.
  int Uploads = 0;
  uint64_t Generation = 0;

 private:
  void Upload(const TMesh& mesh, TEntry& entry);
  std::unordered_map<const TMesh*, TEntry> Entries;
  std::vector<const TMesh*> Order;  // the node order, which is the drawing order
};
