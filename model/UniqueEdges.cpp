#include "model/UniqueEdges.h"

#include <algorithm>
#include <utility>

namespace {
// Buckets up to this size are searched in place; bigger ones (a vertex at the centre of a
// fan of thousands) are sorted, so that no shape makes the work quadratic.
constexpr std::ptrdiff_t kSearchedBucket = 32;
}  // namespace

TUniqueEdges::TUniqueEdges(uint32_t vertices, const TEdgeList& list)
    : Start(size_t{std::min(vertices, kReversed - 1)} + 1, 0) {
  // The top bit of a bucket entry tells the edge's way round.
  const uint32_t vertexCount = std::min(vertices, kReversed - 1);
  list([&](uint32_t a, uint32_t b) {
    if (const auto [low, high] = std::minmax(a, b); high < vertexCount) ++Start[low + 1];
  });
  for (uint32_t v = 0; v < vertexCount; ++v) Start[v + 1] += Start[v];
  Higher.resize(Start[vertexCount]);
  {
    std::vector<uint32_t> fill(Start.begin(), Start.end() - 1);
    list([&](uint32_t a, uint32_t b) {
      if (const auto [low, high] = std::minmax(a, b); high < vertexCount) Higher[fill[low]++] = high | (a > b ? kReversed : 0);
    });
  }
  const auto end = [](uint32_t h) { return h & ~kReversed; };
  for (uint32_t low = 0; low < vertexCount; ++low) {
    const auto first = Higher.begin() + Start[low], last = Higher.begin() + Start[low + 1];
    if (last - first > kSearchedBucket) {
      // Stable, so that the edge's first way round is the one kept.
      std::stable_sort(first, last, [&](uint32_t x, uint32_t y) { return end(x) < end(y); });
      uint32_t kept = end(*first);
      for (auto it = first + 1; it < last; ++it) {
        if (end(*it) == kept)
          *it = kRepeat;
        else
          kept = end(*it);
      }
    } else {
      for (auto it = first; it != last; ++it)
        if (std::find_if(first, it, [&](uint32_t h) { return h != kRepeat && end(h) == end(*it); }) != it) *it = kRepeat;
    }
  }
  Kept = static_cast<size_t>(std::count_if(Higher.begin(), Higher.end(), [](uint32_t h) { return h != kRepeat; }));
}

void TUniqueEdges::Write(uint32_t* out) const {
  for (size_t low = 0; low + 1 < Start.size(); ++low)
    for (uint32_t i = Start[low]; i < Start[low + 1]; ++i)
      if (const uint32_t h = Higher[i]; h != kRepeat) {
        const auto other = h & ~kReversed;
        *out++ = h & kReversed ? other : static_cast<uint32_t>(low);
        *out++ = h & kReversed ? static_cast<uint32_t>(low) : other;
      }
}
