// Puppets of any bytes, read as a file and as a container entry and checked against a model:
// each reads whole, within its bounds, or is refused with a parse error.
#include <cstdlib>

#include "formats/Gob.h"
#include "formats/PuppetCheck.h"
#include "formats/PuppetReader.h"
#include "model/Errors.h"
#include "model/Model.h"
#include "tests/core/FormatBytes.h"
#include "tests/fuzz/FuzzFile.h"

namespace {

void ReadOrRefuse(const auto& read, const TColormapPlace& place) {
  try {
    const TPuppet puppet = read();
    if (puppet.Modes.size() > kPuppetMaxModes || puppet.Joints.size() > kPuppetBodyParts) std::abort();
    for (const TPuppetMode& mode : puppet.Modes)
      for (const TPuppetSubmode& move : mode.Submodes)
        if (!IsPuppetMove(move.Name) || move.Key.empty()) std::abort();
    TModel model;
    model.AddNode()->Name = "torso";
    CheckPuppetAgainstModel(model, puppet, place, {});
  } catch (const EParserError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzFile file("ky.pup", data, size);
  ReadOrRefuse([&] { return ReadPuppetFile(file.Path); }, {file.Path, "", 0, UINT64_MAX});
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TFuzzFile container("res.gob",
                            fmt_test::MakeGob({{"misc\\pup\\a.pup", bytes}, {"3do\\key\\a.key", "SECTION: HEADER\n"}}));
  const TGobItem item = fmt_test::FoundEntry(container.Path, "a.pup");
  if (!item.EntryName.empty())
    ReadOrRefuse([&] { return ReadPuppetEntry(item); }, {container.Path, item.EntryName, item.Offset, item.Length});
  return 0;
}
