#include "formats/PuppetCheck.h"

#include <set>

#include "formats/KeyReader.h"
#include "formats/PuppetKeys.h"
#include "model/Errors.h"
#include "model/KeyCheck.h"
#include "model/Model.h"
#include "model/Text.h"

std::vector<std::string> CheckPuppetAgainstModel(const TModel& model, const TPuppet& pup,
                                                 const TColormapPlace& puppet,
                                                 const std::vector<std::string>& containers) {
  std::vector<std::string> lines;
  std::set<std::string> checked;  // the reader keeps names in lower case
  for (const TPuppetMode& mode : pup.Modes)
    for (const TPuppetSubmode& move : mode.Submodes) {
      if (move.Key == "none" || !checked.insert(move.Key).second) continue;
      const std::optional<TColormapPlace> place =
          FindPuppetKey(move.Key, model.FileName, puppet, containers);
      if (!place) {
        lines.push_back(move.Key + ": not found (mode " + std::to_string(mode.Mode) + " " +
                        move.Name + ")");
        continue;
      }
      try {
        for (const std::string& line : CheckKeyAgainstModel(model, ReadKeyAt(*place)))
          lines.push_back(move.Key + ": " + line);
      } catch (const EZarnError& e) {
        lines.push_back(e.what());
      }
    }
  return lines;
}

std::string IgnoredLinesWarning(const TPuppet& pup) {
  if (pup.IgnoredLines == 0) return {};
  return std::to_string(pup.IgnoredLines) +
         (pup.IgnoredLines == 1 ? " line names" : " lines name") + " no move of the game and " +
         (pup.IgnoredLines == 1 ? "is" : "are") + " passed over";
}

std::vector<TNamedKey> PuppetAnimations(const TModel& model, const TPuppet& pup, const TColormapPlace& puppet,
                                        const std::vector<std::string>& containers) {
  std::vector<TNamedKey> keys;
  std::set<std::string> taken;  // the reader keeps names in lower case
  for (const TPuppetMode& mode : pup.Modes)
    for (const TPuppetSubmode& move : mode.Submodes) {
      if (move.Key == "none" || !taken.insert(move.Key).second) continue;
      const std::optional<TColormapPlace> place = FindPuppetKey(move.Key, model.FileName, puppet, containers);
      if (!place)
        throw EInOutError("Animation '" + move.Key + "' of the puppet (mode " + std::to_string(mode.Mode) + " " +
                          move.Name + ") is not found");
      const std::string_view file = FileNamePart(move.Key);
      keys.push_back({std::string(file.substr(0, file.size() - ExtensionPart(file).size())), ReadKeyAt(*place)});
    }
  return keys;
}
