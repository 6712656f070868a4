#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class TReadOnlyFile;

// The text of an OBJ file in runs of whole lines, read a block of 1 MiB at a time: no more of
// the file is held, and a longer line is refused. Ctrl-Z ends the text; a zero byte means the
// file is no text at all, such as a download that never finished. Read errors and refusals
// raise EInOutError naming the file.
class TObjBlocks {
 public:
  explicit TObjBlocks(const TReadOnlyFile& file);
  // The next run of whole lines, the last of the text perhaps without its line end; empty
  // at the end of the text. Valid until the next call.
  std::string_view Next();
  // How many bytes of the file have been read so far.
  uint64_t Position() const { return Offset; }

 private:
  const TReadOnlyFile& File;
  std::string Buffer;
  size_t Handed = 0, Filled = 0;
  uint64_t Offset = 0;  // where the next read starts
  bool Ended = false;
};
