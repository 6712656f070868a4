// Container files of any bytes, read from disk as the program reads them: the directory
// reads or is refused, every entry it lists reads or is refused without reading or
// allocating beyond the file, its models open and its materials are found and decoded.
#include <cstddef>
#include <cstdint>

#include "formats/Gob.h"
#include "document/MaterialLookup.h"
#include "document/Core.h"
#include "formats/ThreeDo.h"
#include "model/Errors.h"
#include "model/Text.h"
#include "services/HeadlessServices.h"
#include "tests/core/FormatBytes.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzFile file("in.gob", data, size);
  TGob gob;
  try {
    if (!gob.LoadFromFile(file.Path)) return 0;
  } catch (const EZarnError&) {
    return 0;
  }
  THeadlessServices services;
  TCore core(services);
  InstallMaterialLoader(core);
  core.ResourceList = {file.Path};
  TGobItem item;
  for (int i = 0; i < gob.Count(); ++i) {
    gob.GetEntry(i, item);
    try {
      fmt_test::EntryBytes(item);
    } catch (const EInOutError&) {
    }
    if (SameText(ExtensionPart(item.EntryName), ".mat"))
      core.Model->Materials.FindOrAdd(std::string(FileNamePart(item.EntryName)));
  }
  for (const std::string& row : ContainerModelRows(gob)) {
    if (!FindContainerModel(gob, row, item)) continue;
    core.Model->Clear();
    Load3DOEntry(*core.Model, item);
  }
  return 0;
}
