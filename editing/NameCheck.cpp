#include "editing/NameCheck.h"

#include "formats/NameRules.h"

std::string CheckName(std::string_view name, std::string_view kind, bool mayBeEmpty) {
  if (NameReadsBack(name) && (mayBeEmpty || !name.empty())) return {};
  const std::string k(kind);
  return "'" + PrintableName(name) + "' cannot be a " + k + " name: a " + k + " name has " +
         (mayBeEmpty ? "at most " : "1 to ") + std::to_string(kMostNameChars) +
         " characters, with no space, tab, line break or comma and no \"#\", \"//\" or \"0x\" in it.";
}

std::string CheckMaterialName(std::string_view name) { return CheckName(name, "material", false); }
