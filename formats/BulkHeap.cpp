#include "formats/BulkHeap.h"

#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace {
constexpr size_t kLargePage = size_t{2} << 20;
constexpr size_t kWorthIt = size_t{16} << 20;  // below this the faults cost little
// The C library's own defaults, restored afterwards.
constexpr int kDefaultTrimThreshold = 128 * 1024;
constexpr int kDefaultMmapMax = 65536;
}  // namespace

TBulkHeap::TBulkHeap(size_t bytes) {
#if defined(__GLIBC__) && defined(__linux__) && defined(MADV_HUGEPAGE)
  if (bytes < kWorthIt) return;
  // Grow the heap by the whole amount in one block taken from the heap itself (not a
  // separate mapping), mark it for large pages and hand it back untouched: it joins the top
  // of the heap, from which the small allocations that follow are carved.
  mallopt(M_TRIM_THRESHOLD, INT32_MAX);  // keep the block when it is handed back
  mallopt(M_MMAP_MAX, 0);
  void* block = std::malloc(bytes);
  mallopt(M_MMAP_MAX, kDefaultMmapMax);
  Prepared = true;
  if (!block) return;
  const auto start = (reinterpret_cast<uintptr_t>(block) + kLargePage - 1) & ~(kLargePage - 1);
  const auto end = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(kLargePage - 1);
  if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
  std::free(block);
#else
  (void)bytes;
#endif
}

TBulkHeap::~TBulkHeap() {
#if defined(__GLIBC__) && defined(__linux__)
  if (Prepared) mallopt(M_TRIM_THRESHOLD, kDefaultTrimThreshold);
#endif
}
