#include "formats/ColormapPlaces.h"

#include <algorithm>
#include <filesystem>

#include "formats/Gob.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"
#include "model/Materials.h"
#include "model/Palette.h"
#include "model/Text.h"

namespace fs = std::filesystem;

namespace {

bool IsCmpName(std::string_view name) { return SameText(ExtensionPart(name), ".cmp"); }

// The .cmp files of a folder, sorted by name; none when it cannot be listed.
void AddFolder(const fs::path& folder, std::vector<TColormapPlace>& places) {
  std::vector<std::string> found;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file(error) && IsCmpName(it->path().filename().string())) found.push_back(it->path().string());
  std::sort(found.begin(), found.end());
  for (std::string& path : found) places.push_back({std::move(path), "", 0, UINT64_MAX});
}

// The subfolder whose name is `name` in any case, or an empty path.
fs::path SubfolderNamed(const fs::path& folder, std::string_view name) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (it->is_directory(error) && SameText(it->path().filename().string(), name)) return it->path();
  return {};
}

}  // namespace

std::vector<TColormapPlace> ColormapsInContainer(const std::string& container) {
  std::vector<TColormapPlace> places;
  TGob gob;
  if (!RegularFileExists(container) || !gob.LoadFromFile(container)) return places;
  for (int i = 0; i < gob.Count(); ++i) {
    const TGobListItem& e = gob.Entry(i);
    if (StartsWithText(e.Name, "misc\\cmp\\") && IsCmpName(e.Name)) places.push_back({container, e.Name, e.Offset, e.Length});
  }
  return places;
}

std::vector<TColormapPlace> FindColormaps(const std::string& modelPath, const std::vector<std::string>& containers) {
  std::vector<TColormapPlace> places;
  if (!modelPath.empty()) {
    const fs::path folder = fs::path(modelPath).parent_path().empty() ? fs::path(".") : fs::path(modelPath).parent_path();
    AddFolder(folder, places);
    if (const fs::path misc = SubfolderNamed(folder, "misc"); !misc.empty())
      if (const fs::path cmp = SubfolderNamed(misc, "cmp"); !cmp.empty()) AddFolder(cmp, places);
  }
  for (const std::string& container : containers) {
    try {
      for (TColormapPlace& p : ColormapsInContainer(container)) places.push_back(std::move(p));
    } catch (const EZarnError&) {
      // A damaged container holds nothing to choose; the materials' search reports it.
    }
  }
  return places;
}

TColormapPlace ColormapPlaceNamed(const std::string& name) {
  if (RegularFileExists(name)) return {name, "", 0, UINT64_MAX};
  const auto colon = name.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == name.size())
    throw EInOutError("File '" + name + "' not found");
  const std::string container = name.substr(0, colon);
  const std::string wanted = name.substr(colon + 1);
  TGob gob;
  if (!RegularFileExists(container)) throw EInOutError("File '" + container + "' not found");
  if (!gob.LoadFromFile(container)) throw EInOutError("Failed to load GOB/GOO '" + container + "'");
  TGobItem item;
  if (gob.FindEntry(wanted, item))
    return {container, item.EntryName, item.Offset, item.Length};
  throw EInOutError("No entry '" + name.substr(colon + 1) + "' in '" + container + "'");
}

TColormap ReadColormap(const TColormapPlace& place) {
  return ReadCmp(place.Path, place.Start, place.Length, std::string(FileNamePart(place.Entry.empty() ? place.Path : place.Entry)));
}

TGobItem GobItemAt(const TColormapPlace& place) {
  TGobItem item;
  item.ContainerName = place.Path;
  item.EntryName = place.Entry;
  item.Offset = static_cast<uint32_t>(place.Start);
  item.Length = static_cast<uint32_t>(place.Length);
  return item;
}

void ChangeColormap(TMaterials& materials, const TColormap* colormap) {
  const std::array<uint8_t, 768>& palette = colormap ? colormap->Palette : BuiltInPalette();
  if (colormap)
    materials.LightTable.assign(colormap->LightTable.begin(), colormap->LightTable.end());
  else
    materials.LightTable.clear();
  if (materials.Palette == palette) return;
  materials.Palette = palette;
  // Materials that were not found, or hold colours of their own, would only be searched for
  // and reported again.
  for (TMaterial* m : materials)
    if (m->Loaded && m->BitDepth != 16) m->Load();
}
