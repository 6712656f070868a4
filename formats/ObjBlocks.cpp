#include "formats/ObjBlocks.h"

#include <algorithm>
#include <cstring>

#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"

namespace {
constexpr size_t kBlock = size_t{1} << 20;
}

// A small file fits whole, with room left to see its end.
TObjBlocks::TObjBlocks(const TReadOnlyFile& file)
    : File(file), Buffer(static_cast<size_t>(std::min<uint64_t>(kBlock, file.Size() + 1)), '\0') {}

std::string_view TObjBlocks::Next() {
  std::memmove(Buffer.data(), Buffer.data() + Handed, Filled - Handed);  // the unfinished line
  Filled -= Handed;
  while (!Ended && Filled < Buffer.size()) {
    char* const begin = Buffer.data() + Filled;
    const size_t got = File.ReadInto(Offset, begin, Buffer.size() - Filled);
    const auto at = [begin](const void* found) { return static_cast<size_t>(static_cast<const char*>(found) - begin); };
    size_t text = got;
    if (const void* end = std::memchr(begin, '\x1A', got)) text = at(end);
    if (const void* zero = std::memchr(begin, '\0', text))
      throw EInOutError("Cannot read file '" + File.Path() + "': byte " + std::to_string(Offset + at(zero)) +
                        " is zero, and OBJ files are text");
    Ended = got == 0 || text < got;
    Offset += got;
    Filled += text;
  }
  Handed = Filled;
  if (!Ended) {
    const size_t lineEnd = std::string_view(Buffer.data(), Filled).find_last_of("\r\n");
    if (lineEnd == std::string_view::npos)
      throw EInOutError("Cannot read file '" + File.Path() + "': the line at byte " + std::to_string(Offset - Filled) +
                        " is longer than " + std::to_string(kBlock >> 20) + " MiB");
    Handed = lineEnd + 1;
  }
  return {Buffer.data(), Handed};
}
