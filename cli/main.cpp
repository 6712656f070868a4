// zarn-cli: the editor's model commands for scripts, without windows.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "cli/CliCommands.h"

namespace {

int Run(int argc, char** argv) {
  if (argc < 2) {
    Tell("no command given (zarn-cli --help lists the commands)");
    return 2;
  }
  const std::string command = argv[1];
  const TArgs args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h" || command == "help") return RunHelp(args);
  if (command == "--version") return RunVersion(args);
  if (command == "info") return RunInfo(args);
  if (command == "convert") return RunConvert(args);
  if (command == "list") return RunList(args);
  if (command == "mat") return RunMat(args);
  if (command == "edit") return RunEdit(args);
  if (command == "check") return RunCheck(args);
  if (command == "export") return RunExport(args);
  if (command == "render") return RunRender(args);
  if (command == "pack") return RunPack(args);
  if (command == "tomat") return RunTomat(args);
  if (!NoOptionsLeft({command}, "")) return 2;
  Tell("unknown command '%s' (zarn-cli --help lists the commands)", command.c_str());
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
