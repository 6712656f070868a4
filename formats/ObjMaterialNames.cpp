#include "formats/ObjMaterialNames.h"

#include <algorithm>

#include "model/Text.h"

namespace {
constexpr std::string_view kMat = ".mat";

bool EndsInMat(std::string_view name) {
  return name.size() >= kMat.size() && SameText(name.substr(name.size() - kMat.size()), kMat);
}
}  // namespace

// Only a stem that would come back as another material keeps the ending: "a.mat.mat" and
// ".mat" stay whole.
std::string ObjMaterialName(std::string_view material) {
  const std::string_view stem = material.substr(0, material.size() - std::min(material.size(), kMat.size()));
  if (EndsInMat(material) && !stem.empty() && !EndsInMat(stem)) return std::string(stem);
  return std::string(material);
}

std::string MaterialFromObjName(std::string_view name) {
  return EndsInMat(name) ? std::string(name) : std::string(name) + std::string(kMat);
}

std::string ObjPictureName(std::string_view objName) {
  std::string name(objName);
  for (char& c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                       c == '-' || c == '.';
    if (!plain) c = '_';
  }
  if (name.empty() || name[0] == '.') name.insert(0, "_");
  return name + ".png";
}
