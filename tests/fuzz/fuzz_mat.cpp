// Material data of any bytes decodes to a consistent material or is reported as damaged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/Mat.h"
#include "model/Materials.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMaterials materials;
  TMaterial material(&materials, "fuzz.mat");
  DecodeMat(material, std::string_view(reinterpret_cast<const char*>(data), size));
  const size_t expected = static_cast<size_t>(material.Width) * static_cast<size_t>(material.Height) * 3;
  if (!material.Pixels.empty() && material.Pixels.size() != expected) std::abort();
  return 0;
}
