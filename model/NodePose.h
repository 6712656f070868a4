#pragma once
#include <vector>

#include "model/Vector.h"

// A node's local position and rotation for one pose, in place of the values the node holds.
struct TNodeOverride {
  bool Posed = false;  // false: the node keeps its own values
  TVector Position;
  TVector Rotation;  // X pitch, Y yaw, Z roll, degrees
};

// Overrides by model node index; nodes past the end keep their own values. An empty pose
// is the rest pose.
using TNodePose = std::vector<TNodeOverride>;

class TModel;

// The world pass through the pose: every shown mesh's world positions and offsets, placed by
// the same frames as the rest pose (an empty pose gives the rest pose's world pass). The
// nodes keep their values.
void PlacePosed(TModel& model, const TNodePose& pose);
