#pragma once
#include <string>
#include <vector>

#include "model/KeyAnimation.h"

class TModel;

// Where an animation does not fit the model, one line each, in the order of the animation's
// nodes and then the model's: a node whose label differs from the model node it drives
// (usually a sign that the model's node order changed), nodes at or beyond JOINTS, nodes the
// model does not have, and model nodes the animation leaves at rest. Names compare without
// regard to case, as the game's do.
std::vector<std::string> CheckKeyAgainstModel(const TModel& model, const TKeyAnimation& key);
