#pragma once
#include <memory>
#include <string>
#include <vector>

#include "model/Mesh.h"

class TModel;

// Node types as held (the digits after "0x" read as decimal).
enum : int {
  ntLowerBody = 10,
  ntUpperBody = 1,
  ntLeftLeg = 20,
  ntLeftArm = 2,
  ntRightLeg = 40,
  ntRightArm = 4,
  ntHead = 8
};
// Between the property panel's node type list and held values; -1 where there is none.
int NodeTypeToIndex(int nodeType);
int IndexToNodeType(int index);

class TNode {
 public:
  explicit TNode(TModel* model) : Model(model) {}
  TNode(const TNode&) = delete;
  TNode& operator=(const TNode&) = delete;

  TModel* Model;
  std::string Name = "dHNode";
  int Flags = 0;
  int NodeType = ntUpperBody;
  int ParentIndex = -1;
  TNode* Parent = nullptr;
  int ChildIndex = -1;
  TNode* Child = nullptr;
  int SiblingIndex = -1;
  TNode* Sibling = nullptr;
  int NumChildren = 0;
  TVector Position;
  TVector Rotation;  // X pitch, Y yaw, Z roll, degrees
  TVector Pivot;
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
