// KEY animations of any bytes, read as a file of their own and as a container entry, and
// posed on a small model at a few frames. Each reads whole or is refused with a parse error.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/Gob.h"
#include "formats/KeyReader.h"
#include "model/Errors.h"
#include "model/KeyCheck.h"
#include "model/KeyPose.h"
#include "model/Model.h"
#include "tests/core/FormatBytes.h"
#include "tests/fuzz/FuzzFile.h"

namespace {

void Pose(const TKeyAnimation& key) {
  if (key.Markers.size() > kKeyMaxMarkers || key.Nodes.size() > kKeyMaxNodes || key.Frames < 1) std::abort();
  TModel model;
  for (int i = 0; i < 3; ++i) {
    TNode* node = model.AddNode();
    node->SetMesh(model.NewMesh())->AddVertex()->Position = {0.1, 0, 0};
    if (i > 0) node->Parent = model.Nodes[i - 1];
  }
  for (const double frame : {-1.5, 0.0, 7.25, 1e9}) {
    const double t = WrapFrame(frame, key.Frames);
    if (!(t >= 0 && t < key.Frames)) std::abort();
    PlacePosed(model, PoseAt(model, key, frame));
  }
  CheckKeyAgainstModel(model, key);
}

void ReadOrRefuse(const auto& read) {
  try {
    Pose(read());
  } catch (const EParserError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzFile file("walk.key", data, size);
  ReadOrRefuse([&] { return ReadKeyFile(file.Path); });
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TFuzzFile container("res.gob", fmt_test::MakeGob({{"3do\\key\\a.key", bytes}, {"3do\\key\\b.key", bytes}}));
  const TGobItem item = fmt_test::FoundEntry(container.Path, "b.key");
  if (!item.EntryName.empty()) ReadOrRefuse([&] { return ReadKeyEntry(item); });
  return 0;
}
