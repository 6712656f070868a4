#include "model/Node.h"

namespace {
constexpr int kNodeTypes[] = {ntLowerBody, ntUpperBody, ntLeftLeg, ntLeftArm, ntRightLeg, ntRightArm, ntHead};
}

int NodeTypeToIndex(int nodeType) {
  for (int i = 0; i < 7; ++i)
    if (kNodeTypes[i] == nodeType) return i;
  return -1;
}

int IndexToNodeType(int index) { return index >= 0 && index < 7 ? kNodeTypes[index] : -1; }

TMesh* TNode::SetMesh(std::unique_ptr<TMesh> mesh) {
  Mesh = std::move(mesh);
  if (Mesh) Mesh->Node = this;
  return Mesh.get();
}

bool TNode::WouldCycle(const TNode* parent) const {
  // Walking up from an acyclic forest always ends; the step bound guards a forest that
  // is already damaged.
  int steps = 0;
  for (const TNode* a = parent; a; a = a->Parent) {
    if (a == this || ++steps > 10'000'000) return true;
  }
  return false;
}
