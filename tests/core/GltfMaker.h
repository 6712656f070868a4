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
  // The item's index once added at the end of the list.
  template <class T>
  static int Added(std::vector<T>& list, T item) {
    list.push_back(std::move(item));
    return static_cast<int>(list.size()) - 1;
  }
  // A view of `bytes`, added to the buffer at a four-byte boundary.
  int View(const std::string& bytes) {
    auto& data = Gltf.buffers[0].data;
    while (data.size() % 4) data.push_back(0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = data.size();
    view.byteLength = bytes.size();
    data.insert(data.end(), bytes.begin(), bytes.end());
    return Added(Gltf.bufferViews, view);
  }
  // An accessor of floats (`type` a TINYGLTF_TYPE_*) or, with `indices`, of unsigned shorts.
  int Accessor(const std::vector<double>& values, int type, bool indices = false) {
    std::string bytes;
    for (double v : values) {
      const uint16_t i = static_cast<uint16_t>(v);
      const float f = static_cast<float>(v);
      bytes.append(indices ? reinterpret_cast<const char*>(&i) : reinterpret_cast<const char*>(&f),
                   indices ? 2 : 4);
    }
    tinygltf::Accessor a;
    a.bufferView = View(bytes);
    a.componentType =
        indices ? TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT : TINYGLTF_COMPONENT_TYPE_FLOAT;
    a.type = type;
    a.count = values.size() /
              static_cast<size_t>(tinygltf::GetNumComponentsInType(static_cast<uint32_t>(type)));
    return Added(Gltf.accessors, a);
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
  // Gives `mesh` the indices `indices` as unsigned ints.
  void WideIndices(int mesh, const std::vector<uint32_t>& indices) {
    const int at = Gltf.meshes[static_cast<size_t>(mesh)].primitives[0].indices;
    tinygltf::Accessor& a = Gltf.accessors[static_cast<size_t>(at)];
    a.bufferView = View(std::string(reinterpret_cast<const char*>(indices.data()), indices.size() * 4));
    a.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
  }
  // A material of a PNG picture held in the buffer.
  int Material(const std::string& name, const std::string& png, bool doubleSided, bool blend) {
    tinygltf::Image image;
    image.bufferView = View(png);
    image.mimeType = "image/png";
    tinygltf::Texture texture;
    texture.source = Added(Gltf.images, image);
    tinygltf::Material m;
    m.name = name;
    m.doubleSided = doubleSided;
    m.alphaMode = blend ? "BLEND" : "OPAQUE";
    m.pbrMetallicRoughness.baseColorTexture.index = Added(Gltf.textures, texture);
    return Added(Gltf.materials, m);
  }
  // A mesh of one triangle list; without indices its corners are the positions in turn.
  int Mesh(const std::string& name, const std::vector<double>& positions,
           const std::vector<double>& indices, int material = -1,
           const std::vector<double>& uv = {}) {
    tinygltf::Primitive p;
    p.attributes["POSITION"] = Accessor(positions, TINYGLTF_TYPE_VEC3);
    if (!uv.empty()) p.attributes["TEXCOORD_0"] = Accessor(uv, TINYGLTF_TYPE_VEC2);
    if (!indices.empty()) p.indices = Accessor(indices, TINYGLTF_TYPE_SCALAR, true);
    p.material = material;
    p.mode = TINYGLTF_MODE_TRIANGLES;
    tinygltf::Mesh mesh;
    mesh.name = name;
    mesh.primitives.push_back(p);
    return Added(Gltf.meshes, mesh);
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
    tinygltf::Node& skinned = Gltf.nodes[static_cast<size_t>(node)];
    skinned.skin = Added(Gltf.skins, skin);
    skinned.mesh = Mesh("skinned", positions, indices);
    auto& attributes = Gltf.meshes[static_cast<size_t>(skinned.mesh)].primitives[0].attributes;
    attributes["JOINTS_0"] = Accessor(influences, TINYGLTF_TYPE_VEC4, true);
    attributes["WEIGHTS_0"] = Accessor(weights, TINYGLTF_TYPE_VEC4);
  }
  int Node(const std::string& name, std::vector<double> t = {}, std::vector<double> r = {},
           std::vector<double> s = {}, int mesh = -1, int parent = -1) {
    tinygltf::Node n;
    n.name = name;
    n.translation = t;
    n.rotation = r;
    n.scale = s;
    n.mesh = mesh;
    const int index = Added(Gltf.nodes, n);
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
    tinygltf::AnimationChannel channel;
    channel.sampler = Added(a.samplers, sampler);
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
