#include <cstdio>

#include "cli/CliCommands.h"

int RunConvert(const TArgs& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: zarn-cli convert IN.3do OUT.3do\n");
    return 2;
  }
  TCliSession session;
  if (!session.Open(args[0])) return 1;
  return session.Save(args[1]) ? 0 : 1;
}
