// Container files of any bytes: the directory reads or is refused, and every entry it lists
// reads or is refused, without reading or allocating beyond the file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "formats/Gob.h"
#include "model/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const struct TScratch {
    std::string Path = "/tmp/zarn-fuzz-" + std::to_string(::getpid()) + ".gob";
    ~TScratch() { std::remove(Path.c_str()); }
  } scratch;
  const std::string& path = scratch.Path;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  TGob gob;
  try {
    if (gob.LoadFromFile(path)) {
      TGobItem item;
      for (int i = 0; i < gob.Count(); ++i) {
        gob.GetEntry(i, item);
        try {
          ReadGobEntry(item);
        } catch (const EInOutError&) {
        }
      }
      gob.FindFile("a.mat", item);
    }
  } catch (const EZarnError&) {
  }
  return 0;
}
