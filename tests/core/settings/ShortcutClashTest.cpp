// No two commands of the window share a key: the table as shipped, and keys from a settings
// file of an earlier version where two did.

#include <gtest/gtest.h>

#include <map>

#include "editing/ActionTable.h"
#include "settings/ShortcutClash.h"

namespace {

TEST(ShortcutClash, NoTwoActionsOfTheTableShareAKey) {
  std::map<std::string, std::string> holder;
  for (const TActionRow& row : MainActionRows()) {
    if (!*row.Shortcut) continue;
    const auto [at, fresh] = holder.emplace(row.Shortcut, row.Name);
    EXPECT_TRUE(fresh) << row.Shortcut << " is both " << at->second << " and " << row.Name;
  }
}

TEST(ShortcutClash, TheHolderIsAnotherActionWithTheKey) {
  const std::vector<std::string> keys = {"Ctrl+X", "", "Ctrl+E", "Ctrl+X"};
  const struct { std::string Key; int Self, Holder; } rows[] = {
      {"Ctrl+X", 1, 0}, {"Ctrl+X", 0, 3}, {"Ctrl+E", 2, -1}, {"Ctrl+E", 0, 2}, {"", 0, -1}, {"F5", 0, -1},
  };
  for (const auto& row : rows) EXPECT_EQ(ShortcutHolder(keys, row.Key, row.Self), row.Holder) << row.Key << row.Self;
}

TEST(ShortcutClash, ALaterSharerTakesItsDefaultBackOrNone) {
  using TKeys = std::vector<std::string>;
  const struct { TKeys Read, Defaults, Settled; std::vector<int> Changed; } rows[] = {
      // A file written when Extrude was Ctrl+X: Extrude takes Ctrl+E, its default now.
      {{"Ctrl+X", "Ctrl+X"}, {"Ctrl+X", "Ctrl+E"}, {"Ctrl+X", "Ctrl+E"}, {1}},
      // The default is held too: none.
      {{"Ctrl+A", "Ctrl+X", "Ctrl+X"}, {"Ctrl+A", "Ctrl+X", "Ctrl+A"}, {"Ctrl+A", "Ctrl+X", ""}, {2}},
      // Three on one key: the first keeps it.
      {{"F2", "F2", "F2"}, {"F1", "F2", "F3"}, {"F2", "", "F3"}, {1, 2}},
      {{"F2", "", ""}, {"F1", "F2", "F3"}, {"F2", "", ""}, {}},
      {{}, {}, {}, {}},
  };
  for (const auto& row : rows) {
    TKeys keys = row.Read;
    EXPECT_EQ(SettleShortcutClashes(keys, row.Defaults), row.Changed);
    EXPECT_EQ(keys, row.Settled);
  }
}

}  // namespace
