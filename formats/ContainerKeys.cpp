#include "formats/ContainerKeys.h"

#include "model/Text.h"

namespace {

constexpr std::string_view kKeyFolder = "3do\\key\\", kPuppetFolder = "misc\\pup\\";

// The files of the folder itself (not of folders below it) with the extension.
std::vector<std::string> FolderRows(const TGob& gob, std::string_view folder,
                                    std::string_view extension) {
  std::vector<std::string> rows;
  for (int i = 0; i < gob.Count(); ++i) {
    const std::string& name = gob.Entry(i).Name;
    if (name.size() > folder.size() &&
        SameText(std::string_view(name).substr(0, folder.size()), folder) &&
        FileNamePart(name).size() == name.size() - folder.size() &&
        SameText(ExtensionPart(name), extension))
      rows.emplace_back(FileNamePart(name));
  }
  return rows;
}

}  // namespace

std::vector<std::string> ContainerKeyRows(const TGob& gob) {
  return FolderRows(gob, kKeyFolder, ".key");
}

bool FindContainerKey(const TGob& gob, std::string_view row, TGobItem& item) {
  return gob.FindEntry(std::string(kKeyFolder) + std::string(row), item);
}

std::vector<std::string> ContainerPuppetRows(const TGob& gob) {
  return FolderRows(gob, kPuppetFolder, ".pup");
}

bool FindContainerPuppet(const TGob& gob, std::string_view row, TGobItem& item) {
  return gob.FindEntry(std::string(kPuppetFolder) + std::string(row), item);
}
