#pragma once
#include <string>
#include <string_view>

// Why a text cannot be a node's name, or an empty text when it can. A name must read back
// from a saved file as it was written: the hierarchy row ends with the name as one field, so
// a blank or a comma would cut it and a comment mark or "0x" would shorten it; the game holds
// at most 31 characters.
std::string CheckNodeName(std::string_view name);
