#pragma once
#include <cstdint>
#include <memory>
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
// source is read in blocks and never held whole, so a large file costs one block of memory;
// a line of more than 64 MiB raises EInOutError.
class TLineCursor {
 public:
  explicit TLineCursor(std::string_view text);
  // Lines are numbered from `firstIndex` on.
  explicit TLineCursor(TTextSource& source, int64_t firstIndex = 0);

  // Moves to the next line; false when there is none. Reads ahead far enough to know
  // whether another line follows, so that nothing else moves the text.
  bool Next();
  // True when the current line is the last one.
  bool IsLast() const { return Pos >= Text.size(); }
  int64_t LineIndex() const { return Index; }
  // Valid until the next call of Next.
  std::string_view Current() const { return Line; }

 private:
  // Reads another block, keeping the text from `keepFrom` on, which moves to the front;
  // false at the end.
  bool Refill(size_t& keepFrom);

  TTextSource* Source = nullptr;
  std::unique_ptr<char[]> Buffer;
  size_t Capacity = 0;
  std::string_view Text;
  size_t Pos = 0;
  int64_t Index;
  std::string_view Line;
};
