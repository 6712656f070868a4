#pragma once
#include <vector>

#include "model/Hierarchy.h"
#include "model/NodePose.h"
#include "model/Vector.h"

class TMesh;

// The node transforms of one world pass, worked out once per node from the top of the tree
// down, so that placing every mesh costs time linear in the nodes and vertices however deep
// the hierarchy. A vertex goes through its own node and then through its ancestors one by
// one, exactly as the world position is defined, for up to kStepwiseAncestors ancestors
// (deeper than any real model); whatever lies above those is applied as one composed
// transform, which differs from the one-by-one result only in rounding. Parents are taken
// as the node tree shows them: a parent loop is opened where the tree opens it, and a parent
// outside the model counts as none. A pose gives nodes other local positions and rotations,
// placed by the same steps, so that a posed model is drawn exactly as its rest pose would be.
class TWorldFrames {
 public:
  static constexpr int kStepwiseAncestors = 16;

  explicit TWorldFrames(const TModel& model, const TNodePose* pose = nullptr);
  // The world pass of one mesh: world positions of its vertices and its WorldOffset.
  void Place(TMesh& mesh) const;
  // The node's position carried through its ancestors (not through its own rotation).
  TVector NodePosition(const TNode& node) const;

 private:
  struct TFrame {
    TVector Position;  // the node's own, or the pose's
    TMatrix Rotation;  // the node's own
    TMatrix Composed;  // the node's rotation followed by every ancestor's
    TVector Moved;     // where the composed transform takes the origin
    TVector Offset;    // the sum of the positions of the node and its ancestors
  };
  // The first ancestor left for the composed transform after the stepwise ones, or -1;
  // `step` is called with each stepwise ancestor in order, from the parent up.
  template <class F>
  int ClimbStepwise(int node, F step) const;

  TNodeIndex Index;
  TTreeForest Forest;
  std::vector<TFrame> Frames;
};
