#pragma once
#include <cstddef>

// While it lives, the next `bytes` of small allocations come from heap memory that the
// kernel may back with 2 MiB pages. Importing a mesh of a million faces allocates a few
// hundred MiB in small objects, and faulting that in 4 KiB pages costs most of the import
// on a virtual machine; large pages cut the fault count five-hundredfold. Does nothing
// where the C library or the kernel offer no such thing.
class TBulkHeap {
 public:
  explicit TBulkHeap(size_t bytes);
  ~TBulkHeap();
  TBulkHeap(const TBulkHeap&) = delete;
  TBulkHeap& operator=(const TBulkHeap&) = delete;

 private:
  bool Prepared = false;
};
