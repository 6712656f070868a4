#pragma once
#include "model/NodePose.h"

class TCore;

// Makes `pose` the one the views show (empty: the rest pose): the world positions and the
// normals follow it, and the views are told to draw anew. The model's nodes keep their values,
// so commands, undo and saving work on the rest pose as before.
void ShowPose(TCore& core, TNodePose pose);
