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

// Triangles 0 1 2 and 2 1 3 share the edge 1-2, wound the other way in the second; each edge
// keeps the way round it was first listed, and faces wound alike meet it the same way round.
TEST(UniqueEdges, KeepsEachUndirectedEdgeOnce) {
  // A bucket past the size searched in place is sorted: three and more repeats of an edge
  // among forty leave one.
  std::vector<uint32_t> bigBucket = {0, 5, 0, 5, 5, 0}, bigBucketKept;
  for (uint32_t i = 1; i <= 36; ++i) {
    if (i != 5) bigBucket.insert(bigBucket.end(), {0, i});
    bigBucketKept.insert(bigBucketKept.end(), {0, i});
  }
  bigBucket.insert(bigBucket.end(), {3, 0});
  // Two sorted buckets, the first's last end the second's first: each keeps its own edge.
  std::vector<uint32_t> twoBuckets;
  for (uint32_t i = 2; i <= 40; ++i) twoBuckets.insert(twoBuckets.end(), {0, i});
  for (uint32_t i = 40; i <= 79; ++i) twoBuckets.insert(twoBuckets.end(), {1, i});
  const struct { const char* Name; std::vector<uint32_t> Pairs; uint32_t Vertices; std::vector<uint32_t> Expected; } cases[] = {
      {"Empty", {}, 0, {}},
      {"TwoTriangles", {0, 1, 1, 2, 2, 0, 2, 1, 1, 3, 3, 2}, 4, {0, 1, 2, 0, 1, 2, 1, 3, 3, 2}},
      {"SameWay", {0, 1, 0, 1, 1, 0}, 2, {0, 1}},
      {"ABigBucket", bigBucket, 37, bigBucketKept},
      {"TwoBigBuckets", twoBuckets, 80, twoBuckets},
      {"AVertexOnItself", {3, 3, 3, 3}, 4, {3, 3}},
      {"PastTheVertices", {0, 1, 1, 9, 9, 0, 0, 4}, 4, {0, 1}},
      {"AllPastTheVertices", {5, 6, 7, 8}, 4, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(UniqueEdges(c.Pairs, c.Vertices), c.Expected) << c.Name;
}

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
