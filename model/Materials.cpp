#include "model/Materials.h"

#include "model/Palette.h"

namespace {
// Names are compared for every face a reader or importer adds, so without a locale call.
char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
}  // namespace

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

void TMaterial::Load() {
  if (Owner && Owner->Loader) Owner->Loader(*this);
}

TMaterials::TMaterials() : Palette(BuiltInPalette()) {}

TMaterial* TMaterials::Find(std::string_view name) const {
  for (TMaterial* m : List)
    if (SameText(m->Name, name)) return m;
  return nullptr;
}

TMaterial* TMaterials::Add(const std::string& name) {
  TMaterial* material = List.Add(std::make_unique<TMaterial>(this, name));
  material->Load();
  return material;
}

TMaterial* TMaterials::FindOrAdd(const std::string& name) {
  if (TMaterial* m = Find(name)) return m;
  return Add(name);
}

TMaterial* TMaterials::DefaultMaterial() {
  static constexpr std::string_view kName = "dflt.mat";
  if (Default && SameText(Default->Name, kName)) return Default;
  Default = Find(kName);
  if (!Default) {
    Default = Add(std::string(kName));
    Default->ByDefault = true;
  }
  return Default;
}

void TMaterials::Delete(int index) {
  Default = nullptr;
  List.Delete(index);
}
