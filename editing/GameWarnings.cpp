#include "editing/GameWarnings.h"

#include "model/Model.h"
#include "model/Text.h"

namespace {
// A mesh of imported scans can hold thousands of such faces; the first ones show the place.
constexpr int kFacesNamed = 8;
const char* const kNotDrawn = ": geometry mode 0, not drawn by the game";
}  // namespace

std::string ModelEntryWarning(const std::string& entry) {
  constexpr std::string_view kFolder = "3do\\";
  const bool inFolder = entry.size() > kFolder.size() && SameText(std::string_view(entry).substr(0, kFolder.size()), kFolder) &&
                        entry.find('\\', kFolder.size()) == std::string::npos;
  if (inFolder) return {};
  return "Entry '" + entry + "' lies outside 3do\\, where the game never looks for a model";
}

std::vector<std::string> GameWarnings(const TModel& model) {
  std::vector<std::string> warnings;
  for (int i = 0; i < model.Nodes.Count(); ++i)
    for (int set = 0; set < model.GeosetCount(); ++set) {
      const TMesh* mesh = model.GeosetMesh(*model.Nodes[i], set);
      if (!mesh) continue;
      const std::string place =
          "Mesh '" + mesh->Name + "' (node " + std::to_string(i) + "), level of detail " + std::to_string(set + 1);
      if (mesh->GeometryMode == 0) {
        warnings.push_back(place + kNotDrawn);
        continue;
      }
      int hidden = 0;
      for (int f = 0; f < mesh->Surfaces.Count(); ++f)
        if (mesh->Surfaces[f]->GeometryMode == 0 && ++hidden <= kFacesNamed)
          warnings.push_back(place + ", face " + std::to_string(f) + kNotDrawn);
      if (hidden > kFacesNamed)
        warnings.push_back(place + ": " + std::to_string(hidden - kFacesNamed) + " more faces of geometry mode 0");
    }
  return warnings;
}
