#include <cstdio>

#include "cli/CliCommands.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"

int RunList(const TArgs& args) {
  if (!NoOptionsLeft(args, "list")) return 2;
  if (args.size() != 1) {
    Tell("usage: zarn-cli list CONTAINER");
    return 2;
  }
  TGob gob;
  try {
    if (!RegularFileExists(args[0])) {
      Tell("%s", NotARegularFile(args[0]).c_str());
      return 1;
    }
    if (!gob.LoadFromFile(args[0])) {
      Tell("'%s' is not a GOB/GOO container", args[0].c_str());
      return 1;
    }
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  for (int i = 0; i < gob.Count(); ++i) {
    const TGobListItem& entry = gob.Entry(i);
    std::printf("%s\t%u\t%u\n", entry.Name.c_str(), entry.Offset, entry.Length);
  }
  return 0;
}
