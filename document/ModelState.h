#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/MeshState.h"
#include "model/NodeData.h"
#include "model/Vector.h"

class TMesh;
class TModel;

// The model as a file would hold it, nodes with their links and meshes, and the material
// list in its order.
struct TModelState {
  struct TNodeState {
    TNodeData Data;
    int Parent, Child, Sibling;  // the live node's links, as node indexes, -1 for none
    // The mesh of geometry set 0, and of the sets after it (empty while there is one set).
    std::shared_ptr<const TMeshState> Mesh;
    std::vector<std::shared_ptr<const TMeshState>> OtherSets;
    const std::shared_ptr<const TMeshState>& Set(size_t set) const { return set == 0 ? Mesh : OtherSets[set - 1]; }
    // Equal nodes hold the very same mesh copies.
    bool operator==(const TNodeState&) const = default;
  };
  std::vector<TNodeState> Nodes;
  std::vector<std::string> Materials;
  std::vector<bool> ByDefault;  // per material: held only for new faces, not written unused
  int Geosets = 1;
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

// Copies the model. Each mesh's copy shares what is unchanged with the copy `synced` names
// for it; `synced` is brought up to date and `created` grows by what was not shared.
std::shared_ptr<const TModelState> TakeModelState(TModel& model, TMeshStateMap& synced, size_t& created);
// Makes the model hold the state, which `current` (what the model holds now, or null) may
// share parts with. A mesh whose copy the state names is kept as it is; the mesh of the node
// at the same place and in the same geometry set is brought to its copy, changing only what
// differs when it can; materials are kept by name and read only when new. The shown set stays
// shown while the state has it. `synced` is brought up to date.
void RestoreModelState(TModel& model, const TModelState& state, const TModelState* current, TMeshStateMap& synced);
