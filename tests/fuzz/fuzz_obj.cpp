// OBJ files of any bytes, imported from disk as File > Import does, with the options the
// first byte picks: the import completes or ends with a message, whatever it added updates,
// and the model exports again.
#include <cstddef>
#include <cstdint>
#include <cstdio>

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
  const std::string out = TFuzzFile::Named("out.obj");
  const std::string path = (std::filesystem::temp_directory_path() / out).string();
  try {
    ExportObj(model, path);
  } catch (const EZarnError&) {
    // a full disk, say: reported, never a crash
  }
  std::remove(path.c_str());
  std::remove((std::filesystem::temp_directory_path() / TFuzzFile::Named("out.mtl")).string().c_str());
  return 0;
}
