#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/OwnedList.h"

class TMaterials;

class TMaterial {
 public:
  TMaterial(TMaterials* owner, std::string name) : Owner(owner), Name(std::move(name)) {}

  TMaterials* Owner;
  std::string Name;
  int Width = 1;
  int Height = 1;
  int BitDepth = 0;
  std::vector<uint8_t> Pixels;  // Width x Height RGB triples, rows in file order
  // What the game's own drawing needs besides the colours: each pixel's palette index (8-bit
  // textures), the index the texture shows see-through when its header enables one (else
  // -1), and the colour index of the first cel record, drawn when geometry is solid colour.
  std::vector<uint8_t> Indices;
  bool IsTexture = false;
  int TransparentIndex = -1;
  int SolidIndex = -1;
  int Cels = 1;  // images the file holds
  int Cel = 0;   // the one read, which Load keeps (the first when the file holds fewer)
  int TextureName = -1;
  bool Loaded = false;
  // Held only because a new face needed a material: not written unless a face uses it.
  bool ByDefault = false;

  // Reads the material's file through the list's loader, if one is installed.
  void Load();
};

// The texels across and down that a material counts when it was not read, so that texture
// coordinates keep a meaning without the picture.
constexpr int kUnreadMaterialSide = 64;

template <>
struct ListMessage<TMaterial> {
  static constexpr const char* Text = "Material Index is out of bounds: %d";
};

// The model's materials, owned, in the order they were added: that order numbers them in a
// written 3DO file.
class TMaterials {
 public:
  TMaterials();
  TMaterials(const TMaterials&) = delete;
  TMaterials& operator=(const TMaterials&) = delete;

  int Count() const { return List.Count(); }
  TMaterial* Get(int index) const { return List.Get(index); }
  TMaterial* Find(std::string_view name) const;
  TMaterial* Add(const std::string& name);
  TMaterial* FindOrAdd(const std::string& name);
  // "dflt.mat", which every new face takes: found once and remembered until it leaves the
  // list or is renamed, since a search per face costs a mesh of a million faces seconds
  // when the list is long. Added, marked ByDefault, when the list has none.
  TMaterial* DefaultMaterial();
  void Delete(int index);
  // Takes every material out of the list, in order, without freeing them.
  std::vector<std::unique_ptr<TMaterial>> ExtractAll() {
    Default = nullptr;
    return List.ExtractAll();
  }
  // Appends a material that is already read.
  TMaterial* Put(std::unique_ptr<TMaterial> material) { return List.Add(std::move(material)); }
  // Takes the material out of the list without freeing it.
  std::unique_ptr<TMaterial> Extract(int index) {
    Default = nullptr;
    return List.Extract(index);
  }
  int IndexOf(const TMaterial* material) const { return List.IndexOf(material); }
  void Clear() {
    Default = nullptr;
    List.Clear();
  }
  auto begin() const { return List.begin(); }
  auto end() const { return List.end(); }

  std::array<uint8_t, 768> Palette{};
  // The chosen colormap's light table, 64 rows of 256 palette indices (row 63 full light);
  // empty with the built-in palette, which has none.
  std::vector<uint8_t> LightTable;
  // Installed by whoever can read material files; without one, materials stay unloaded.
  std::function<void(TMaterial&)> Loader;

 private:
  TOwnedList<TMaterial> List;
  TMaterial* Default = nullptr;  // what DefaultMaterial found last; never a freed material
};

