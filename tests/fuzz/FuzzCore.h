#pragma once
// A document as the program opens one: headless services that keep what it reports, and the
// material search the window installs.
#include "document/Core.h"
#include "document/MaterialLookup.h"
#include "services/HeadlessServices.h"

struct TFuzzCore {
  TFuzzCore() { InstallMaterialLoader(Core); }
  THeadlessServices Services;
  TCore Core{Services};
};
