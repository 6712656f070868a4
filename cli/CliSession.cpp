#include <cstdio>

#include "cli/CliCommands.h"
#include "model/Errors.h"

bool TCliSession::Open(const std::string& path) {
  const size_t errorsBefore = Services.Errors.size();
  Core.Model->LoadFromFile(path);
  return Services.Errors.size() == errorsBefore;
}

bool TCliSession::Save(const std::string& path) {
  try {
    Core.Model->SaveToFile(path);
    return true;
  } catch (const EZarnError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return false;
  }
}
