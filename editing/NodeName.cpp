#include "editing/NodeName.h"

#include <algorithm>

std::string CheckNodeName(std::string_view name) {
  const bool blankOrComma = std::any_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == ',';
  });
  const bool shortened = name.find('#') != std::string_view::npos || name.find("//") != std::string_view::npos ||
                         name.find("0x") != std::string_view::npos;
  if (!name.empty() && name.size() <= 31 && !blankOrComma && !shortened) return {};
  return "'" + std::string(name) +
         "' cannot be a node name: a node name has 1 to 31 characters, with no space, tab or comma and no "
         "\"#\", \"//\" or \"0x\" in it.";
}
