#include <algorithm>

#include "cli/CliCommands.h"
#include "formats/KeyReader.h"
#include "model/Convert.h"
#include "model/Errors.h"

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
