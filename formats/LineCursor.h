#pragma once
#include <string_view>

// Walks the lines of a text forward, one at a time, without copying or indexing them all:
// lines end in CR, LF or CR LF, a NUL byte ends the text, and a line break at the very end
// does not start another line.
class TLineCursor {
 public:
  explicit TLineCursor(std::string_view text) : Text(text.substr(0, text.find('\0'))) {}

  // Moves to the next line; false when there is none.
  bool Next() {
    if (Pos >= Text.size() && !(Index < 0 && !Text.empty())) return false;
    const size_t start = Pos;
    size_t end = start;
    while (end < Text.size() && Text[end] != '\n' && Text[end] != '\r') ++end;
    Line = Text.substr(start, end - start);
    if (end < Text.size()) {
      if (Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n') ++end;
      ++end;
    }
    Pos = end;
    ++Index;
    return true;
  }
  bool IsLast() const { return Pos >= Text.size(); }
  int LineIndex() const { return Index; }
  std::string_view Current() const { return Line; }

 private:
  std::string_view Text;
  size_t Pos = 0;
  int Index = -1;
  std::string_view Line;
};
