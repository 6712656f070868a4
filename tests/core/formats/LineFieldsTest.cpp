// The fields of 3DO lines: read straight from a plain row, they are the fields cleaning and
// splitting give, and any line that cleaning would change otherwise is left to it.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "formats/LineFields.h"

namespace {

std::vector<std::string> Fields(const TLineFields& f) {
  std::vector<std::string> out;
  for (int i = 0; i < f.Count(); ++i) out.emplace_back(f[i]);
  return out;
}

TEST(PlainRows, ReadStraightFromTheLine) {
  const struct { const char* Raw; int Capacity; std::vector<std::string> Expected; } rows[] = {
      {"   12:\t0.5  -1e-3 2 0", 20, {"12:", "0.5", "-1e-3", "2", "0"}},
      {"3: 0 0X4 4 3 1 0.000000 3 0, 0 1, 1 2, 2", INT_MAX,
       {"3:", "0", "4", "4", "3", "1", "0.000000", "3", "0", "0", "1", "1", "2", "2"}},
      {"7:1.5 2", 20, {"7:", "1.5", "2"}},    // the label glued to its value
      {"7: 1 2 3 4 5", 3, {"7:", "1", "2"}},  // no more than the room
      {" ,\t ", 20, {""}},                     // a blank line is one empty field
  };
  TLineFields plain;
  for (const auto& row : rows) {
    ASSERT_TRUE(plain.SplitPlain(row.Raw, row.Capacity, true)) << row.Raw;
    EXPECT_EQ(Fields(plain), row.Expected);
  }
}

TEST(PlainRows, LinesThatCleaningChangesOtherwiseAreLeftToIt) {
  TLineFields plain;
  for (const char* raw : {"1: 2 # comment", "1: 2 // comment", "1: 0x", "1: 10x5", "1: 0x0x5", "1: NAME.MAT", "1:\x01"})
    EXPECT_FALSE(plain.SplitPlain(raw, 20, true)) << raw;
}

TEST(CleanLines, CommentsEndTheLineAndSeparatorsBecomeOneSpace) {
  const struct { const char* Raw; const char* Clean; } rows[] = {
      {"1:  2//c", "1: 2"}, {"a/b / c", "a/b / c"}, {"\t0x10,\t 5 # x", "10 5"}, {"0X4 B0X", "4 B"}, {"//", ""}, {"7 /", "7 /"}};
  std::string clean;
  for (const auto& row : rows) {
    CleanLine(row.Raw, clean);
    EXPECT_EQ(clean, row.Clean) << row.Raw;
  }
}

// Random lines of the characters that matter: wherever the plain reading answers, it agrees
// with cleaning and splitting, whatever the room and the row label.
TEST(PlainRows, AgreeWithCleaningAndSplittingOnRandomLines) {
  std::mt19937 random(11);
  const std::string_view alphabet = " \t,0xX159-.e:#/a";
  TLineFields plain, split;
  std::string cleaned;
  int answered = 0;
  for (int n = 0; n < 200000; ++n) {
    std::string raw(random() % 20, ' ');
    for (char& c : raw) c = alphabet[random() % alphabet.size()];
    for (const int capacity : {1, 3, INT_MAX})
      for (const bool label : {false, true}) {
        if (!plain.SplitPlain(raw, capacity, label)) continue;
        ++answered;
        CleanLine(raw, cleaned);
        split.Split(cleaned, capacity, label);
        ASSERT_EQ(Fields(plain), Fields(split)) << '[' << raw << "] " << capacity << ' ' << label;
      }
  }
  EXPECT_GT(answered, 100000);
}

}  // namespace
