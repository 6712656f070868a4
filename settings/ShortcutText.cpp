#include "settings/ShortcutText.h"

#include <cctype>

#include "model/Text.h"

namespace {

bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() <= prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// The key's name as the notation spells it, or empty text when it names no key.
std::string KeyName(std::string_view text) {
  if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0])))
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
  for (const std::string& name : NamedKeys())
    if (SameText(text, name)) return name;
  if (text.size() >= 2 && text.size() <= 3 && (text[0] == 'F' || text[0] == 'f')) {
    int number = 0;
    for (const char c : text.substr(1)) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return {};
      number = number * 10 + (c - '0');
    }
    if (number >= 1 && number <= 24 && text[1] != '0') return "F" + std::to_string(number);
  }
  return {};
}

}  // namespace

const std::vector<std::string>& NamedKeys() {
  static const std::vector<std::string> names = {"BkSp", "Tab",  "Esc",  "Enter", "Space", "PgUp", "PgDn",
                                                 "End",  "Home", "Left", "Up",    "Right", "Down", "Ins",
                                                 "Del"};
  return names;
}

std::string ShortCutToText(const TShortCut& shortcut) {
  if (shortcut.Key.empty()) return {};
  return std::string(shortcut.Shift ? "Shift+" : "") + (shortcut.Ctrl ? "Ctrl+" : "") + (shortcut.Alt ? "Alt+" : "") +
         shortcut.Key;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut shortcut;
  for (bool more = true; more;) {
    more = false;
    if (TakePrefix(text, "Shift+")) more = shortcut.Shift = true;
    if (TakePrefix(text, "Ctrl+")) more = shortcut.Ctrl = true;
    if (TakePrefix(text, "Alt+")) more = shortcut.Alt = true;
  }
  shortcut.Key = KeyName(text);
  return shortcut.Key.empty() ? TShortCut{} : shortcut;
}

