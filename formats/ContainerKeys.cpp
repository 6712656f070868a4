#include "formats/ContainerKeys.h"

#include "model/Text.h"

namespace {
constexpr std::string_view kKeyFolder = "3do\\key\\";
}

std::vector<std::string> ContainerKeyRows(const TGob& gob) {
  std::vector<std::string> rows;
  for (int i = 0; i < gob.Count(); ++i) {
    const std::string& name = gob.Entry(i).Name;
    if (name.size() > kKeyFolder.size() && SameText(std::string_view(name).substr(0, kKeyFolder.size()), kKeyFolder) &&
        FileNamePart(name).size() == name.size() - kKeyFolder.size() && SameText(ExtensionPart(name), ".key"))
      rows.emplace_back(FileNamePart(name));
  }
  return rows;
}

bool FindContainerKey(const TGob& gob, std::string_view row, TGobItem& item) {
  return gob.FindEntry(std::string(kKeyFolder) + std::string(row), item);
}
