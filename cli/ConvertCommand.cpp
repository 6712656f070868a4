#include "cli/CliCommands.h"

int RunConvert(const TArgs& given) {
  TArgs args = given;
  if (IsGltfConvert(args)) return RunGltfConvert(args);
  TCliSession session;
  if (!TakeObjOptions(args, session.ObjOptions)) return 2;
  if (args.size() != 2 && args.size() != 3) {
    Tell("usage: zarn-cli convert IN.3do|IN.obj OUT.3do | convert CONTAINER ENTRY OUT.3do\n"
         "       with IN.obj: [--up y|z] [--scale F|fit] [--materials]");
    return 2;
  }
  if (!(args.size() == 2 ? session.Open(args[0]) : session.OpenEntry(args[0], args[1]))) return 1;
  return session.Save(args.back()) ? 0 : 1;
}
