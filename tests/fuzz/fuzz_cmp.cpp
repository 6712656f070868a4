// Colormap files of any bytes, read as a file of their own and as a container entry. Each
// reads whole tables or is refused with a parse error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/Cmp.h"
#include "model/Errors.h"
#include "tests/core/FormatBytes.h"
#include "tests/fuzz/FuzzFile.h"

namespace {

void ReadOrRefuse(const std::string& path, uint64_t start, uint64_t length) {
  try {
    const TColormap map = ReadCmp(path, start, length, "fuzz.cmp");
    if (!map.Transparency.empty() && map.Transparency.size() != 65536) std::abort();
    if (((map.Flags & 1) != 0) != !map.Transparency.empty()) std::abort();
  } catch (const EParserError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzFile file("level.cmp", data, size);
  ReadOrRefuse(file.Path, 0, UINT64_MAX);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TFuzzFile container("res.gob", fmt_test::MakeGob({{"misc\\cmp\\a.cmp", bytes}, {"misc\\cmp\\b.cmp", bytes}}));
  ReadOrRefuse(container.Path, 16 + 2 * 136, size);
  return 0;
}
