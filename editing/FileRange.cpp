#include "editing/FileRange.h"

#include "editing/Query.h"
#include "document/Core.h"

TCommandResult RefuseBeyondFileRange(TCore& core, const std::string& doer, const std::string& what) {
  return Refuse(core.Services, doer + " would put " + what +
                                   " beyond the range a 3DO file can hold (magnitudes up to 3.4e+38); "
                                   "nothing was changed");
}

TCommandResult ResultsFit(TCore& core, const std::string& doer, const std::vector<TVertex*>& list,
                const std::function<TVector(const TVertex&)>& result) {
  for (const TVertex* v : list) {
    const TVector p = result(*v);
    if (FitsFileRange(p)) continue;
    return RefuseBeyondFileRange(core, doer, "a vertex at " + FormatG(p.X) + " " + FormatG(p.Y) + " " + FormatG(p.Z));
  }
  return {};
}
