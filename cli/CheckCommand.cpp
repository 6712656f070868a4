#include <cstdio>

#include "cli/CliCommands.h"
#include "document/MaterialLookup.h"
#include "editing/GameCheck.h"
#include "editing/GameWarnings.h"

int RunCheck(const TArgs& args) {
  if (!NoOptionsLeft(args, "check")) return 2;
  if (args.size() != 1 && args.size() != 2) {
    std::fprintf(stderr, "usage: zarn-cli check FILE.3do|FILE.obj | check CONTAINER ENTRY\n");
    return 2;
  }
  TCliSession session;
  if (!(args.size() == 1 ? session.Open(args[0]) : session.OpenEntry(args[0], args[1]))) return 1;
  const std::vector<std::string> breaches = CheckForGame(*session.Core.Model, MaterialFinder(session.Core));
  for (const std::string& line : breaches) std::printf("%s\n", line.c_str());
  for (const std::string& line : GameWarnings(*session.Core.Model)) std::printf("Warning: %s\n", line.c_str());
  return breaches.empty() ? 0 : 3;
}
