#include "formats/FileKinds.h"
#include "cli/CliCommands.h"
#include "formats/Gob.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace {
bool Fail(const std::string& line) {
  Tell("%s", line.c_str());
  return false;
}
}  // namespace

bool TakeObjOptions(TArgs& args, TObjImportOptions& options) {
  TArgs rest;
  bool given = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--materials") {
      options.Materials = given = true;
      continue;
    }
    if (arg == "--merge") {
      options.ObjectsAsNodes = false;
      given = true;
      continue;
    }
    if (arg != "--up" && arg != "--scale") {
      rest.push_back(arg);
      continue;
    }
    if (i + 1 == args.size()) return Fail(arg + (arg == "--up" ? " needs y or z" : " needs a factor or 'fit'"));
    const std::string& value = args[++i];
    given = true;
    if (arg == "--up") {
      if (value != "y" && value != "z") return Fail("--up takes y or z, not '" + value + "'");
      options.YUp = value == "y";
    } else {
      try {
        SetObjScale(options, value);
      } catch (const EConvertError& e) {
        return Fail("--scale: " + std::string(e.what()));
      }
    }
  }
  if (given && (rest.empty() || !IsFileFormat(rest[0], TFileFormat::Obj)))
    return Fail("--up, --scale, --materials and --merge are for importing an .obj file");
  args = rest;
  return true;
}
