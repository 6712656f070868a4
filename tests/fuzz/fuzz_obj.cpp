// OBJ text of any bytes: the import either completes or raises one of our errors.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/ObjImport.h"
#include "model/Errors.h"
#include "model/Model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TModel model;
  try {
    ImportObjText(model, std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const EZarnError&) {
  }
  model.Update();
  return 0;
}
