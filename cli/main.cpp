// zarn-cli: the editor's model commands for scripts, without windows.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "cli/CliCommands.h"

namespace {
void Usage() {
  std::fprintf(stderr,
               "usage: zarn-cli COMMAND ARGS...\n"
               "  info FILE.3do|FILE.obj        counts of nodes, meshes, vertices, faces, materials; radius\n"
               "  info|convert IN.obj ... [--up y|z] [--scale F|fit] [--materials]\n"
               "                                turn a Y-up file, scale it, name its materials\n"
               "  info CONTAINER ENTRY          the same for a model inside a .gob/.goo container\n"
               "  convert IN.3do|IN.obj OUT.3do read (or import) a model and write it as 3DO\n"
               "  convert CONTAINER ENTRY OUT.3do\n"
               "  list CONTAINER                every entry of a container: name, offset, length\n"
               "  mat FILE.mat OUT.png          decode a material to a PNG picture\n"
               "  mat CONTAINER ENTRY OUT.png\n"
               "  check FILE.3do|CONTAINER ENTRY what the game would refuse, one a line; exit 3 if any\n"
               "  edit IN.3do OUT.3do STEP...   run editing commands (see README) and save\n"
               "  export IN.3do|CONTAINER ENTRY OUT.obj  write a Wavefront OBJ, its .mtl and PNG pictures\n");
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    Usage();
    return 2;
  }
  const std::string command = argv[1];
  const TArgs args(argv + 2, argv + argc);
  if (command == "info") return RunInfo(args);
  if (command == "convert") return RunConvert(args);
  if (command == "list") return RunList(args);
  if (command == "mat") return RunMat(args);
  if (command == "edit") return RunEdit(args);
  if (command == "check") return RunCheck(args);
  if (command == "export") return RunExport(args);
  std::fprintf(stderr, "zarn-cli: unknown command '%s'\n", command.c_str());
  Usage();
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    // Whatever the command held is gone with the stack; what is left suffices for one line.
    std::fputs("zarn-cli: out of memory\n", stderr);
    return 1;
  }
}
