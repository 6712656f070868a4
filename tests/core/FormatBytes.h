#pragma once
// Containers, material files and folders built byte by byte for the format tests.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/Gob.h"

namespace fmt_test {

inline void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void Set32(std::string& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

struct TEntrySpec {
  std::string Name;  // written into the 128-byte field as it stands
  std::string Data;
};

// A container whose entries' data follow the directory in the order given.
inline std::string MakeGob(const std::vector<TEntrySpec>& entries) {
  std::string out = "GOB ";
  Put32(out, 0x14);
  Put32(out, 0x0C);
  Put32(out, static_cast<uint32_t>(entries.size()));
  uint32_t offset = static_cast<uint32_t>(16 + 136 * entries.size());
  for (const TEntrySpec& e : entries) {
    Put32(out, offset);
    Put32(out, static_cast<uint32_t>(e.Data.size()));
    std::string name = e.Name;
    name.resize(128, '\0');
    out += name;
    offset += static_cast<uint32_t>(e.Data.size());
  }
  for (const TEntrySpec& e : entries) out += e.Data;
  return out;
}

// An entry's bytes, read as the program reads them.
inline std::string EntryBytes(const TGobItem& item) {
  TGobEntrySource source(item);
  std::string data;
  char block[4096];
  while (const size_t n = source.Read(block, sizeof block)) data.append(block, n);
  return data;
}

// The entry of that file name (as TGob::FindFile takes it) in the container at `path`; one
// whose Offset is all ones when the container does not read or holds none.
inline TGobItem FoundEntry(const std::string& path, std::string_view name) {
  TGob gob;
  TGobItem item;
  if (gob.LoadFromFile(path)) gob.FindFile(name, item);
  return item;
}

// The 76-byte header of a material file.
inline std::string MatHeader(int32_t type, int32_t records, int32_t bitDepth) {
  std::string out = "MAT ";
  Put32(out, 0x32);
  Put32(out, static_cast<uint32_t>(type));
  Put32(out, static_cast<uint32_t>(records));
  Put32(out, static_cast<uint32_t>(records));
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(bitDepth));
  out.resize(76, '\0');
  return out;
}

// A texture material: `records` skipped records, then the texture header and the pixels.
inline std::string MakeTextureMat(int32_t width, int32_t height, int32_t bitDepth, const std::string& pixels,
                                  int32_t records = 1) {
  std::string out = MatHeader(2, records, bitDepth);
  out += std::string(40 * static_cast<size_t>(records > 0 ? records : 0), '\x7F');
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  out += std::string(16, '\0');
  return out + pixels;
}

inline std::string MakeColourMat(int32_t index) {
  std::string out = MatHeader(0, 1, 8);
  Put32(out, 0xDEADBEEF);
  Put32(out, static_cast<uint32_t>(index));
  out += std::string(16, '\0');
  return out;
}

inline std::string Words(std::initializer_list<uint16_t> words) {
  std::string out;
  for (uint16_t w : words) {
    out += static_cast<char>(w & 0xFF);
    out += static_cast<char>(w >> 8);
  }
  return out;
}

// A colormap whose palette gives index i the colour (i, 255 - i, `blue`) and whose light
// table row r sends every index to r (so that a lit colour names its row), with a
// transparency table of index a * b % 256 when `flags` has bit 0 set.
inline std::string MakeCmp(uint32_t flags = 0, uint8_t blue = 7) {
  std::string out = "CMP ";
  Put32(out, 30);
  Put32(out, flags);
  out.resize(0x40, '\0');
  for (int i = 0; i < 256; ++i) {
    out += static_cast<char>(i);
    out += static_cast<char>(255 - i);
    out += static_cast<char>(blue);
  }
  for (int row = 0; row < 64; ++row) out += std::string(256, static_cast<char>(row));
  if (flags & 1)
    for (int a = 0; a < 256; ++a)
      for (int b = 0; b < 256; ++b) out += static_cast<char>(a * b % 256);
  return out;
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempDir {
 public:
  TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zarn-test-XXXXXX").string();
    Path = ::mkdtemp(pattern.data());
  }
  ~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
  std::string File(const std::string& relative) const { return Path + "/" + relative; }
  std::string Write(const std::string& relative, const std::string& data) const {
    const std::filesystem::path p = File(relative);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << data;
    return p.string();
  }
  std::string Path;
};

}  // namespace fmt_test
