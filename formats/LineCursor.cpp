#include "formats/LineCursor.h"

namespace {
constexpr size_t kBlock = 1 << 20;
}

TLineCursor::TLineCursor(std::string_view text) : Text(text.substr(0, text.find('\0'))) {}

TLineCursor::TLineCursor(TTextSource& source) : Source(&source) {}

bool TLineCursor::Refill(size_t& keepFrom) {
  if (!Source) return false;
  Buffer.erase(0, keepFrom);
  Pos -= keepFrom;
  keepFrom = 0;
  const size_t old = Buffer.size();
  Buffer.resize(old + kBlock);
  const size_t got = Source->Read(Buffer.data() + old, kBlock);
  Buffer.resize(old + got);
  if (const auto nul = Buffer.find('\0', old); nul != std::string::npos) {
    Buffer.resize(nul);
    Source = nullptr;
  }
  if (got == 0) Source = nullptr;
  Text = Buffer;
  return got > 0;
}

bool TLineCursor::Next() {
  size_t start = Pos;
  while (start >= Text.size())
    if (!Refill(start)) return false;
  size_t end = start;
  for (;;) {
    while (end < Text.size() && Text[end] != '\n' && Text[end] != '\r') ++end;
    if (end < Text.size()) break;
    const size_t scanned = end - start;
    if (!Refill(start)) break;
    end = start + scanned;
  }
  size_t next = end;
  if (next < Text.size()) {
    if (Text[next] == '\r') {
      // A CR at the end of a block may be the first half of CR LF.
      if (next + 1 == Text.size() && Source) {
        const size_t length = next - start;
        Refill(start);
        next = start + length;
        end = next;
      }
      if (next + 1 < Text.size() && Text[next + 1] == '\n') ++next;
    }
    ++next;
  }
  Line = Text.substr(start, end - start);
  Pos = next;
  ++Index;
  return true;
}

bool TLineCursor::IsLast() {
  if (Pos < Text.size()) return false;
  // Keep the current line in the buffer while looking ahead.
  size_t keep = static_cast<size_t>(Line.data() - Text.data());
  const size_t length = Line.size();
  const bool more = Refill(keep);
  Line = Text.substr(keep, length);
  return !more || Pos >= Text.size();
}
