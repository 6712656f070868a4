#include "formats/GltfImport.h"

// glTF import: the library parses the file; every index and count it leaves unchecked is
// checked here before use, so that a damaged file gives one message and no model.
#include <stb_image.h>
#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

#include "formats/FileIO.h"
#include "formats/GltfAccessors.h"
#include "formats/GltfScene.h"
#include "formats/MatWriter.h"
#include "formats/NameRules.h"
#include "formats/PngReader.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"
#include "model/Hierarchy.h"
#include "model/Model.h"
#include "model/Text.h"

namespace {

// Largest file, or buffer file beside it, read: far beyond a game model's.
constexpr uint64_t kGltfMostBytes = uint64_t{256} << 20;

bool ReadLimited(std::vector<unsigned char>* out, std::string* err, const std::string& path,
                 void*) {
  try {
    const std::string data = ReadWholeFile(path, kGltfMostBytes);
    out->assign(data.begin(), data.end());
    return true;
  } catch (const EZarnError& e) {
    *err = e.what();
    return false;
  }
}

// A buffer's or picture's name is taken as written: no variables or "~" expanded.
std::string AsWritten(const std::string& path, void*) { return path; }

// Pictures of every kind the glTF library decodes (PNG, JPEG, ...): their size, which the
// texture coordinates need, comes from the header; the pixels are decoded only for a picture
// a material can hold. A picture of no kind it knows is left undecoded, and its faces count
// it as an unread material.
bool LoadPicture(tinygltf::Image* image, int index, std::string* err, std::string* warn, int w,
                 int h, const unsigned char* bytes, int size, void* user) {
  int width = 0, height = 0, components = 0;
  if (size <= 0 || !stbi_info_from_memory(bytes, size, &width, &height, &components) || width <= 0 ||
      height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
    return true;
  if (width > kMatMaxSide || height > kMatMaxSide ||
      !tinygltf::LoadImageData(image, index, err, warn, w, h, bytes, size, user)) {
    *image = tinygltf::Image();
    err->clear();
  }
  image->width = width;
  image->height = height;
  return true;
}

tinygltf::Model LoadFile(const std::string& path) {
  if (std::string problem = NotARegularFile(path); !problem.empty()) throw EInOutError(problem);
  tinygltf::TinyGLTF loader;
  loader.SetImageLoader(LoadPicture, nullptr);
  loader.SetFsCallbacks(
      {&tinygltf::FileExists, &AsWritten, &ReadLimited, &tinygltf::WriteWholeFile, nullptr});
  tinygltf::Model gltf;
  std::string err, warn;
  bool read = false;
  try {
    read = SameText(ExtensionPart(path), ".glb")
               ? loader.LoadBinaryFromFile(&gltf, &err, &warn, path)
               : loader.LoadASCIIFromFile(&gltf, &err, &warn, path);
  } catch (const std::exception&) {
    err = "the file is no glTF it can read";
  }
  if (!read) {
    std::string why = err.substr(0, err.find('\n'));
    // The JSON parser names its own exception first: the user is told what was found.
    if (const size_t tag = why.find("[json.exception"); tag != std::string::npos) {
      const size_t end = why.find("] ", tag);
      why = "broken JSON: " + (end == std::string::npos ? std::string() : why.substr(end + 2));
    }
    if (why.empty()) why = "the file is no glTF it can read";
    throw EParserError(std::string(FileNamePart(path)) + ": " + why);
  }
  // A file that needs an extension for its meshes (compressed ones, Draco or meshopt) would
  // read as empty or collapsed meshes; one that needs it only for how its faces look reads.
  for (const std::string& extension : gltf.extensionsRequired)
    if (extension != "KHR_texture_transform" && extension != "KHR_mesh_quantization" &&
        extension != "KHR_texture_basisu" && !extension.starts_with("KHR_materials_") &&
        !extension.starts_with("EXT_texture_"))
      throw EParserError(std::string(FileNamePart(path)) + ": it needs the glTF extension " + extension +
                         ", which this program does not read");
  return gltf;
}

bool Finite(const std::vector<double>& numbers) {
  for (double v : numbers)
    if (!std::isfinite(v)) return false;
  return true;
}

TQuat QuatOf(const TAffine& a) {
  const auto& m = a.R;
  const double trace = m[0][0] + m[1][1] + m[2][2];
  TQuat q;
  if (trace > 0) {
    const double s = 2 * std::sqrt(trace + 1);
    q = {(m[2][1] - m[1][2]) / s, (m[0][2] - m[2][0]) / s, (m[1][0] - m[0][1]) / s, s / 4};
  } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
    const double s = 2 * std::sqrt(1 + m[0][0] - m[1][1] - m[2][2]);
    q = {s / 4, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s, (m[2][1] - m[1][2]) / s};
  } else if (m[1][1] > m[2][2]) {
    const double s = 2 * std::sqrt(1 + m[1][1] - m[0][0] - m[2][2]);
    q = {(m[0][1] + m[1][0]) / s, s / 4, (m[1][2] + m[2][1]) / s, (m[0][2] - m[2][0]) / s};
  } else {
    const double s = 2 * std::sqrt(1 + m[2][2] - m[0][0] - m[1][1]);
    q = {(m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, s / 4, (m[1][0] - m[0][1]) / s};
  }
  return Normalized(q);
}

// The node's transform; a matrix is taken apart into translation, rotation and scale.
TGltfTrs NodeTrs(const tinygltf::Node& node, int index) {
  const std::string what = "node " + std::to_string(index);
  TGltfTrs trs;
  if (!Finite(node.matrix) || !Finite(node.translation) || !Finite(node.rotation) ||
      !Finite(node.scale))
    throw EParserError(what + ": its transform holds a number that is not finite");
  if (node.matrix.size() == 16) {
    const auto& m = node.matrix;  // column by column
    TVector c[3] = {{m[0], m[1], m[2]}, {m[4], m[5], m[6]}, {m[8], m[9], m[10]}};
    trs.T = {m[12], m[13], m[14]};
    trs.S = {VectorLength(c[0]), VectorLength(c[1]), VectorLength(c[2])};
    if (trs.S.X == 0 || trs.S.Y == 0 || trs.S.Z == 0)
      throw EParserError(what + ": its matrix has a scale of 0");
    TAffine r;
    for (int j = 0; j < 3; ++j) {
      const double s = j == 0 ? trs.S.X : j == 1 ? trs.S.Y : trs.S.Z;
      r.R[0][j] = c[j].X / s, r.R[1][j] = c[j].Y / s, r.R[2][j] = c[j].Z / s;
    }
    const TVector cross = CrossProduct(c[0], c[1]);
    if (cross.X * c[2].X + cross.Y * c[2].Y + cross.Z * c[2].Z <
        0) {  // a mirror: one axis turned over
      trs.S.Z = -trs.S.Z;
      for (int i = 0; i < 3; ++i) r.R[i][2] = -r.R[i][2];
    }
    trs.R = QuatOf(r);
    return trs;
  }
  if (node.translation.size() == 3)
    trs.T = {node.translation[0], node.translation[1], node.translation[2]};
  if (node.rotation.size() == 4) {
    trs.R = {node.rotation[0], node.rotation[1], node.rotation[2], node.rotation[3]};
    if (trs.R.X == 0 && trs.R.Y == 0 && trs.R.Z == 0 && trs.R.W == 0)
      throw EParserError(what + ": its rotation is no rotation");
    trs.R = Normalized(trs.R);
  }
  if (node.scale.size() == 3) trs.S = {node.scale[0], node.scale[1], node.scale[2]};
  if (trs.S.X == 0 || trs.S.Y == 0 || trs.S.Z == 0) throw EParserError(what + ": its scale is 0");
  return trs;
}

// The node tree of the default scene, or of the first: each node at most one parent, no loop.
void ReadTree(TGltfScene& scene) {
  const tinygltf::Model& gltf = scene.Gltf;
  if (gltf.nodes.size() > kGltfMostNodes)
    throw EParserError(std::to_string(gltf.nodes.size()) + " nodes; this program reads at most " +
                       std::to_string(kGltfMostNodes));
  if (gltf.scenes.empty()) throw EParserError("the file holds no scene");
  const size_t chosen = gltf.defaultScene >= 0 ? static_cast<size_t>(gltf.defaultScene) : 0;
  if (chosen >= gltf.scenes.size())
    throw EParserError("the default scene " + std::to_string(chosen) + " is not in the file");
  const size_t count = gltf.nodes.size();
  scene.Parent.assign(count, -1);
  auto check = [count](int n) {
    if (n < 0 || static_cast<size_t>(n) >= count)
      throw EParserError("there is no node " + std::to_string(n));
    return static_cast<size_t>(n);
  };
  for (size_t n = 0; n < count; ++n)
    for (int child : gltf.nodes[n].children) {
      const size_t c = check(child);
      if (scene.Parent[c] != -1 || c == n)
        throw EParserError("node " + std::to_string(c) + " has two parents, or is its own");
      scene.Parent[c] = static_cast<int>(n);
    }
  std::vector<bool> seen(count);
  std::vector<int> stack;
  const std::vector<int>& roots = gltf.scenes[chosen].nodes;
  for (auto r = roots.rbegin(); r != roots.rend(); ++r) stack.push_back(*r);
  while (!stack.empty()) {
    const size_t n = check(stack.back());
    stack.pop_back();
    if (seen[n])
      throw EParserError("node " + std::to_string(n) + " is reached twice: the tree has a loop");
    seen[n] = true;
    scene.Order.push_back(static_cast<int>(n));
    const auto& children = gltf.nodes[n].children;
    for (auto c = children.rbegin(); c != children.rend(); ++c) stack.push_back(*c);
  }
  for (int root : roots)
    if (scene.Parent[static_cast<size_t>(root)] != -1)
      throw EParserError("node " + std::to_string(root) + " is a scene's top node and a child");
}

bool IsExactTurn(const TGltfTrs& trs) {
  const double h = std::sqrt(0.5);
  return trs.T == TVector{} && trs.S == TVector{1, 1, 1} && std::abs(trs.R.X + h) < 1e-7 &&
         trs.R.Y == 0 && trs.R.Z == 0 && std::abs(trs.R.W - h) < 1e-7;
}

std::string NameOf(const std::string& given, const std::string& otherwise,
                   std::vector<std::string>& renames, const char* what) {
  if (given.empty()) return otherwise;
  // A material's name is also the name of the file written for it.
  std::string safe = std::string_view(what) == "material" ? FileSafeName(given) : SafeName(given);
  if (safe.empty()) safe = otherwise;
  if (safe != given)
    renames.push_back(std::string(what) + " '" + PrintableName(given) + "' is named '" + safe +
                      "'");
  return safe;
}

}  // namespace

std::string FileSafeName(std::string_view name) {
  std::string safe(name);
  for (char& c : safe)
    if (c == '/' || c == '\\' || c == ':') c = '_';
  return SafeName(safe);
}

std::vector<uint32_t> Triangles(const std::vector<uint32_t>& indices, int mode) {
  if (mode == TINYGLTF_MODE_TRIANGLES)
    return {indices.begin(), indices.end() - static_cast<long>(indices.size() % 3)};
  std::vector<uint32_t> triangles;
  for (size_t i = 2; i < indices.size(); ++i) {
    if (mode == TINYGLTF_MODE_TRIANGLE_FAN)
      triangles.insert(triangles.end(), {indices[0], indices[i - 1], indices[i]});
    else if (i % 2 == 0)
      triangles.insert(triangles.end(), {indices[i - 2], indices[i - 1], indices[i]});
    else
      triangles.insert(triangles.end(), {indices[i - 1], indices[i - 2], indices[i]});
  }
  return triangles;
}

namespace {

// Builds the model's nodes and meshes of a scene.
class TSceneBuilder {
 public:
  TSceneBuilder(TGltfScene& scene, TModel& model) : Scene(scene), Gltf(scene.Gltf), Model(model) {}
  void Build(TGltfExtras& extras);

 private:
  void AddNodes();
  void AddMesh(int gltfNode, TNode& target, const TAffine& bake);
  const TMaterialUse& MaterialOf(int index);
  bool Animated(int gltfNode) const;

  TGltfScene& Scene;
  const tinygltf::Model& Gltf;
  TModel& Model;
  std::vector<TAffine> Worlds, Frames;
  std::unordered_map<int, TMaterialUse> Materials;
  std::vector<std::string> Renames;
  TGltfExtras* Extras = nullptr;
  int SkippedPrimitives = 0, SkewedNodes = 0;
};

bool TSceneBuilder::Animated(int gltfNode) const {
  for (const auto& animation : Gltf.animations)
    for (const auto& channel : animation.channels)
      if (channel.target_node == gltfNode) return true;
  return false;
}

void TSceneBuilder::Build(TGltfExtras& extras) {
  Extras = &extras;
  Scene.Rest.resize(Gltf.nodes.size());
  for (int n : Scene.Order)
    Scene.Rest[static_cast<size_t>(n)] = NodeTrs(Gltf.nodes[static_cast<size_t>(n)], n);
  for (int n : Scene.Order) {
    const auto& node = Gltf.nodes[static_cast<size_t>(n)];
    if (Scene.Parent[static_cast<size_t>(n)] == -1 && node.mesh < 0 && !node.children.empty() &&
        IsExactTurn(Scene.Rest[static_cast<size_t>(n)]))
      Scene.DroppedRoot = n;  // the export's turn to Y-up: taken back, not turned twice
  }
  Scene.YUp.assign(Gltf.nodes.size(), false);
  for (int n : Scene.Order) {
    const int parent = Scene.Parent[static_cast<size_t>(n)];
    Scene.YUp[static_cast<size_t>(n)] =
        n != Scene.DroppedRoot && (parent < 0 || Scene.YUp[static_cast<size_t>(parent)]);
  }
  Worlds = Scene.Worlds(Scene.Rest);
  Frames.resize(Worlds.size());
  for (int n : Scene.Order) Frames[static_cast<size_t>(n)] = Scene.Frame(Worlds, n);
  AddNodes();
  AddSkinnedMeshes(Scene, Model, Worlds, Frames,
                   [this](int material) { return MaterialOf(material); });
  for (const std::string& line : Renames) Model.AddOutput(line);
  if (SkippedPrimitives > 0)
    Model.AddOutput(std::to_string(SkippedPrimitives) +
                    " primitives of points or lines were left out: a 3DO holds faces");
  if (SkewedNodes > 0)
    Model.AddOutput(std::to_string(SkewedNodes) +
                    " nodes turn under a scale that is not the same on every axis, which "
                    "a 3DO cannot hold: their meshes were reshaped to keep the rest pose");
}

// The model's nodes are the file's, in the file's order (which an exported model's own order
// is), less the export's root and mesh carriers.
void TSceneBuilder::AddNodes() {
  const size_t count = Gltf.nodes.size();
  Scene.GameNode.assign(count, -1);
  std::vector<int> folded(count, -1);  // per glTF node: the node whose pivot it became
  std::vector<bool> kept(count), carried(count), uneven(count);
  for (int n : Scene.Order) {
    const size_t i = static_cast<size_t>(n);
    const tinygltf::Node& node = Gltf.nodes[i];
    const int parent = Scene.Parent[i];
    const size_t up = static_cast<size_t>(parent);
    const TGltfTrs& rest = Scene.Rest[i];
    // A scale not the same on every axis, on the node or above it.
    uneven[i] = std::abs(rest.S.X - rest.S.Y) > 1e-9 || std::abs(rest.S.X - rest.S.Z) > 1e-9 ||
                (parent >= 0 && uneven[up]);
    if (parent >= 0 && uneven[up] && std::abs(std::abs(rest.R.W) - 1) > 1e-12) ++SkewedNodes;
    if (n == Scene.DroppedRoot) continue;
    // The export's mesh carrier: a joint's child holding its mesh at the joint's pivot.
    if (parent >= 0 && kept[up] && !carried[up] && Gltf.nodes[up].mesh < 0 && node.mesh >= 0 &&
        node.skin < 0 && node.children.empty() && rest.R.W == 1 && rest.S == TVector{1, 1, 1} &&
        !Animated(n)) {
      folded[i] = parent;
      carried[up] = true;
    } else {
      kept[i] = true;
    }
  }
  for (size_t i = 0; i < count; ++i)
    if (kept[i]) {
      Model.AddNode();
      Scene.GameNode[i] = Model.Nodes.Count() - 1;
      Scene.GltfNode.push_back(static_cast<int>(i));
    }
  for (int n : Scene.Order) {
    const size_t i = static_cast<size_t>(n);
    const tinygltf::Node& node = Gltf.nodes[i];
    const std::string meshName =
        node.mesh >= 0 && static_cast<size_t>(node.mesh) < Gltf.meshes.size()
            ? Gltf.meshes[static_cast<size_t>(node.mesh)].name
            : std::string();
    if (folded[i] >= 0) {
      TNode& joint = *Model.Nodes[Scene.GameNode[static_cast<size_t>(folded[i])]];
      const TAffine inJoint = Inverse(Frames[static_cast<size_t>(folded[i])]) * Worlds[i];
      joint.Pivot = inJoint.T;
      TAffine bake = inJoint;
      bake.T = {};
      AddMesh(n, joint, bake);
      joint.Mesh->Name =
          NameOf(meshName.empty() ? node.name : meshName, joint.Name, Renames, "mesh");
    }
    if (!kept[i]) continue;
    TNode& made = *Model.Nodes[Scene.GameNode[i]];
    made.Name = NameOf(node.name, "node" + std::to_string(n), Renames, "node");
    int up = Scene.Parent[i];
    while (up >= 0 && Scene.GameNode[static_cast<size_t>(up)] < 0)
      up = Scene.Parent[static_cast<size_t>(up)];
    const TAffine local =
        Inverse(up >= 0 ? Frames[static_cast<size_t>(up)] : TAffine()) * Frames[i];
    made.Position = local.T;
    made.Rotation = GameAngles(local);
    if (up >= 0) {
      made.ParentIndex = Scene.GameNode[static_cast<size_t>(up)];
      made.Parent = Model.Nodes[made.ParentIndex];
    }
    if (node.mesh >= 0 && node.skin < 0) {
      AddMesh(n, made, Inverse(Frames[i]) * Worlds[i]);
      made.Mesh->Name = NameOf(meshName, made.Name, Renames, "mesh");
    }
  }
}

const TMaterialUse& TSceneBuilder::MaterialOf(int index) {
  if (const auto found = Materials.find(index); found != Materials.end()) return found->second;
  TMaterialUse& use = Materials[index];
  if (index < 0) {
    use.Material = Model.Materials.DefaultMaterial();
    return use;
  }
  if (static_cast<size_t>(index) >= Gltf.materials.size())
    throw EParserError("there is no material " + std::to_string(index));
  const tinygltf::Material& m = Gltf.materials[static_cast<size_t>(index)];
  std::string name = m.name.empty() ? "gltf" + std::to_string(index) : m.name;
  if (!SameText(ExtensionPart(name), ".mat")) name += ".mat";
  name = NameOf(name, "gltf" + std::to_string(index) + ".mat", Renames, "material");
  use.Material = Model.Materials.FindOrAdd(name);
  use.Flags = (m.doubleSided ? ftTwoSided : 0) | (m.alphaMode == "BLEND" ? ftTranslucent : 0);
  ReadTextureTransform(m.pbrMetallicRoughness.baseColorTexture, use, "material " + std::to_string(index));
  const int texture = m.pbrMetallicRoughness.baseColorTexture.index;
  if (texture < 0) return use;
  if (static_cast<size_t>(texture) >= Gltf.textures.size())
    throw EParserError("there is no texture " + std::to_string(texture));
  const int source = Gltf.textures[static_cast<size_t>(texture)].source;
  if (source < 0) return use;
  if (static_cast<size_t>(source) >= Gltf.images.size())
    throw EParserError("there is no picture " + std::to_string(source));
  const tinygltf::Image& image = Gltf.images[static_cast<size_t>(source)];
  if (image.width <= 0 || image.height <= 0) {
    Model.AddOutput("picture " + std::to_string(source) + " of material '" + name +
                    "' is no picture this program reads: its faces count it as " +
                    std::to_string(kUnreadMaterialSide) + " texels square");
    return use;
  }
  use.Width = image.width;
  use.Height = image.height;
  const size_t pixels = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  const size_t components = static_cast<size_t>(image.component), bytes = image.bits == 16 ? 2 : 1;
  if ((image.bits != 8 && image.bits != 16) || (components != 3 && components != 4) ||
      image.image.size() != pixels * components * bytes) {
    Model.AddOutput("picture " + std::to_string(source) + " of material '" + name +
                    "' is larger than a material " +
                    "holds, or could not be decoded: no material is made of it");
    return use;
  }
  // Of a picture of 16 bits a channel, as programs keep some, the high 8 bits are taken.
  const auto channel = [&](size_t at) -> uint8_t {
    if (bytes == 1) return image.image[at];
    uint16_t value = 0;
    std::memcpy(&value, &image.image[2 * at], sizeof value);
    return static_cast<uint8_t>(value >> 8);
  };
  TGltfTexture made{name, {image.width, image.height, {}}};
  made.Picture.Rgba.reserve(pixels * 4);
  for (size_t p = 0; p < pixels * components; p += components)
    made.Picture.Rgba.insert(made.Picture.Rgba.end(),
                             {channel(p), channel(p + 1), channel(p + 2), components == 4 ? channel(p + 3) : uint8_t{255}});
  Extras->Textures.push_back(std::move(made));
  return use;
}

void TSceneBuilder::AddMesh(int gltfNode, TNode& target, const TAffine& bake) {
  const int index = Gltf.nodes[static_cast<size_t>(gltfNode)].mesh;
  if (static_cast<size_t>(index) >= Gltf.meshes.size())
    throw EParserError("there is no mesh " + std::to_string(index));
  if (!target.Mesh) target.SetMesh(Model.NewMesh());
  TMesh& mesh = *target.Mesh;
  std::unordered_map<uint64_t, TVertex*> shared;
  // A 3DO gives texture coordinates per face corner, so the vertices glTF splits at seams and
  // hard edges are one vertex again where they stand at the same place: the mesh shades
  // smoothly as the game's own do, and a 3DO written as glTF comes back with its own vertices.
  std::map<std::array<double, 3>, TVertex*> placed;
  const std::string what = "mesh " + std::to_string(index);
  for (const tinygltf::Primitive& primitive : Gltf.meshes[static_cast<size_t>(index)].primitives) {
    if (primitive.mode < TINYGLTF_MODE_TRIANGLES || primitive.mode > TINYGLTF_MODE_TRIANGLE_FAN) {
      ++SkippedPrimitives;
      continue;
    }
    const auto at = primitive.attributes.find("POSITION");
    if (at == primitive.attributes.end())
      throw EParserError(what + ": a primitive has no positions");
    const std::vector<double> positions = ReadNumbers(Gltf, at->second, 3, what + " positions");
    const size_t vertices = positions.size() / 3;
    const TMaterialUse& use = MaterialOf(primitive.material);
    const std::vector<double> texels = ReadTexels(Gltf, primitive, use, vertices, what);
    std::vector<uint32_t> indices;
    if (primitive.indices >= 0) {
      indices = ReadIndices(Gltf, primitive.indices, vertices, what + " indices");
    } else {
      indices.resize(vertices);
      for (size_t v = 0; v < vertices; ++v) indices[v] = static_cast<uint32_t>(v);
    }
    const std::vector<uint32_t> triangles = Triangles(indices, primitive.mode);
    for (size_t c = 0; c + 2 < triangles.size(); c += 3) {
      TFace* face = mesh.AddFace(use.Material);
      face->FaceType |= use.Flags;
      for (size_t k = 0; k < 3; ++k) {
        const uint32_t v = triangles[c + k];
        TVertex*& vertex = shared[uint64_t(at->second) << 32 | v];
        if (!vertex) {
          const TVector position = Apply(bake, {positions[3 * v], positions[3 * v + 1], positions[3 * v + 2]});
          TVertex*& same = placed[{position.X, position.Y, position.Z}];
          if (!same) {
            same = mesh.AddVertex();
            same->Position = position;
          }
          vertex = same;
        }
        face->AddVertex(vertex);
        if (!texels.empty())
          face->TXVertices[static_cast<int>(k)] = {static_cast<float>(texels[2 * v]),
                                                   static_cast<float>(texels[2 * v + 1])};
      }
    }
  }
}

}  // namespace

std::vector<TAffine> TGltfScene::Worlds(const std::vector<TGltfTrs>& locals) const {
  std::vector<TAffine> worlds(locals.size());
  for (int n : Order) {
    const size_t i = static_cast<size_t>(n);
    const TAffine local = FromTrs(locals[i].T, locals[i].R, locals[i].S);
    if (Parent[i] >= 0)
      worlds[i] = worlds[static_cast<size_t>(Parent[i])] * local;
    else if (n != DroppedRoot)
      worlds[i] = YUpToZUp() * local;
  }
  return worlds;
}

TAffine TGltfScene::Frame(const std::vector<TAffine>& worlds, int node) const {
  const TAffine& world = worlds[static_cast<size_t>(node)];
  return RigidPart(YUp[static_cast<size_t>(node)] ? world * Inverse(YUpToZUp()) : world);
}

TGltfExtras ImportGltf(TModel& model, const std::string& path, double fps) {
  const tinygltf::Model gltf = LoadFile(path);
  const std::string name(FileNamePart(path));
  TGltfScene scene{gltf, {}, {}, {}, {}, {}, -1, {}};
  TGltfExtras extras;
  try {
    ReadTree(scene);
    TSceneBuilder(scene, model).Build(extras);
    for (auto& [animation, key] : SceneKeys(scene, model, fps))
      extras.Animations.push_back({animation, std::move(key)});
  } catch (const EParserError& e) {
    throw EParserError(name + ": " + e.what());
  }
  DeriveLinks(model);
  model.Update();
  return extras;
}
