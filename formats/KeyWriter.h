#pragma once
#include <string>

#include "model/KeyAnimation.h"

// The animation as a KEY text in the game's layout, read back by ReadKey to the same values.
// The header's FLAGS is written in decimal, the one way the game reads it; positions, angles
// and their deltas carry 8 decimals, as the game's own files do.
std::string KeyText(const TKeyAnimation& key);

// Writes KeyText(key) so that the file appears whole or not at all. Raises EInOutError when
// the file cannot be written; an old file of that name is then left as it was.
void SaveKeyFile(const TKeyAnimation& key, const std::string& path);
