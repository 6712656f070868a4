// OBJ files of any bytes, imported from disk as File > Open does: the import completes or
// ends with a message, and whatever it added updates.
#include <cstddef>
#include <cstdint>

#include "model/Model.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzFile file("in.obj", data, size);
  TModel model;
  model.ImportObj(file.Path);
  model.Update();
  return 0;
}
