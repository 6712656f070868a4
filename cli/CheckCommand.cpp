#include <algorithm>
#include <cstdio>

#include "cli/CliCommands.h"
#include "document/MaterialLookup.h"
#include "editing/GameCheck.h"
#include "editing/GameWarnings.h"
#include "formats/PuppetCheck.h"
#include "formats/PuppetReader.h"
#include "model/Errors.h"
#include "model/KeyCheck.h"

int RunCheck(const TArgs& given) {
  TArgs args = given;
  std::optional<TKeyAnimation> key;
  double frame = 0;
  if (const int status = TakeKeyOptions(args, key, frame)) return status;
  std::optional<TPuppet> pup;
  TColormapPlace pupPlace;
  if (const int status = TakePuppetOption(args, pup, pupPlace)) return status;
  if (key && pup) {
    Tell("check takes --key or --pup, not both");
    return 2;
  }
  if (!NoOptionsLeft(args, "check")) return 2;
  if (args.size() != 1 && args.size() != 2) {
    Tell("usage: zarn-cli check [--key FILE.key|CONTAINER:ENTRY | --pup FILE.pup|CONTAINER:ENTRY]\n"
         "       FILE.3do|FILE.obj | check [...] CONTAINER ENTRY");
    return 2;
  }
  TCliSession session;
  session.Services.NameMissingMaterials = false;  // each has a line of the findings
  if (!(args.size() == 1 ? session.Open(args[0]) : session.OpenEntry(args[0], args[1]))) return 1;
  if (key) {
    // How the animation fits the model, in place of the game's limits.
    const std::vector<std::string> misfits = CheckKeyAgainstModel(*session.Core.Model, *key);
    for (const std::string& line : misfits) std::printf("%s\n", line.c_str());
    return misfits.empty() ? 0 : 3;
  }
  if (pup) {
    // Whether each of the puppet's animations is found and fits, in place of the game's limits.
    const std::vector<std::string> misfits =
        CheckPuppetAgainstModel(*session.Core.Model, *pup, pupPlace, session.Core.ResourceList);
    for (const std::string& line : misfits) std::printf("%s\n", line.c_str());
    if (const std::string ignored = IgnoredLinesWarning(*pup); !ignored.empty())
      std::printf("Warning: %s\n", ignored.c_str());
    return misfits.empty() ? 0 : 3;
  }
  const std::vector<std::string> breaches = CheckForGame(*session.Core.Model, MaterialFinder(session.Core));
  for (const std::string& line : breaches) std::printf("%s\n", line.c_str());
  std::vector<std::string> warnings = GameWarnings(*session.Core.Model);
  const std::string& file = session.Core.Model->FileName;
  if (const size_t cut = file.find(" > "); args.size() == 2 && cut != std::string::npos) {
    if (std::string place = ModelEntryWarning(file.substr(cut + 3)); !place.empty())
      warnings.insert(warnings.begin(), std::move(place));
  }
  for (const std::string& line : warnings) std::printf("Warning: %s\n", line.c_str());
  return breaches.empty() ? 0 : 3;
}
