#pragma once
#include <string>
#include <string_view>

// Why a text cannot be the name of a `kind` ("node", "mesh", "material"), or an empty text
// when it can: the name must read back from a saved file as it was typed (NameReadsBack).
std::string CheckName(std::string_view name, std::string_view kind, bool mayBeEmpty);

// A material's name is also the file the game loads, so it cannot be empty.
std::string CheckMaterialName(std::string_view name);
