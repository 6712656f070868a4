#include "editing/GameCheck.h"

#include <string_view>

#include "model/Model.h"
#include "model/WrittenMaterials.h"

namespace {

// What the game's loader holds per mesh and per name.
constexpr int kMaxVertices = 512, kMaxTextureVertices = 768, kMaxFaces = 512;
constexpr int kMaxCorners = 24;
constexpr size_t kMaxName = 31;

class TGameCheck {
 public:
  std::vector<std::string> Breaches;

  void Name(const std::string& place, const std::string& name) {
    if (name.size() > kMaxName)
      Add(place, "name of " + std::to_string(name.size()) + " characters, the game loads at most " +
                     std::to_string(kMaxName));
    if (name.find_first_of(" \t\r\n\v\f") != std::string::npos)
      Add(place, "name with a space, the game reads a name only up to its first space");
  }
  void Count(const std::string& place, long long count, std::string_view what, int most) {
    if (count > most)
      Add(place, std::to_string(count) + " " + std::string(what) + ", the game loads at most " + std::to_string(most));
  }
  void Mesh(const TMesh& mesh, int node, int set) {
    const std::string place =
        "Mesh '" + mesh.Name + "' (node " + std::to_string(node) + "), level of detail " + std::to_string(set);
    Name(place, mesh.Name);
    Count(place, mesh.Vertices.Count(), "vertices", kMaxVertices);
    long long textureVertices = 0;  // the written file holds one per face corner
    for (int i = 0; i < mesh.Surfaces.Count(); ++i) {
      const TFace& face = *mesh.Surfaces[i];
      textureVertices += face.TXVertices.Count();
      const int corners = face.Vertices.Count();
      if (corners < 1 || corners > kMaxCorners)
        Add(place + ", face " + std::to_string(i),
            std::to_string(corners) + " corners, the game loads faces of 1 to " + std::to_string(kMaxCorners));
    }
    Count(place, textureVertices, "texture vertices", kMaxTextureVertices);
    Count(place, mesh.Surfaces.Count(), "faces", kMaxFaces);
  }
  void Add(const std::string& place, const std::string& what) { Breaches.push_back(place + ": " + what); }
};

}  // namespace

std::vector<std::string> CheckForGame(const TModel& model, const TMaterialFound& found) {
  TGameCheck check;
  check.Count("The model", model.GeosetCount(), "levels of detail", kGameGeosets);
  for (int i = 0; i < model.Nodes.Count(); ++i) {
    const TNode& node = *model.Nodes[i];
    check.Name("Node '" + node.Name + "' (node " + std::to_string(i) + ")", node.Name);
    for (int set = 0; set < model.GeosetCount(); ++set)
      if (const TMesh* mesh = model.GeosetMesh(node, set)) check.Mesh(*mesh, i, set);
  }
  // Numbered as the written file numbers them, which names no material held only by default.
  const std::vector<TMaterial*> materials = WrittenMaterials(model, model.Nodes.Pointers());
  for (size_t i = 0; i < materials.size(); ++i) {
    const TMaterial& material = *materials[i];
    const std::string place = "Material '" + material.Name + "' (material " + std::to_string(i) + ")";
    check.Name(place, material.Name);
    if (found && !found(material.Name))
      check.Add(place, "not found in the model's folder, its Mat folder or the resource list's containers, "
                       "so the game does not load the model");
  }
  return std::move(check.Breaches);
}
