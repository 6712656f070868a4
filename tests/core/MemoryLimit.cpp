#include "MemoryLimit.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Each block carries its size in front, so that delete knows what it gives back.
constexpr size_t kHeader = alignof(std::max_align_t);
constexpr size_t kNoLimit = SIZE_MAX;

std::atomic<size_t> InUse{0};
size_t Limit = kNoLimit, Slack = 0, RecoverAt = 0;
bool Exhausted = false, Failed = false;

void* Allocate(size_t size, bool nothrow) {
  if (Limit != kNoLimit && (Exhausted || InUse + size > Limit)) {
    if (!Exhausted) RecoverAt = InUse > Slack ? InUse - Slack : 0;
    Exhausted = Failed = true;
  } else if (void* block = std::malloc(size + kHeader)) {
    *static_cast<size_t*>(block) = size;
    InUse += size;
    return static_cast<char*>(block) + kHeader;
  }
  if (nothrow) return nullptr;
  throw std::bad_alloc();
}

void Release(void* pointer) noexcept {
  if (!pointer) return;
  void* block = static_cast<char*>(pointer) - kHeader;
  InUse -= *static_cast<size_t*>(block);
  if (Exhausted && InUse <= RecoverAt) Exhausted = false;
  std::free(block);
}

}  // namespace

TMemoryLimit::TMemoryLimit(size_t budget, size_t slack) {
  Slack = slack;
  Exhausted = Failed = false;
  Limit = InUse + budget;
}

TMemoryLimit::~TMemoryLimit() {
  Limit = kNoLimit;
  Exhausted = false;
}

bool TMemoryLimit::Reached() const { return Failed; }

void* operator new(size_t size) { return Allocate(size, false); }
void* operator new[](size_t size) { return Allocate(size, false); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size, true); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size, true); }
void operator delete(void* pointer) noexcept { Release(pointer); }
void operator delete[](void* pointer) noexcept { Release(pointer); }
void operator delete(void* pointer, size_t) noexcept { Release(pointer); }
void operator delete[](void* pointer, size_t) noexcept { Release(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { Release(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { Release(pointer); }
