#pragma once
#include <string>

#include "model/KeyAnimation.h"

// The header, markers and nodes of an animation as lines of text, as `zarn-cli info` prints
// them and the container dialog shows them.
std::string KeySummary(const TKeyAnimation& key);
