#pragma once
#include <string>
#include <vector>

// The shortcuts of the main window's actions, in their stored order, as key texts (empty for
// none). Every action of the window can run at any time its key reaches it, so no two may
// share a key: the window would run only one of them, whichever the mode.

// The action other than `self` that holds `key`; -1 when none does or the key is empty.
int ShortcutHolder(const std::vector<std::string>& keys, const std::string& key, int self);

// Settles keys read from a settings file written before the clash was refused: an action
// whose key an earlier one holds takes back its default when no action holds that, or none.
// Returns the actions that lost their key.
std::vector<int> SettleShortcutClashes(std::vector<std::string>& keys, const std::vector<std::string>& defaults);
