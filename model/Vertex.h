#pragma once
#include "model/InlineVector.h"
#include "model/OwnedList.h"
#include "model/RefList.h"
#include "model/Vector.h"

class TMesh;

struct TTXVertex {
  float U = 0;
  float V = 0;
};

class TVertex {
 public:
  explicit TVertex(TMesh* mesh) : Mesh(mesh) {}

  TMesh* Mesh;
  TVector Position;  // local position, the 3DO VERTICES row
  TVector World;     // derived by the model's world pass
  TVector Normal;    // derived by the mesh's vertex-normal pass
  // The fifth VERTICES column: light the game adds to this vertex on top of the lighting.
  float Intensity = 0;

  // Where this vertex last stood in its mesh's vertex list; kept by TMesh::IndexVertices so
  // that writers and bulk passes find a vertex's index without searching. Check with
  // TMesh::IndexOfVertex, never trust it raw.
  int Index = -1;
  // Slot in the editor's selection list, -1 when not selected (see TSelection).
  int SelectionSlot = -1;

  TVector GetPosition() const { return Position; }
  void SetPosition(const TVector& v) { Position = v; }
  TVector GetWorld() const { return World; }
  void SetWorld(const TVector& v) { World = v; }
};

template <>
struct ListMessage<TVertex> {
  static constexpr const char* Text = "Vertex Index is out of bounds: %d";
};
using TVertices = TRefList<TVertex>;
// A face's corners: triangles and quads keep them inside the face.
using TCorners = TRefList<TVertex, TInlineVector<TVertex*, 4>>;
using TOwnedVertices = TOwnedList<TVertex>;

// Texture vertices are owned by value: one per face corner.
class TTXVertices {
 public:
  int Count() const { return static_cast<int>(Items.size()); }
  TTXVertex& Get(int index) {
    Check(index);
    return Items[static_cast<size_t>(index)];
  }
  const TTXVertex& Get(int index) const {
    Check(index);
    return Items[static_cast<size_t>(index)];
  }
  TTXVertex& operator[](int index) { return Items[static_cast<size_t>(index)]; }
  const TTXVertex& operator[](int index) const { return Items[static_cast<size_t>(index)]; }
  void Add(const TTXVertex& t) { Items.push_back(t); }
  void Insert(int index, const TTXVertex& t) { Items.insert(Items.begin() + index, t); }
  void Delete(int index) {
    Check(index);
    Items.erase(Items.begin() + index);
  }
  void Clear() { Items.clear(); }
  void Reserve(size_t n) { Items.reserve(n); }
  auto begin() const { return Items.begin(); }
  auto end() const { return Items.end(); }

 private:
  void Check(int index) const {
    if (index < 0 || index >= Count()) RaiseListError("Texture Vertex Index is out of bounds: %d", index);
  }
  TInlineVector<TTXVertex, 4> Items;
};
