// zarn-cli: the editor's model commands for scripts, without windows.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/CliCommands.h"

namespace {
void Usage() {
  std::fprintf(stderr,
               "usage: zarn-cli COMMAND ARGS...\n"
               "  info FILE.3do             counts of nodes, meshes, vertices, faces, materials; radius\n"
               "  convert IN.3do OUT.3do    read a model and write it back\n");
}
}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  if (argc < 2) {
    Usage();
    return 2;
  }
  const std::string command = argv[1];
  const TArgs args(argv + 2, argv + argc);
  if (command == "info") return RunInfo(args);
  if (command == "convert") return RunConvert(args);
  std::fprintf(stderr, "zarn-cli: unknown command '%s'\n", command.c_str());
  Usage();
  return 2;
}
