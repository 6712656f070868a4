// The materials of a glTF export and their pictures: the first image of each material that
// was read, as a PNG, through the colormap it was read with.
#include <algorithm>

#include "formats/GltfParts.h"
#include "formats/ObjMaterialNames.h"
#include "formats/PngWriter.h"
#include "model/Materials.h"

namespace {

// The part of the face a translucent face covers, as the game's hardware path blends it.
constexpr double kTranslucentAlpha = 0.65;

bool HasPicture(const TMaterial* m) {
  return m && m->Loaded && m->Width > 0 && m->Height > 0 &&
         m->Pixels.size() >= static_cast<size_t>(m->Width) * static_cast<size_t>(m->Height) * 3;
}

}  // namespace

std::array<int, 2> TGltfMaterials::Size(const TMaterial* m) {
  // A material that was not read counts as the texture commands count it.
  if (!(m && m->Loaded && m->Width > 0 && m->Height > 0)) return {kUnreadMaterialSide, kUnreadMaterialSide};
  return {m->Width, m->Height};
}

int TGltfMaterials::IndexOf(const TMaterial* material, bool twoSided, bool translucent) {
  const std::string key = std::to_string(reinterpret_cast<uintptr_t>(material)) + (twoSided ? "2" : "1") +
                          (translucent ? "t" : "o");
  const auto [at, added] = ByKey.try_emplace(key, static_cast<int>(Builder.Gltf.materials.size()));
  if (!added) return at->second;
  tinygltf::Material out;
  out.name = material ? material->Name : std::string();  // an import finds the material by it
  out.doubleSided = twoSided;
  std::vector<double>& color = out.pbrMetallicRoughness.baseColorFactor;
  out.pbrMetallicRoughness.metallicFactor = 0;  // the game's surfaces are plain paint
  if (const int texture = ImageOf(material); texture >= 0) {
    out.pbrMetallicRoughness.baseColorTexture.index = texture;
  } else {
    color = {0.5, 0.5, 0.5, 1};
  }
  if (translucent) {
    out.alphaMode = "BLEND";
    color[3] = kTranslucentAlpha;
  }
  Builder.Gltf.materials.push_back(std::move(out));
  return at->second;
}

// The texture showing the material's picture, made once per material; -1 for none.
int TGltfMaterials::ImageOf(const TMaterial* m) {
  const auto [at, added] = Images.try_emplace(m, -1);
  if (!added || !HasPicture(m)) return at->second;
  tinygltf::Model& gltf = Builder.Gltf;
  std::string png = EncodePng(m->Width, m->Height, m->Pixels);
  tinygltf::Image image;
  image.name = m->Name;
  if (PictureStem.empty()) {
    image.bufferView = Builder.AddView(png.data(), png.size(), 0);
    image.mimeType = "image/png";
  } else {
    // Letters, digits, "_", "-" and "." only: a name that needs no escaping in a URI.
    const std::string base = ObjPictureName(PictureStem + "_" + ObjMaterialName(m->Name));
    std::string name = base;
    for (int n = 2; std::any_of(PictureFiles.begin(), PictureFiles.end(), [&](const auto& f) { return f.first == name; });
         ++n)
      name = base.substr(0, base.size() - 4) + "_" + std::to_string(n) + ".png";
    image.uri = name;
    PictureFiles.emplace_back(name, std::move(png));
  }
  if (gltf.samplers.empty()) {
    tinygltf::Sampler sampler;  // texels unblended, as the views show them; repeated
    sampler.magFilter = TINYGLTF_TEXTURE_FILTER_NEAREST;
    sampler.minFilter = TINYGLTF_TEXTURE_FILTER_NEAREST;
    gltf.samplers.push_back(sampler);
  }
  gltf.images.push_back(std::move(image));
  tinygltf::Texture texture;
  texture.sampler = 0;
  texture.source = static_cast<int>(gltf.images.size()) - 1;
  gltf.textures.push_back(texture);
  return at->second = static_cast<int>(gltf.textures.size()) - 1;
}
