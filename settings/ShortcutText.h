#pragma once
#include <string>
#include <string_view>
#include <vector>

// A keyboard shortcut as the settings file and the options dialog write it: "Shift+",
// "Ctrl+", "Alt+" in that order, then the key's name ("Ctrl+N", "Ctrl+Alt+A", "F5",
// "Shift+Del", "Ctrl+BkSp", "Ctrl+Up"). An empty Key means no shortcut.
struct TShortCut {
  bool Shift = false, Ctrl = false, Alt = false;
  std::string Key;  // a letter, a digit, "F1" to "F24" or one of the named keys
  bool operator==(const TShortCut&) const = default;
};

// Empty text for no shortcut.
std::string ShortCutToText(const TShortCut& shortcut);
// Modifiers in any order, names in any case; text that is no shortcut reads as none.
TShortCut TextToShortCut(std::string_view text);
// The named keys of the notation ("BkSp", "Tab", "Esc", ..., "Ins", "Del").
const std::vector<std::string>& NamedKeys();
