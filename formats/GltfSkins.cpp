// Skinned meshes made rigid, as the game's characters are: each triangle becomes part of the
// mesh of the joint that carries most of its corners' weight, placed in that joint's frame.
#include <tiny_gltf.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "formats/GltfAccessors.h"
#include "formats/GltfScene.h"
#include "model/Errors.h"
#include "model/Model.h"

namespace {

TAffine MatrixOf(const std::vector<double>& m, size_t at) {  // 16 numbers, column by column
  TAffine a;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) a.R[i][j] = m[at + 4 * j + i];
  a.T = {m[at + 12], m[at + 13], m[at + 14]};
  return a;
}

// A skin's joints: each one's model node, and what takes a bind-pose point into that node's
// frame, its pivot taken off.
struct TSkinJoints {
  std::vector<int> Nodes;
  std::vector<TAffine> Into;
};

TSkinJoints JointsOf(const TGltfScene& scene, const TModel& model, const tinygltf::Skin& skin,
                     const std::vector<TAffine>& worlds, const std::vector<TAffine>& frames,
                     const std::string& what) {
  const tinygltf::Model& gltf = scene.Gltf;
  TSkinJoints out;
  std::vector<double> binds;
  if (skin.inverseBindMatrices >= 0) {
    binds = ReadNumbers(gltf, skin.inverseBindMatrices, 16, what + " inverse bind matrices");
    if (binds.size() / 16 < skin.joints.size())
      throw EParserError(what + ": fewer inverse bind matrices than joints");
  }
  for (size_t j = 0; j < skin.joints.size(); ++j) {
    const int joint = skin.joints[j];
    if (joint < 0 || static_cast<size_t>(joint) >= gltf.nodes.size() ||
        scene.GameNode[static_cast<size_t>(joint)] < 0)
      throw EParserError(what + ": joint " + std::to_string(joint) +
                         " is not a node of the scene");
    const int game = scene.GameNode[static_cast<size_t>(joint)];
    out.Nodes.push_back(game);
    TAffine place =
        Inverse(frames[static_cast<size_t>(joint)]) * worlds[static_cast<size_t>(joint)];
    if (!binds.empty()) place = place * MatrixOf(binds, 16 * j);
    const TVector pivot = model.Nodes[game]->Pivot;
    place.T = {place.T.X - pivot.X, place.T.Y - pivot.Y, place.T.Z - pivot.Z};
    out.Into.push_back(place);
  }
  if (out.Nodes.empty()) throw EParserError(what + " has no joints");
  return out;
}

// A skinned primitive as read: per vertex its position, four joints and four weights, and its
// texels if it has them; then its triangles' corners, three a triangle.
struct TSkinnedPrimitive {
  int PositionAccessor = -1;
  std::vector<double> Positions, Influences, Weights, Texels;
  std::vector<uint32_t> Triangles;
};

TSkinnedPrimitive ReadSkinned(const tinygltf::Model& gltf, const tinygltf::Primitive& primitive,
                              const TMaterialUse& use, size_t jointCount, const std::string& what) {
  const auto attribute = [&](const char* name) {
    const auto at = primitive.attributes.find(name);
    if (at == primitive.attributes.end())
      throw EParserError(what + ": a skinned primitive has no " + name);
    return at->second;
  };
  TSkinnedPrimitive p;
  p.PositionAccessor = attribute("POSITION");
  p.Positions = ReadNumbers(gltf, p.PositionAccessor, 3, what + " positions");
  const size_t vertices = p.Positions.size() / 3;
  p.Influences = ReadNumbers(gltf, attribute("JOINTS_0"), 4, what + " joints");
  p.Weights = ReadNumbers(gltf, attribute("WEIGHTS_0"), 4, what + " weights");
  if (p.Influences.size() != 4 * vertices || p.Weights.size() != 4 * vertices)
    throw EParserError(what + ": joints, weights and positions differ in count");
  // A joint held as a float may be negative, which no cast to an index survives.
  for (double j : p.Influences)
    if (!(j >= 0 && j < static_cast<double>(jointCount)))
      throw EParserError(what + ": a vertex names a joint it does not have");
  p.Texels = ReadTexels(gltf, primitive, use, vertices, what);
  std::vector<uint32_t> indices;
  if (primitive.indices >= 0) {
    indices = ReadIndices(gltf, primitive.indices, vertices, what + " indices");
  } else {
    for (uint32_t v = 0; v < vertices; ++v) indices.push_back(v);
  }
  p.Triangles = Triangles(indices, primitive.mode);
  return p;
}

// The joint (by its place in the skin) carrying most of the weight of the triangle whose
// corners start at `c`; `spans` tells whether its corners' strongest joints differ.
// `carried` is room for the sums, one per joint.
size_t CarryingJoint(const TSkinnedPrimitive& p, size_t c, std::vector<double>& carried,
                     bool& spans) {
  std::fill(carried.begin(), carried.end(), 0.0);
  size_t firstStrongest = 0;
  spans = false;
  for (size_t k = 0; k < 3; ++k) {
    const uint32_t v = p.Triangles[c + k];
    size_t strongest = 0;
    for (size_t i = 0; i < 4; ++i) {
      const size_t j = static_cast<size_t>(p.Influences[4 * v + i]);
      carried[j] += p.Weights[4 * v + i];
      if (p.Weights[4 * v + i] > p.Weights[4 * v + strongest]) strongest = i;
    }
    const size_t corner = static_cast<size_t>(p.Influences[4 * v + strongest]);
    if (k == 0) firstStrongest = corner;
    spans = spans || corner != firstStrongest;
  }
  return static_cast<size_t>(std::max_element(carried.begin(), carried.end()) - carried.begin());
}

// Per model node, its vertices by accessor and index: shared among the triangles it takes.
using TSharedVertices = std::map<int, std::unordered_map<uint64_t, TVertex*>>;

// The triangle whose corners start at `c` as a face of the joint's mesh, made when the joint's
// node has none, in the joint's frame.
void AddTriangle(TModel& model, const TSkinJoints& joints, size_t joint,
                 const TSkinnedPrimitive& p, size_t c, const TMaterialUse& use,
                 TSharedVertices& shared) {
  TNode& owner = *model.Nodes[joints.Nodes[joint]];
  if (!owner.Mesh) {
    owner.SetMesh(model.NewMesh());
    owner.Mesh->Name = owner.Name;
  }
  TFace* face = owner.Mesh->AddFace(use.Material);
  face->FaceType |= use.Flags;
  for (size_t k = 0; k < 3; ++k) {
    const uint32_t v = p.Triangles[c + k];
    TVertex*& vertex = shared[joints.Nodes[joint]][uint64_t(p.PositionAccessor) << 32 | v];
    if (!vertex) {
      vertex = owner.Mesh->AddVertex();
      vertex->Position = Apply(joints.Into[joint], {p.Positions[3 * v], p.Positions[3 * v + 1],
                                                    p.Positions[3 * v + 2]});
    }
    face->AddVertex(vertex);
    if (!p.Texels.empty())
      face->TXVertices[static_cast<int>(k)] = {static_cast<float>(p.Texels[2 * v]),
                                               static_cast<float>(p.Texels[2 * v + 1])};
  }
}

}  // namespace

void AddSkinnedMeshes(const TGltfScene& scene, TModel& model, const std::vector<TAffine>& worlds,
                      const std::vector<TAffine>& frames,
                      const std::function<TMaterialUse(int)>& look) {
  const tinygltf::Model& gltf = scene.Gltf;
  int spanning = 0;
  TSharedVertices shared;
  for (int n : scene.Order) {
    const tinygltf::Node& node = gltf.nodes[static_cast<size_t>(n)];
    if (node.skin < 0 || node.mesh < 0) continue;
    const std::string what = "skin " + std::to_string(node.skin);
    if (static_cast<size_t>(node.skin) >= gltf.skins.size())
      throw EParserError("there is no " + what);
    if (static_cast<size_t>(node.mesh) >= gltf.meshes.size())
      throw EParserError("there is no mesh " + std::to_string(node.mesh));
    const TSkinJoints joints =
        JointsOf(scene, model, gltf.skins[static_cast<size_t>(node.skin)], worlds, frames, what);
    for (const tinygltf::Primitive& primitive :
         gltf.meshes[static_cast<size_t>(node.mesh)].primitives) {
      if (primitive.mode < TINYGLTF_MODE_TRIANGLES || primitive.mode > TINYGLTF_MODE_TRIANGLE_FAN)
        continue;
      const TMaterialUse use = look(primitive.material);
      const TSkinnedPrimitive p = ReadSkinned(gltf, primitive, use, joints.Nodes.size(), what);
      std::vector<double> carried(joints.Nodes.size());
      for (size_t c = 0; c + 2 < p.Triangles.size(); c += 3) {
        bool spans = false;
        const size_t joint = CarryingJoint(p, c, carried, spans);
        spanning += spans;
        AddTriangle(model, joints, joint, p, c, use, shared);
      }
    }
  }
  if (spanning > 0)
    model.AddOutput(std::to_string(spanning) +
                    " skinned triangles spanned joints; each went whole to the joint "
                    "carrying most of its weight");
}
