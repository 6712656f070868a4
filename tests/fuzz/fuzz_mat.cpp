// Material files of any bytes, found and read as the program finds a model's materials: in
// the model's folder and inside a listed container. Each decodes to a consistent material or
// is reported as damaged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tests/core/FormatBytes.h"
#include "tests/fuzz/FuzzCore.h"
#include "tests/fuzz/FuzzFile.h"

namespace {

void CheckConsistent(const TMaterial& material) {
  const size_t expected = static_cast<size_t>(material.Width) * static_cast<size_t>(material.Height) * 3;
  if (!material.Pixels.empty() && material.Pixels.size() != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzFile beside("beside.mat", data, size);
  // Named after this process too, so that no file of that name is found beside the model.
  const std::string inside = TFuzzFile::Named("inside.mat");
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TFuzzFile container("res.gob", fmt_test::MakeGob({{"mat\\" + inside, bytes}}));
  TFuzzCore fuzz;
  fuzz.Core.Model->FileName = beside.Path.substr(0, beside.Path.rfind('/') + 1) + "model.3do";
  fuzz.Core.ResourceList = {container.Path};
  CheckConsistent(*fuzz.Core.Model->Materials.Add(beside.Name));
  CheckConsistent(*fuzz.Core.Model->Materials.Add(inside));
  return 0;
}
