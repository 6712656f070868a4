#pragma once
#include <string>
#include <string_view>

// Where a line cursor gets more text when it reaches the end of what it holds.
class TTextSource {
 public:
  virtual ~TTextSource() = default;
  // Up to `size` bytes into `buffer`; 0 at the end. Raises EInOutError on a read error.
  virtual size_t Read(char* buffer, size_t size) = 0;
};

// Walks the lines of a text forward, one at a time: lines end in CR, LF or CR LF, a NUL byte
// ends the text, and a line break at the very end does not start another line. Text from a
// source is read in blocks and never held whole, so a large file costs one block of memory.
class TLineCursor {
 public:
  explicit TLineCursor(std::string_view text);
  explicit TLineCursor(TTextSource& source);

  // Moves to the next line; false when there is none.
  bool Next();
  // True when the current line is the last one.
  bool IsLast();
  int LineIndex() const { return Index; }
  // Valid until the next call of Next or IsLast.
  std::string_view Current() const { return Line; }

 private:
  // Reads another block, keeping the text from `keepFrom` on; false at the end.
  bool Refill(size_t& keepFrom);

  TTextSource* Source = nullptr;
  std::string Buffer;
  std::string_view Text;
  size_t Pos = 0;
  int Index = -1;
  std::string_view Line;
};
