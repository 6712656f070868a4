#include "formats/PuppetKeys.h"

#include "formats/ContainerKeys.h"
#include "formats/PathMap.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace {

std::optional<TColormapPlace> InContainer(std::string_view key, const std::string& container) {
  TGob gob;
  TGobItem item;
  try {
    if (container.empty() || !RegularFileExists(container) || !gob.LoadFromFile(container) ||
        !FindContainerKey(gob, key, item))
      return std::nullopt;
  } catch (const EZarnError&) {
    return std::nullopt;  // a damaged container holds nothing to play
  }
  return TColormapPlace{container, item.EntryName, item.Offset, item.Length};
}

}  // namespace

std::optional<TColormapPlace> FindPuppetKey(std::string_view key, const std::string& model,
                                            const TColormapPlace& puppet,
                                            const std::vector<std::string>& containers) {
  // A KEY with a folder would reach out of "3do\key\".
  if (key.empty() || SameText(key, "none") || FileNamePart(key).size() != key.size())
    return std::nullopt;
  std::vector<std::string> searched;
  if (const size_t cut = model.find(" > "); cut != std::string::npos) {
    searched.push_back(model.substr(0, cut));
  } else if (!model.empty()) {
    const std::string folder(FolderPart(model));
    for (const std::string& candidate :
         {folder + std::string(key), folder + "key\\" + std::string(key)})
      if (std::string path = FindFileNoCase(candidate); !path.empty())
        return TColormapPlace{path, "", 0, UINT64_MAX};
  }
  if (!puppet.Entry.empty()) searched.push_back(puppet.Path);
  searched.insert(searched.end(), containers.begin(), containers.end());
  for (const std::string& container : searched)
    if (std::optional<TColormapPlace> place = InContainer(key, container)) return place;
  return std::nullopt;
}
