#pragma once
#include <string>
#include <vector>

// One line of the views' mouse and key help: what the user does and what it does.
struct TViewBinding {
  std::string Input, Effect;
};

// Every mouse gesture and key of the views, as their handlers read them; `frameKey` is the
// key of Frame Selection as the user set it (empty: none).
std::vector<TViewBinding> ViewBindings(const std::string& frameKey);
