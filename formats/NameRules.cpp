#include "formats/NameRules.h"

namespace {

bool Splits(char c) { return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '#'; }

// The second character of a pair the reader cuts at or deletes.
bool EndsMark(std::string_view name, size_t i) {
  return i > 0 && ((name[i - 1] == '/' && name[i] == '/') || (name[i - 1] == '0' && name[i] == 'x'));
}

}  // namespace

bool NameReadsBack(std::string_view name) {
  if (name.size() > kMostNameChars) return false;
  for (size_t i = 0; i < name.size(); ++i)
    if (Splits(name[i]) || EndsMark(name, i)) return false;
  return true;
}

bool NameWritesBack(std::string_view name) {
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (c == ' ' || c == '\t' || c == ',' || c == '#' || c == '\r' || c == '\n' || c == '\0' || EndsMark(name, i))
      return false;
  }
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  return name.empty() || (!blank(name.front()) && !blank(name.back()));
}

std::string SafeName(std::string_view name) {
  std::string safe(name);
  for (size_t i = 0; i < safe.size(); ++i)
    if (Splits(safe[i]) || EndsMark(safe, i)) safe[i] = '_';
  if (safe.size() <= kMostNameChars) return safe;
  // A material's extension is how its file is found, so the stem gives way.
  const size_t dot = safe.rfind('.');
  const size_t extension = dot != std::string::npos && dot > 0 && safe.size() - dot <= 4 ? safe.size() - dot : 0;
  return safe.substr(0, kMostNameChars - extension) + safe.substr(safe.size() - extension);
}

std::string TNameRepairs::Repair(std::string_view name) {
  if (Keeps(name)) return std::string(name);
  std::string safe = SafeName(name);
  if (Changed.empty()) {
    FirstOld = name;
    FirstNew = safe;
  }
  Changed.emplace(name);
  return safe;
}

std::string TNameRepairs::Report() const {
  if (Changed.empty()) return {};
  std::string line = "'" + PrintableName(FirstOld) + "' became '" + PrintableName(FirstNew) + "'";
  if (Changed.size() > 1) line += " (and " + std::to_string(Changed.size() - 1) + " more)";
  return line + ": a name in a 3DO file has at most " + std::to_string(kMostNameChars) +
         " characters and no blank, comma, \"#\", \"//\" or \"0x\"";
}

std::string PrintableName(std::string_view name) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') text += "\\r";
    else if (c == '\n') text += "\\n";
    else if (c == '\t') text += "\\t";
    else if (byte < ' ' || byte == 0x7f) text += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
    else text += c;
  }
  return text;
}
