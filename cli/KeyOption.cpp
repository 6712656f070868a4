#include <algorithm>

#include "cli/CliCommands.h"
#include "formats/KeyReader.h"
#include "formats/PuppetReader.h"
#include "model/Convert.h"
#include "model/Errors.h"
#include "model/Text.h"

int TakeKeyOptions(TArgs& args, std::optional<TKeyAnimation>& key, double& frame) {
  frame = 0;
  std::string keyName, frameText;
  for (const auto& [option, value] : {std::pair{"--key", &keyName}, {"--frame", &frameText}}) {
    const auto at = std::find(args.begin(), args.end(), option);
    if (at == args.end()) continue;
    // An empty value would read as the option left out.
    if (at + 1 == args.end() || (at + 1)->empty()) {
      Tell("%s needs a value: --key FILE.key|CONTAINER:ENTRY, --frame F", option);
      return 2;
    }
    *value = *(at + 1);
    args.erase(at, at + 2);
  }
  if (!frameText.empty() && (keyName.empty() || !TryStrToFloat(frameText, frame))) {
    if (keyName.empty())
      Tell("--frame needs an animation (--key)");
    else
      Tell("--frame takes a frame number, not '%s'", frameText.c_str());
    return 2;
  }
  if (keyName.empty()) return 0;
  try {
    key = ReadKeyNamed(keyName);
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  return 0;
}

int TakeKeyList(TArgs& args, std::vector<TNamedKey>& keys) {
  if (std::find(args.begin(), args.end(), "--frame") != args.end()) {
    Tell("--frame poses an .obj export; a glTF file holds every frame of its animations");
    return 2;
  }
  for (auto at = std::find(args.begin(), args.end(), "--key"); at != args.end();
       at = std::find(args.begin(), args.end(), "--key")) {
    if (at + 1 == args.end() || (at + 1)->empty()) {
      Tell("--key needs a value: --key FILE.key|CONTAINER:ENTRY");
      return 2;
    }
    const std::string name = *(at + 1);
    args.erase(at, at + 2);
    // "walk.key" and "game.gob:3do\key\walk.key" are both the animation "walk".
    const std::string_view file = FileNamePart(name);
    try {
      keys.push_back({std::string(file.substr(0, file.size() - ExtensionPart(file).size())), ReadKeyNamed(name)});
    } catch (const EZarnError& e) {
      Tell("%s", e.what());
      return 1;
    }
  }
  return 0;
}

int TakePuppetOption(TArgs& args, std::optional<TPuppet>& pup, TColormapPlace& place) {
  const auto at = std::find(args.begin(), args.end(), "--pup");
  if (at == args.end()) return 0;
  if (at + 1 == args.end() || (at + 1)->empty()) {
    Tell("--pup needs a value: --pup FILE.pup|CONTAINER:ENTRY");
    return 2;
  }
  const std::string name = *(at + 1);
  args.erase(at, at + 2);
  try {
    place = ColormapPlaceNamed(name);
    pup = ReadPuppetAt(place);
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  return 0;
}
