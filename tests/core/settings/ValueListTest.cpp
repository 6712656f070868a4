#include <gtest/gtest.h>

#include "settings/ValueList.h"

namespace {

// Names and values split at the first equals sign; setting replaces, appends or removes.
TEST(ValueList, NamesAndValuesSplitAtTheFirstEqualsAndSettingReplacesAppendsOrRemoves) {
  std::vector<std::string> lines = {"Size=0.02", "Insert_Offset=1 2=3", "Empty=", "NoValue"};
  EXPECT_EQ(ValueName(lines[0]), "Size");
  EXPECT_EQ(ValueName(lines[3]), "NoValue");
  EXPECT_EQ(GetValue(lines, "Size"), "0.02");
  EXPECT_EQ(GetValue(lines, "size"), "0.02");
  EXPECT_EQ(GetValue(lines, "Insert_Offset"), "1 2=3");
  EXPECT_EQ(GetValue(lines, "Empty"), "");
  EXPECT_EQ(IndexOfName(lines, "Empty"), 2);
  EXPECT_EQ(IndexOfName(lines, "NoValue"), -1);  // a line without "=" names nothing
  EXPECT_EQ(GetValue(lines, "Missing"), "");
  lines = {"X=0", "Y=0", "Z=0"};
  SetValue(lines, "Y", "1.5");
  SetValue(lines, "W", "7");
  EXPECT_EQ(lines, (std::vector<std::string>{"X=0", "Y=1.5", "Z=0", "W=7"}));
  SetValue(lines, "X", "");  // an emptied field: the reader sees nothing
  SetValue(lines, "Missing", "");
  EXPECT_EQ(lines, (std::vector<std::string>{"Y=1.5", "Z=0", "W=7"}));
}

}  // namespace
