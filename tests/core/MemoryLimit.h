#pragma once
#include <cstddef>

// Makes memory run out on purpose. While one lives, what the program holds through operator
// new may grow by at most `budget` bytes; the allocation that would pass that fails with
// std::bad_alloc, and so does every later one until the program has given back `slack`
// bytes, as on a machine whose memory is exhausted. Replaces the global operator new and
// delete of the test program for that.
class TMemoryLimit {
 public:
  explicit TMemoryLimit(size_t budget, size_t slack = size_t{64} << 10);
  ~TMemoryLimit();
  TMemoryLimit(const TMemoryLimit&) = delete;
  TMemoryLimit& operator=(const TMemoryLimit&) = delete;
  // Whether an allocation has failed.
  bool Reached() const;
};
