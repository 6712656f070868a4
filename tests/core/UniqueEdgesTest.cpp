// Shared edges drawn once: which pairs stay, in what order, and that odd input (repeated or
// reversed edges, a vertex shared by a huge fan, indices past the vertices) neither doubles
// lines nor reads out of bounds.
#include <gtest/gtest.h>

#include "model/UniqueEdges.h"

namespace {

std::vector<uint32_t> UniqueEdges(const std::vector<uint32_t>& pairs, uint32_t vertices) {
  const TUniqueEdges unique(vertices, [&](const std::function<void(uint32_t, uint32_t)>& edge) {
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) edge(pairs[i], pairs[i + 1]);
  });
  std::vector<uint32_t> out(2 * unique.Count());
  unique.Write(out.data());
  return out;
}

struct TEdgeCase {
  const char* Name;
  std::vector<uint32_t> Pairs;
  uint32_t Vertices;
  std::vector<uint32_t> Expected;
};

class UniqueEdgesTable : public testing::TestWithParam<TEdgeCase> {};

TEST_P(UniqueEdgesTable, KeepsEachUndirectedEdgeOnce) {
  const TEdgeCase& c = GetParam();
  EXPECT_EQ(UniqueEdges(c.Pairs, c.Vertices), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UniqueEdgesTable,
    testing::Values(
        TEdgeCase{"Empty", {}, 0, {}},
        // Triangles 0 1 2 and 2 1 3 share the edge 1-2, wound the other way in the second;
        // each edge keeps the way round it was first listed.
        TEdgeCase{"TwoTriangles", {0, 1, 1, 2, 2, 0, 2, 1, 1, 3, 3, 2}, 4, {0, 1, 2, 0, 1, 2, 1, 3, 3, 2}},
        // Faces wound alike meet their shared edge the same way round.
        TEdgeCase{"SameWay", {0, 1, 0, 1, 1, 0}, 2, {0, 1}},
        // A bucket past the size searched in place is sorted: three and more repeats of an
        // edge among forty leave one.
        TEdgeCase{"ABigBucket",
                  {0, 5, 0, 5, 5, 0, 0, 1, 0, 2, 0, 3, 0, 4, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0, 11, 0, 12, 0, 13, 0, 14,
                   0, 15, 0, 16, 0, 17, 0, 18, 0, 19, 0, 20, 0, 21, 0, 22, 0, 23, 0, 24, 0, 25, 0, 26, 0, 27, 0, 28,
                   0, 29, 0, 30, 0, 31, 0, 32, 0, 33, 0, 34, 0, 35, 0, 36, 3, 0},
                  37,
                  {0, 1,  0, 2,  0, 3,  0, 4,  0, 5,  0, 6,  0, 7,  0, 8,  0, 9,  0, 10, 0, 11, 0, 12,
                   0, 13, 0, 14, 0, 15, 0, 16, 0, 17, 0, 18, 0, 19, 0, 20, 0, 21, 0, 22, 0, 23, 0, 24,
                   0, 25, 0, 26, 0, 27, 0, 28, 0, 29, 0, 30, 0, 31, 0, 32, 0, 33, 0, 34, 0, 35, 0, 36}},
        TEdgeCase{"AVertexOnItself", {3, 3, 3, 3}, 4, {3, 3}},
        TEdgeCase{"PastTheVertices", {0, 1, 1, 9, 9, 0, 0, 4}, 4, {0, 1}},
        TEdgeCase{"AllPastTheVertices", {5, 6, 7, 8}, 4, {}}),
    [](const testing::TestParamInfo<TEdgeCase>& info) { return info.param.Name; });

// A vertex at the centre of a fan of 200,000 triangles: its bucket is sorted, not searched,
// and every spoke and rim edge stays once.
TEST(UniqueEdges, AHugeFanKeepsEverySpokeOnce) {
  constexpr uint32_t rim = 200000;
  std::vector<uint32_t> pairs;
  for (uint32_t i = 1; i <= rim; ++i) {
    const uint32_t next = i == rim ? 1 : i + 1;
    pairs.insert(pairs.end(), {0, i, i, next, next, 0});
  }
  const std::vector<uint32_t> edges = UniqueEdges(pairs, rim + 1);
  ASSERT_EQ(edges.size(), 2u * 2 * rim);
  // Spokes by their rim vertex, each the way its first triangle lists it: 0-1 in the first,
  // 2-0 closing the first, and so on to 200000-0.
  EXPECT_EQ((std::vector<uint32_t>{edges[0], edges[1], edges[2], edges[3]}), (std::vector<uint32_t>{0, 1, 2, 0}));
  EXPECT_EQ(edges[2 * rim - 2], rim);
  EXPECT_EQ(edges[2 * rim - 1], 0u);
  // The rim: 1-2, then 200000-1 from the last triangle, then 2-3 and so on.
  EXPECT_EQ((std::vector<uint32_t>{edges[2 * rim], edges[2 * rim + 1], edges[2 * rim + 2], edges[2 * rim + 3]}),
            (std::vector<uint32_t>{1, 2, rim, 1}));
}

}  // namespace
