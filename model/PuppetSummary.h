#pragma once
#include <string>

#include "model/Puppet.h"

// The modes, moves and joints of a puppet as lines of text, as `zarn-cli info`
// prints them and the container dialog shows them.
std::string PuppetSummary(const TPuppet& puppet);
