#include "model/Materials.h"

#include <cctype>

#include "model/Palette.h"

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

void TMaterial::Load() {
  if (Owner && Owner->Loader) Owner->Loader(*this);
}

TMaterials::TMaterials() : Palette(BuiltInPalette()) {}

TMaterials::~TMaterials() { FreeAll(); }

TMaterial* TMaterials::Find(std::string_view name) const {
  for (TMaterial* m : List)
    if (SameText(m->Name, name)) return m;
  return nullptr;
}

TMaterial* TMaterials::Add(const std::string& name) {
  auto* material = new TMaterial(this, name);
  List.Add(material);
  material->Load();
  return material;
}

TMaterial* TMaterials::FindOrAdd(const std::string& name) {
  if (TMaterial* m = Find(name)) return m;
  return Add(name);
}

void TMaterials::Delete(int index) {
  TMaterial* m = List.Get(index);
  List.Delete(index);
  delete m;
}

void TMaterials::FreeAll() { List.FreeAll(); }
