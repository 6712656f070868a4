#pragma once
// glTF files made for the tests through the glTF library's writer.
#include <tiny_gltf.h>

#include <string>
#include <vector>

namespace gltf_test {

constexpr double kHalf = 0.70710678118654752;  // sin and cos of 45 degrees

class TGltfMaker {
 public:
  TGltfMaker() {
    Gltf.buffers.emplace_back();
    Gltf.scenes.emplace_back();
    Gltf.defaultScene = 0;
    Gltf.asset.version = "2.0";
  }
  // An accessor of floats (`type` a TINYGLTF_TYPE_*) or, with `indices`, of unsigned shorts.
  int Accessor(const std::vector<double>& values, int type, bool indices = false) {
    auto& data = Gltf.buffers[0].data;
    while (data.size() % 4) data.push_back(0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = data.size();
    for (double v : values) {
      if (indices) {
        const uint16_t i = static_cast<uint16_t>(v);
        data.insert(data.end(), reinterpret_cast<const unsigned char*>(&i),
                    reinterpret_cast<const unsigned char*>(&i) + 2);
      } else {
        const float f = static_cast<float>(v);
        data.insert(data.end(), reinterpret_cast<const unsigned char*>(&f),
                    reinterpret_cast<const unsigned char*>(&f) + 4);
      }
    }
    view.byteLength = data.size() - view.byteOffset;
    Gltf.bufferViews.push_back(view);
    tinygltf::Accessor a;
    a.bufferView = static_cast<int>(Gltf.bufferViews.size()) - 1;
    a.componentType =
        indices ? TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT : TINYGLTF_COMPONENT_TYPE_FLOAT;
    a.type = type;
    const size_t width = type == TINYGLTF_TYPE_SCALAR ? 1
                         : type == TINYGLTF_TYPE_VEC2 ? 2
                         : type == TINYGLTF_TYPE_VEC4 ? 4
                         : type == TINYGLTF_TYPE_MAT4 ? 16
                                                      : 3;
    a.count = values.size() / width;
    Gltf.accessors.push_back(a);
    return static_cast<int>(Gltf.accessors.size()) - 1;
  }
  // Makes `accessor` sparse: the elements at `indices` (unsigned shorts) take `values`.
  void Sparse(int accessor, const std::vector<double>& indices, const std::vector<double>& values) {
    const int at = Accessor(indices, TINYGLTF_TYPE_SCALAR, true), with = Accessor(values, TINYGLTF_TYPE_SCALAR);
    auto& sparse = Gltf.accessors[static_cast<size_t>(accessor)].sparse;
    sparse.isSparse = true;
    sparse.count = static_cast<int>(indices.size());
    sparse.indices = {0, Gltf.accessors[static_cast<size_t>(at)].bufferView, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT};
    sparse.values = {Gltf.accessors[static_cast<size_t>(with)].bufferView, 0};
    Gltf.accessors.resize(Gltf.accessors.size() - 2);
  }
  // A material of a PNG picture held in the buffer.
  int Material(const std::string& name, const std::string& png, bool doubleSided, bool blend) {
    auto& data = Gltf.buffers[0].data;
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = data.size();
    view.byteLength = png.size();
    data.insert(data.end(), png.begin(), png.end());
    Gltf.bufferViews.push_back(view);
    tinygltf::Image image;
    image.bufferView = static_cast<int>(Gltf.bufferViews.size()) - 1;
    image.mimeType = "image/png";
    Gltf.images.push_back(image);
    tinygltf::Texture texture;
    texture.source = static_cast<int>(Gltf.images.size()) - 1;
    Gltf.textures.push_back(texture);
    tinygltf::Material m;
    m.name = name;
    m.doubleSided = doubleSided;
    m.alphaMode = blend ? "BLEND" : "OPAQUE";
    m.pbrMetallicRoughness.baseColorTexture.index = static_cast<int>(Gltf.textures.size()) - 1;
    Gltf.materials.push_back(m);
    return static_cast<int>(Gltf.materials.size()) - 1;
  }
  // A mesh of one triangle list.
  int Mesh(const std::string& name, const std::vector<double>& positions,
           const std::vector<double>& indices, int material = -1,
           const std::vector<double>& uv = {}) {
    tinygltf::Primitive p;
    p.attributes["POSITION"] = Accessor(positions, TINYGLTF_TYPE_VEC3);
    if (!uv.empty()) p.attributes["TEXCOORD_0"] = Accessor(uv, TINYGLTF_TYPE_VEC2);
    p.indices = Accessor(indices, TINYGLTF_TYPE_SCALAR, true);
    p.material = material;
    p.mode = TINYGLTF_MODE_TRIANGLES;
    Gltf.meshes.emplace_back();
    Gltf.meshes.back().name = name;
    Gltf.meshes.back().primitives.push_back(p);
    return static_cast<int>(Gltf.meshes.size()) - 1;
  }
  // Makes `node` a skinned mesh of one triangle list over the joints, each bound where it
  // stands (an inverse bind matrix per joint: its translation undone), with up to four
  // joints and weights a vertex.
  void Skin(int node, const std::vector<int>& joints,
            const std::vector<std::vector<double>>& places, const std::vector<double>& positions,
            const std::vector<double>& indices, const std::vector<double>& influences,
            const std::vector<double>& weights) {
    std::vector<double> binds;
    for (const auto& at : places)
      binds.insert(binds.end(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -at[0], -at[1], -at[2], 1});
    tinygltf::Skin skin;
    skin.joints = joints;
    skin.inverseBindMatrices = Accessor(binds, TINYGLTF_TYPE_MAT4);
    Gltf.skins.push_back(skin);
    const int mesh = Mesh("skinned", positions, indices);
    Gltf.meshes[static_cast<size_t>(mesh)].primitives[0].attributes["JOINTS_0"] =
        Accessor(influences, TINYGLTF_TYPE_VEC4, true);
    Gltf.meshes[static_cast<size_t>(mesh)].primitives[0].attributes["WEIGHTS_0"] =
        Accessor(weights, TINYGLTF_TYPE_VEC4);
    Gltf.nodes[static_cast<size_t>(node)].mesh = mesh;
    Gltf.nodes[static_cast<size_t>(node)].skin = static_cast<int>(Gltf.skins.size()) - 1;
  }
  int Node(const std::string& name, std::vector<double> t = {}, std::vector<double> r = {},
           std::vector<double> s = {}, int mesh = -1, int parent = -1) {
    tinygltf::Node n;
    n.name = name;
    n.translation = t;
    n.rotation = r;
    n.scale = s;
    n.mesh = mesh;
    Gltf.nodes.push_back(n);
    const int index = static_cast<int>(Gltf.nodes.size()) - 1;
    if (parent < 0)
      Gltf.scenes[0].nodes.push_back(index);
    else
      Gltf.nodes[static_cast<size_t>(parent)].children.push_back(index);
    return index;
  }
  // A channel of animation `animation` (made when new) driving `path` of `node`.
  void Channel(size_t animation, const std::string& name, int node, const std::string& path,
               const std::vector<double>& times, const std::vector<double>& values,
               const std::string& how = "LINEAR") {
    if (Gltf.animations.size() <= animation) Gltf.animations.resize(animation + 1);
    tinygltf::Animation& a = Gltf.animations[animation];
    a.name = name;
    tinygltf::AnimationSampler sampler;
    sampler.input = Accessor(times, TINYGLTF_TYPE_SCALAR);
    sampler.output = Accessor(values, path == "rotation" ? TINYGLTF_TYPE_VEC4 : TINYGLTF_TYPE_VEC3);
    sampler.interpolation = how;
    a.samplers.push_back(sampler);
    tinygltf::AnimationChannel channel;
    channel.sampler = static_cast<int>(a.samplers.size()) - 1;
    channel.target_node = node;
    channel.target_path = path;
    a.channels.push_back(channel);
  }
  std::string Write(const std::string& path) {
    tinygltf::TinyGLTF writer;
    writer.WriteGltfSceneToFile(&Gltf, path, true, true, true, true);
    return path;
  }
  tinygltf::Model Gltf;
};

}  // namespace gltf_test
