#include "settings/ShortcutClash.h"

int ShortcutHolder(const std::vector<std::string>& keys, const std::string& key, int self) {
  if (key.empty()) return -1;
  for (size_t i = 0; i < keys.size(); ++i)
    if (static_cast<int>(i) != self && keys[i] == key) return static_cast<int>(i);
  return -1;
}

std::vector<int> SettleShortcutClashes(std::vector<std::string>& keys, const std::vector<std::string>& defaults) {
  std::vector<int> changed;
  for (size_t i = 0; i < keys.size(); ++i) {
    const int self = static_cast<int>(i);
    const int holder = ShortcutHolder(keys, keys[i], self);
    if (holder < 0 || holder > self) continue;
    const std::string& fallback = i < defaults.size() ? defaults[i] : std::string();
    keys[i] = ShortcutHolder(keys, fallback, self) < 0 ? fallback : std::string();
    changed.push_back(self);
  }
  return changed;
}
