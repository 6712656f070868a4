#include <algorithm>

#include "cli/CliCommands.h"
#include "formats/ColormapPlaces.h"
#include "model/Errors.h"

int TakeCmpOption(TArgs& args, std::optional<TColormap>& colormap) {
  const auto at = std::find(args.begin(), args.end(), "--cmp");
  if (at == args.end()) return 0;
  if (at + 1 == args.end()) {
    Tell("--cmp needs a colormap: FILE.cmp or CONTAINER:ENTRY");
    return 2;
  }
  const std::string name = *(at + 1);
  args.erase(at, at + 2);
  try {
    colormap = ReadColormap(ColormapPlaceNamed(name));
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  return 0;
}
