#include "formats/MaterialLoader.h"

#include <sys/stat.h>

#include <cstdint>
#include <memory>

#include "formats/Mat.h"
#include "formats/PathMap.h"
#include "model/Model.h"
#include "model/Text.h"
#include "services/UserServices.h"
#include "model/Errors.h"

void TMaterialLoader::Load(TMaterial& material) {
  TPlace place;
  if (Locate(material.Name, place))
    Read(material, place.Path, place.Start, place.Length);
  else
    Services.MaterialNotFound(material.Name, "Material not found '" + material.Name + "'");
}

bool TMaterialLoader::Found(const std::string& name) {
  TPlace place;
  return Locate(name, place);
}

bool TMaterialLoader::Locate(const std::string& name, TPlace& place) {
  // A model read from a container takes its materials from there first.
  const std::string& file = Model.FileName;
  if (const auto cut = file.find(" > "); cut != std::string::npos && InContainer(name, file.substr(0, cut), place))
    return true;
  const std::string folder(FolderPart(Model.FileName));
  for (const std::string& candidate : {folder + name, folder + "Mat\\" + name}) {
    place.Path = FindFileNoCase(candidate);
    if (!place.Path.empty()) return true;
  }
  for (const std::string& container : Containers)
    if (InContainer(name, container, place)) return true;
  return false;
}

namespace {
std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  return folded;
}
}  // namespace

bool TMaterialLoader::InContainer(const std::string& name, const std::string& container, TPlace& place) {
  const TCachedDirectory* directory = Directory(container);
  if (!directory) return false;
  const auto found = directory->ByFileName.find(Folded(name));
  if (found == directory->ByFileName.end()) return false;
  TGobItem item;
  directory->Gob.GetEntry(found->second, item);
  place = {item.ContainerName, item.Offset, item.Length};
  return true;
}

// A file that is found but cannot be read leaves the material unloaded; the model that
// names it still loads.
void TMaterialLoader::Read(TMaterial& material, const std::string& path, uint64_t start, uint64_t length) {
  Services.ShowStatus("Loading Material (" + material.Name + ")...");
  std::string problem;
  try {
    problem = ReadMat(material, path, start, length);
  } catch (const EZarnError& e) {
    problem = material.Name + ": " + e.what();
  }
  if (!problem.empty()) Services.AddOutput(problem);
  Services.ShowStatus("");
}

const TMaterialLoader::TCachedDirectory* TMaterialLoader::Directory(const std::string& container) {
  const std::string path = FindFileNoCase(container);
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return nullptr;
  TCachedDirectory& cached = Directories[path];
  const int64_t modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  if (cached.Size == st.st_size && cached.ModifiedNs == modified && cached.Inode == st.st_ino)
    return cached.Usable ? &cached : nullptr;
  cached.Size = st.st_size;
  cached.ModifiedNs = modified;
  cached.Inode = st.st_ino;
  cached.ByFileName.clear();
  try {
    cached.Usable = cached.Gob.LoadFromFile(path);
  } catch (const EZarnError& e) {
    cached.Usable = false;
    Services.AddOutput(e.what());  // a damaged container is passed over
  }
  for (int i = 0; cached.Usable && i < cached.Gob.Count(); ++i)
    cached.ByFileName[Folded(FileNamePart(cached.Gob.Entry(i).Name))] = i;
  return cached.Usable ? &cached : nullptr;
}
