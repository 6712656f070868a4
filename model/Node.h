#pragma once
#include <memory>
#include <vector>

#include "model/Mesh.h"
#include "model/NodeData.h"

class TModel;

// Between the property panel's node type list and held values; -1 where there is none.
int NodeTypeToIndex(int nodeType);
int IndexToNodeType(int index);

// The node's own values are its TNodeData; the links to other nodes, its meshes and its
// selection slot stay with the live node.
class TNode : public TNodeData {
 public:
  explicit TNode(TModel* model) : Model(model) {}
  TNode(const TNode&) = delete;
  TNode& operator=(const TNode&) = delete;

  TNodeData& Data() { return *this; }
  const TNodeData& Data() const { return *this; }

  TModel* Model;
  TNode* Parent = nullptr;
  TNode* Child = nullptr;
  TNode* Sibling = nullptr;
  std::unique_ptr<TMesh> Mesh;
  // The node's meshes in the geometry sets not shown, by set number; the shown set's slot is
  // empty (its mesh is Mesh). Empty altogether while the model has one set.
  std::vector<std::unique_ptr<TMesh>> OtherSets;
  int SelectionSlot = -1;

  // Takes the mesh, freeing any mesh held before; returns it.
  TMesh* SetMesh(std::unique_ptr<TMesh> mesh);
  // True when making `parent` this node's parent would close a loop.
  bool WouldCycle(const TNode* parent) const;
};

template <>
struct ListMessage<TNode> {
  static constexpr const char* Text = "Node Index is out of bounds: %d";
};
using TNodes = TRefList<TNode>;
using TOwnedNodes = TOwnedList<TNode>;
