#pragma once
#include <string>

class TCore;

// What `zarn-cli info --json` prints for the core's model: one JSON object with the counts,
// the radius, the materials, the levels of detail and the nodes.
std::string InfoJson(TCore& core);
