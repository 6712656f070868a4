// libFuzzer target: any text given to the 3DO reader ends in a model or a reported error,
// and whatever the model then holds can be updated and written.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/MaterialLoader.h"
#include "model/Core.h"
#include "model/HeadlessServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  THeadlessServices services;
  TCore core(services);
  InstallMaterialLoader(core);
  core.Model->Parse3DO(std::string_view(reinterpret_cast<const char*>(data), size));
  std::string out;
  core.Model->Write3DO(out, core.Model->Nodes.Pointers());
  // A second read merges into the first and links only among its own rows.
  core.Model->Parse3DO(out);
  return 0;
}
