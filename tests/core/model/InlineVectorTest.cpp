#include <gtest/gtest.h>

#include <vector>

#include "model/InlineVector.h"

namespace {

using TSmall = TInlineVector<int, 4>;

std::vector<int> Items(const TSmall& list) { return {list.begin(), list.end()}; }

TSmall Filled(int count) {
  TSmall list;
  for (int i = 0; i < count; ++i) list.push_back(10 * (i + 1));
  return list;
}

// Inserting at each end and in the middle, below, at and above the inline room; erasing
// gives the list back.
TEST(InlineVectorTest, InsertsInPlaceAcrossTheInlineRoom) {
  const struct { int Count, At; std::vector<int> Expected; } cases[] = {
      {0, 0, {7}},          {3, 0, {7, 10, 20, 30}},         {3, 3, {10, 20, 30, 7}},
      {4, 2, {10, 20, 7, 30, 40}}, {4, 4, {10, 20, 30, 40, 7}}, {9, 0, {7, 10, 20, 30, 40, 50, 60, 70, 80, 90}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Count) + " at " + std::to_string(c.At));
    TSmall list = Filled(c.Count);
    list.insert(list.begin() + c.At, 7);
    EXPECT_EQ(Items(list), c.Expected);
    list.erase(list.begin() + c.At);
    EXPECT_EQ(Items(list), Items(Filled(c.Count)));
  }
}

TEST(InlineVectorTest, AddingAnItemOfItsOwnWhileGrowingCopiesTheValueFirst) {
  TSmall list = Filled(4);
  list.push_back(list[1]);
  list.insert(list.begin(), list[4]);
  EXPECT_EQ(Items(list), (std::vector<int>{20, 10, 20, 30, 40, 20}));
}

// Copies and moves of a list kept inline and of one grown onto the heap leave each side whole.
TEST(InlineVectorTest, CopiesAndMovesKeepBothSidesWhole) {
  for (const int count : {0, 3, 4, 5, 12}) {
    SCOPED_TRACE(count);
    const TSmall source = Filled(count);
    TSmall copy(source);
    EXPECT_EQ(Items(copy), Items(source));
    TSmall assigned = Filled(7);
    assigned = source;
    EXPECT_EQ(Items(assigned), Items(source));
    TSmall moved(std::move(copy));
    EXPECT_EQ(Items(moved), Items(source));
    EXPECT_TRUE(copy.empty());
    copy.push_back(1);  // a list moved from is usable
    EXPECT_EQ(Items(copy), std::vector<int>{1});
    TSmall target = Filled(2);
    target = std::move(moved);
    EXPECT_EQ(Items(target), Items(source));
  }
}

TEST(InlineVectorTest, ReserveKeepsTheItemsAndClearKeepsTheRoom) {
  TSmall list = Filled(3);
  list.reserve(100);
  EXPECT_EQ(list.capacity(), 100u);
  EXPECT_EQ(Items(list), (std::vector<int>{10, 20, 30}));
  list.clear();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.capacity(), 100u);
}

}  // namespace
