#include "model/Materials.h"

#include "model/Palette.h"
#include "model/Text.h"

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
