// OBJ files of any bytes, imported from disk as File > Import does, with the options the
// first byte picks: the import completes or ends with a message, whatever it added updates,
// and the model exports again.
#include <cstddef>
#include <cstdint>

#include "formats/ObjExport.h"
#include "formats/ObjImport.h"
#include "model/Errors.h"
#include "model/Model.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t pick = size > 0 ? data[0] : 0;
  const TFuzzFile file("in.obj", data, size);
  TModel model;
  TObjImportOptions options;
  options.YUp = pick & 1;
  options.Fit = pick & 2;
  options.Materials = pick & 4;
  if (pick & 8) options.Scale = 1e30;
  ImportObj(model, file.Path, options);
  model.Update();
  // Written where the input lies, and gone with it.
  const TFuzzFile out("out.obj", "", 0), library("out.mtl", "", 0);
  try {
    ExportObj(model, out.Path);
  } catch (const EZarnError&) {
    // a full disk, say: reported, never a crash
  }
  return 0;
}
