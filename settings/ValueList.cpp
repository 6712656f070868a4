#include "settings/ValueList.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

std::string ValueName(const std::string& line) { return line.substr(0, line.find('=')); }

int IndexOfName(const std::vector<std::string>& lines, const std::string& name) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].find('=') != std::string::npos && SameName(ValueName(lines[i]), name)) return static_cast<int>(i);
  return -1;
}

std::string GetValue(const std::vector<std::string>& lines, const std::string& name) {
  const int index = IndexOfName(lines, name);
  if (index < 0) return {};
  const std::string& line = lines[static_cast<size_t>(index)];
  return line.substr(line.find('=') + 1);
}

void SetValue(std::vector<std::string>& lines, const std::string& name, const std::string& value) {
  const int index = IndexOfName(lines, name);
  if (value.empty()) {
    if (index >= 0) lines.erase(lines.begin() + index);
  } else if (index >= 0) {
    lines[static_cast<size_t>(index)] = name + "=" + value;
  } else {
    lines.push_back(name + "=" + value);
  }
}
