#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Hands every edge, as its two vertex indices, to the function given; the same edges in the
// same order each time it is called.
using TEdgeList = std::function<void(const std::function<void(uint32_t, uint32_t)>&)>;

// A mesh's edges with each undirected edge kept once, the way round it was first listed,
// ordered by their lower index. Neighbouring faces share their edges, so a closed mesh has
// half as many edges as its faces have sides, and drawing them once halves a wireframe's
// lines; a line's last pixel depends on its direction, so an edge of one face only keeps its
// look. Edges naming an index of `vertexCount` or more are left out. The edges are listed
// twice rather than copied, and time grows as their number does (n log n at worst), whatever
// the mesh's shape.
class TUniqueEdges {
 public:
  TUniqueEdges(uint32_t vertexCount, const TEdgeList& list);
  size_t Count() const { return Kept; }
  // Writes 2 * Count() indices.
  void Write(uint32_t* out) const;

 private:
  static constexpr uint32_t kRepeat = UINT32_MAX;
  static constexpr uint32_t kReversed = 0x80000000u;  // listed from the higher end
  // Each edge in the bucket of its lower end, holding its higher end, with kReversed (kRepeat
  // for an edge seen before); bucket v runs from Start[v] to Start[v + 1].
  std::vector<uint32_t> Start, Higher;
  size_t Kept = 0;
};
