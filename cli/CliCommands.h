#pragma once
#include <string>
#include <vector>

#include "model/Core.h"
#include "model/HeadlessServices.h"

// One run of the tool: a core answered by headless services that print to standard error.
struct TCliSession {
  TCliSession() : Services(stderr), Core(Services) {}
  THeadlessServices Services;
  TCore Core;
  // Reads a model file into the core's model by its extension; false, with the reason on
  // standard error, when the file does not read cleanly.
  bool Open(const std::string& path);
  bool Save(const std::string& path);
};

using TArgs = std::vector<std::string>;
int RunInfo(const TArgs& args);
int RunConvert(const TArgs& args);
