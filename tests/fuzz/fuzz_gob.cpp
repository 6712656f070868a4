// Container files of any bytes, read from disk as the program reads them: the directory
// reads or is refused, every entry it lists reads or is refused without reading or
// allocating beyond the file, its models open and its materials are found and decoded.
#include <cstddef>
#include <cstdint>

#include "formats/Gob.h"
#include "formats/ThreeDo.h"
#include "model/Errors.h"
#include "model/Text.h"
#include "tests/core/FormatBytes.h"
#include "tests/fuzz/FuzzCore.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzFile file("in.gob", data, size);
  TGob gob;
  try {
    if (!gob.LoadFromFile(file.Path)) return 0;
  } catch (const EZarnError&) {
    return 0;
  }
  TFuzzCore fuzz;
  fuzz.Core.ResourceList = {file.Path};
  TGobItem item;
  for (int i = 0; i < gob.Count(); ++i) {
    gob.GetEntry(i, item);
    try {
      fmt_test::EntryBytes(item);
    } catch (const EInOutError&) {
    }
    if (SameText(ExtensionPart(item.EntryName), ".mat"))
      fuzz.Core.Model->Materials.FindOrAdd(std::string(FileNamePart(item.EntryName)));
  }
  for (const std::string& row : ContainerModelRows(gob)) {
    if (!FindContainerModel(gob, row, item)) continue;
    fuzz.Core.Model->Clear();
    Load3DOEntry(*fuzz.Core.Model, item);
  }
  return 0;
}
