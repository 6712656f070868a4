// glTF binary files of any bytes, read from disk as File > Open reads them: the scene, its
// skins and animations read whole or end with one message, and what was read saves again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/GltfImport.h"
#include "formats/KeyWriter.h"
#include "formats/ThreeDo.h"
#include "model/Errors.h"
#include "model/Model.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzFile file("in.glb", data, size);
  TModel model;
  try {
    const TGltfExtras extras = ImportGltf(model, file.Path);
    std::string text;
    Write3DO(model, text, model.Nodes.Pointers());
    for (const TGltfAnimation& animation : extras.Animations) KeyText(animation.Key);
  } catch (const EZarnError&) {
    // the one message a damaged file gives
  }
  return 0;
}
