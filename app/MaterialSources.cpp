#include "formats/FileKinds.h"
#include "app/MaterialSources.h"

#include <algorithm>
#include <filesystem>

#include "formats/Gob.h"
#include "formats/PathMap.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace fs = std::filesystem;

namespace {

bool IsMatName(const std::string& name) {
  return name.size() > 4 && name[0] != '.' && SameText(std::string_view(name).substr(name.size() - 4), ".mat");
}

// The folder part as this file system spells it.
fs::path LocalFolder(const std::string& folder) {
  std::string local = folder;
  std::replace(local.begin(), local.end(), '\\', '/');
  return local.empty() ? fs::path(".") : fs::path(local);
}

// The entries of a folder that pass `keep`; an unreadable folder has none.
template <class Keep>
std::vector<fs::path> Entries(const fs::path& folder, Keep keep) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (keep(*it)) found.push_back(it->path());
  return found;
}

}  // namespace

std::vector<std::string> FolderMaterials(const std::string& folder) {
  std::vector<std::string> names;
  for (const fs::path& file : Entries(LocalFolder(folder), [](const fs::directory_entry& entry) {
         std::error_code ec;
         return IsMatName(entry.path().filename().string()) && entry.is_regular_file(ec);
       }))
    names.push_back(file.filename().string());
  return names;
}

std::vector<std::string> MatFolderMaterials(const std::string& folder) {
  std::vector<std::string> names;
  for (const fs::path& sub : Entries(LocalFolder(folder), [](const fs::directory_entry& entry) {
         std::error_code ec;
         return SameText(entry.path().filename().string(), "Mat") && entry.is_directory(ec);
       }))
    for (std::string& name : FolderMaterials(sub.string() + "/"))
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  return names;
}

std::vector<std::string> ContainerMaterials(const std::string& container) {
  std::vector<std::string> names;
  TGob gob;
  try {
    const std::string path = FindFileNoCase(container);
    if (path.empty() || !gob.LoadFromFile(path)) return names;
  } catch (const EZarnError&) {
    return names;
  }
  for (int i = 0; i < gob.Count(); ++i) {
    const std::string& entry = gob.Entry(i).Name;
    if (IsFileFormat(entry, TFileFormat::Material)) names.emplace_back(FileNamePart(entry));
  }
  return names;
}
