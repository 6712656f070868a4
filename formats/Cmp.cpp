#include "formats/Cmp.h"

#include <algorithm>
#include <cstring>

#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"

namespace {

constexpr uint64_t kPaletteAt = 0x40;
constexpr uint64_t kLightTableAt = 0x340;
constexpr uint64_t kTransparencyAt = 0x4340;
constexpr uint64_t kTransparencySize = 256 * 256;
constexpr uint32_t kHasTransparency = 1;

uint32_t Word(const std::string& data, size_t at) {
  const auto* b = reinterpret_cast<const unsigned char*>(data.data() + at);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

[[noreturn]] void Refuse(const std::string& name, const std::string& why) {
  throw EParserError(name + ": not a colormap (" + why + ")");
}

}  // namespace

TColormap ReadCmp(const std::string& path, uint64_t start, uint64_t length, const std::string& name) {
  const TReadOnlyFile file(path);
  const uint64_t size = start < file.Size() ? std::min(length, file.Size() - start) : 0;
  TColormap map;
  const uint64_t needed = kTransparencyAt;
  if (size < needed) {
    if (size >= 4 && file.ReadAt(start, 4) != "CMP ") Refuse(name, "no \"CMP \" at its start");
    Refuse(name, std::to_string(size) + " bytes, shorter than the " + std::to_string(needed) +
                     " of a palette and light table");
  }
  std::string head = file.ReadAt(start, static_cast<size_t>(needed));
  if (head.size() < needed) Refuse(name, "the file ended while it was read");
  if (head.compare(0, 4, "CMP ") != 0) Refuse(name, "no \"CMP \" at its start");
  map.Version = Word(head, 4);
  map.Flags = Word(head, 8);
  for (int i = 0; i < 3; ++i) {
    const uint32_t bits = Word(head, 12 + 4 * static_cast<size_t>(i));
    std::memcpy(&map.Tint[static_cast<size_t>(i)], &bits, 4);
  }
  std::memcpy(map.Palette.data(), head.data() + kPaletteAt, map.Palette.size());
  std::memcpy(map.LightTable.data(), head.data() + kLightTableAt, map.LightTable.size());
  if (map.Flags & kHasTransparency) {
    if (size < kTransparencyAt + kTransparencySize)
      Refuse(name, "its flags promise a transparency table that the " + std::to_string(size) + " bytes do not hold");
    const std::string table = file.ReadAt(start + kTransparencyAt, kTransparencySize);
    if (table.size() < kTransparencySize) Refuse(name, "the file ended while it was read");
    map.Transparency.assign(table.begin(), table.end());
  }
  return map;
}
