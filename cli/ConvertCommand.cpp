#include <cstdio>

#include "cli/CliCommands.h"

int RunConvert(const TArgs& args) {
  if (args.size() != 2 && args.size() != 3) {
    std::fprintf(stderr, "usage: zarn-cli convert IN.3do|IN.obj OUT.3do | convert CONTAINER ENTRY OUT.3do\n");
    return 2;
  }
  TCliSession session;
  if (!(args.size() == 2 ? session.Open(args[0]) : session.OpenEntry(args[0], args[1]))) return 1;
  return session.Save(args.back()) ? 0 : 1;
}
