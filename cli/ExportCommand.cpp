#include <cstdio>

#include "cli/CliCommands.h"
#include "formats/ObjExport.h"
#include "model/Errors.h"

int RunExport(const TArgs& args) {
  if (args.size() != 2 && args.size() != 3) {
    std::fprintf(stderr, "usage: zarn-cli export IN.3do OUT.obj | export CONTAINER ENTRY OUT.obj\n");
    return 2;
  }
  // Arguments in the wrong order would write OBJ text over a model.
  if (!SameText(ExtensionPart(args.back()), ".obj")) {
    std::fprintf(stderr, "zarn-cli: export writes an .obj file, not '%s'\n", args.back().c_str());
    return 2;
  }
  TCliSession session;
  if (!(args.size() == 2 ? session.Open(args[0]) : session.OpenEntry(args[0], args[1]))) return 1;
  try {
    ExportObj(*session.Core.Model, args.back());
    return 0;
  } catch (const EZarnError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
