#include "formats/LineCursor.h"

#include <algorithm>
#include <cstring>

#include "model/Errors.h"

namespace {
constexpr size_t kBlock = 1 << 20;
// Far beyond a face row of a million corners; a "line" longer than this is no model text,
// and following it would hold the whole file in memory.
constexpr size_t kMaxLine = size_t{64} << 20;
}

TLineCursor::TLineCursor(std::string_view text) : Text(text.substr(0, text.find('\0'))), Index(-1) {}

TLineCursor::TLineCursor(TTextSource& source, int64_t firstIndex) : Source(&source), Index(firstIndex - 1) {}

bool TLineCursor::Refill(size_t& keepFrom) {
  if (!Source) return false;
  const size_t kept = Text.size() - keepFrom;
  // A line longer than the buffer makes it grow; otherwise the buffer stays one block and
  // reads never start with less than half a block of room.
  if (Capacity - kept < kBlock / 2) {
    const size_t capacity = std::max(std::min(2 * Capacity, kMaxLine + kBlock), kept + kBlock);
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (kept) std::memcpy(grown.get(), Text.data() + keepFrom, kept);
    Buffer = std::move(grown);
    Capacity = capacity;
  } else if (kept && keepFrom) {
    std::memmove(Buffer.get(), Text.data() + keepFrom, kept);
  }
  Pos -= keepFrom;
  keepFrom = 0;
  size_t got = Source->Read(Buffer.get() + kept, Capacity - kept);
  if (got == 0) Source = nullptr;
  if (const void* nul = std::memchr(Buffer.get() + kept, '\0', got)) {
    got = static_cast<size_t>(static_cast<const char*>(nul) - (Buffer.get() + kept));
    Source = nullptr;
  }
  Text = std::string_view(Buffer.get(), kept + got);
  return got > 0;
}

bool TLineCursor::Next() {
  size_t start = Pos;
  while (start >= Text.size())
    if (!Refill(start)) return false;
  size_t scanned = 0;  // bytes of the line known to hold no line break
  size_t end;
  for (;;) {
    // The first CR or LF, found by the C library's block scans rather than byte by byte.
    const char* from = Text.data() + start + scanned;
    const char* const stop = Text.data() + Text.size();
    const auto* lf = static_cast<const char*>(std::memchr(from, '\n', static_cast<size_t>(stop - from)));
    if (!lf) lf = stop;
    const auto* cr = static_cast<const char*>(std::memchr(from, '\r', static_cast<size_t>(lf - from)));
    end = static_cast<size_t>((cr ? cr : lf) - Text.data());
    // A CR that ends the block may be the first half of CR LF.
    const bool open = end == Text.size() || (Text[end] == '\r' && end + 1 == Text.size());
    if (end - start > kMaxLine) throw EInOutError("a line of more than 64 MiB: this is not model text");
    if (!open || !Source) break;
    scanned = end - start;
    Refill(start);
  }
  size_t next = end;
  if (next < Text.size()) next += Text[next] == '\r' && next + 1 < Text.size() && Text[next + 1] == '\n' ? 2 : 1;
  Pos = next;
  const size_t length = end - start;
  // Knowing here whether another line follows lets IsLast answer without reading.
  if (Pos >= Text.size()) Refill(start);
  Line = Text.substr(start, length);
  ++Index;
  return true;
}
