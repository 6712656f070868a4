#pragma once
#include "model/KeyAnimation.h"
#include "model/NodePose.h"

class TModel;

// The frame `frame` comes to in an animation of `frames` frames: from 0 up to, not
// including, `frames`; playing on past the end starts again at 0.
double WrapFrame(double frame, int frames);

// The node's local position and rotation at `frame` (not wrapped): from its last entry whose
// frame is at most `frame`, or its first when `frame` comes before that, moved on by the
// entry's deltas where its flags say so (bit 0 the position, bit 1 the rotation). A node
// without entries is not posed.
TNodeOverride KeyNodeAt(const TKeyNode& node, double frame);

// The model's pose at `frame`, wrapped: each node of the animation drives the model's node of
// the same index, below the animation's JOINTS; every other node keeps its own values.
TNodePose PoseAt(const TModel& model, const TKeyAnimation& key, double frame);
