#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/Vector.h"
#include "model/Vertex.h"

class TCore;
class TMesh;
class TModel;

// An unchangeable copy of one mesh: everything a written file holds of it. Snapshots share a
// mesh copy for as long as the mesh stays the same, so a step costs only what it changed.
struct TMeshState {
  struct TFaceState {
    int Material;  // into MaterialNames
    int FaceType, GeometryMode, LightingMode, TextureMode;
    float ExtraLight;
    bool NormalDirty;
    TVector Normal;
    int FirstCorner, Corners;  // into Corners and TX
  };
  std::string Name;
  int GeometryMode, LightingMode, TextureMode;
  float Radius;
  bool RadiusDirty;
  std::vector<TVector> Positions, Normals;
  std::vector<TFaceState> Faces;
  std::vector<int> Corners;  // vertex indexes
  std::vector<TTXVertex> TX;
  std::vector<std::string> MaterialNames;  // the few materials this mesh's faces use
  // The mesh's revision when it last held this; a mesh still at that revision holds it still.
  mutable uint64_t Revision;

  // Meshes with at least this many vertices and faces are trusted to hold their copy while
  // their revision is unchanged; smaller ones are compared, which costs little.
  static inline size_t TrustRevisionFrom = 65536;

  explicit TMeshState(TMesh& mesh);  // the mesh's vertices must be indexed
  // True when the mesh holds what this copy holds (its vertices must be indexed). Face normals
  // and radii are worked out on demand from the rest, so working them out is no change.
  bool Matches(const TMesh& mesh) const;
  // Makes the mesh hold this copy; its materials are looked up (or added) by name.
  void RestoreInto(TMesh& mesh) const;
  size_t Bytes() const;
};

// The model as a file would hold it, nodes with their links and meshes, and the material
// list in its order.
struct TModelState {
  struct TNodeState {
    std::string Name;
    int Flags, NodeType, NumChildren;
    int Parent, Child, Sibling;  // node indexes, -1 for none
    int ParentIndex, ChildIndex, SiblingIndex;
    TVector Position, Rotation, Pivot;
    std::shared_ptr<const TMeshState> Mesh;
  };
  std::vector<TNodeState> Nodes;
  std::vector<std::string> Materials;
  double Radius = 0;
  TVector InsertOffset;
  size_t OwnBytes = 0;  // what this state holds beyond its mesh copies
};

// The three selection lists, in selection order, by position in the model.
struct TSelectionState {
  std::vector<int> Nodes;
  std::vector<std::pair<int, int>> Surfaces, Vertices;  // node, index in its mesh
  bool operator==(const TSelectionState&) const = default;
  size_t Bytes() const;
};

// Which copy each of the model's meshes held when last copied or restored.
using TMeshStateMap = std::unordered_map<const TMesh*, std::shared_ptr<const TMeshState>>;

// Copies the model. A mesh that still holds what `synced` says it held shares that copy;
// `synced` is brought up to date.
std::shared_ptr<const TModelState> TakeModelState(TModel& model, TMeshStateMap& synced);
TSelectionState TakeSelectionState(const TCore& core);
// Makes the model hold the state. A mesh whose copy the state names is kept as it is, the
// others are rebuilt; materials are kept by name and read only when new. `synced` is
// brought up to date.
void RestoreModelState(TModel& model, const TModelState& state, TMeshStateMap& synced);
void RestoreSelectionState(TCore& core, const TSelectionState& selection);
