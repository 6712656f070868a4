// Skinned meshes made rigid, as the game's characters are: each triangle becomes part of the
// mesh of the joint that carries most of its corners' weight, placed in that joint's frame.
#include <tiny_gltf.h>

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

}  // namespace

void AddSkinnedMeshes(const TGltfScene& scene, TModel& model, const std::vector<TAffine>& worlds,
                      const std::vector<TAffine>& frames,
                      const std::function<TMaterialUse(int)>& look) {
  const tinygltf::Model& gltf = scene.Gltf;
  int spanning = 0;
  // Per model node, its vertices by accessor and index: shared among the triangles it takes.
  std::map<int, std::unordered_map<uint64_t, TVertex*>> shared;
  for (int n : scene.Order) {
    const tinygltf::Node& node = gltf.nodes[static_cast<size_t>(n)];
    if (node.skin < 0 || node.mesh < 0) continue;
    const std::string what = "skin " + std::to_string(node.skin);
    if (static_cast<size_t>(node.skin) >= gltf.skins.size())
      throw EParserError("there is no " + what);
    if (static_cast<size_t>(node.mesh) >= gltf.meshes.size())
      throw EParserError("there is no mesh " + std::to_string(node.mesh));
    const tinygltf::Skin& skin = gltf.skins[static_cast<size_t>(node.skin)];
    // Per joint of the skin: its model node and what takes a bind-pose point into that node.
    std::vector<int> joints;
    std::vector<TAffine> into;
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
      joints.push_back(game);
      TAffine place =
          Inverse(frames[static_cast<size_t>(joint)]) * worlds[static_cast<size_t>(joint)];
      if (!binds.empty()) place = place * MatrixOf(binds, 16 * j);
      const TVector pivot = model.Nodes[game]->Pivot;
      place.T = {place.T.X - pivot.X, place.T.Y - pivot.Y, place.T.Z - pivot.Z};
      into.push_back(place);
    }
    if (joints.empty()) throw EParserError(what + " has no joints");
    for (const tinygltf::Primitive& primitive :
         gltf.meshes[static_cast<size_t>(node.mesh)].primitives) {
      if (primitive.mode < TINYGLTF_MODE_TRIANGLES || primitive.mode > TINYGLTF_MODE_TRIANGLE_FAN)
        continue;
      const auto attribute = [&](const char* name) {
        const auto at = primitive.attributes.find(name);
        if (at == primitive.attributes.end())
          throw EParserError(what + ": a skinned primitive has no " + name);
        return at->second;
      };
      const int positionAccessor = attribute("POSITION");
      const std::vector<double> positions =
          ReadNumbers(gltf, positionAccessor, 3, what + " positions");
      const size_t vertices = positions.size() / 3;
      const std::vector<double> influences =
          ReadNumbers(gltf, attribute("JOINTS_0"), 4, what + " joints");
      const std::vector<double> weights =
          ReadNumbers(gltf, attribute("WEIGHTS_0"), 4, what + " weights");
      if (influences.size() != 4 * vertices || weights.size() != 4 * vertices)
        throw EParserError(what + ": joints, weights and positions differ in count");
      for (double j : influences)
        if (j >= static_cast<double>(joints.size()))
          throw EParserError(what + ": a vertex names a joint it does not have");
      std::vector<double> uv;
      if (const auto t = primitive.attributes.find("TEXCOORD_0"); t != primitive.attributes.end()) {
        uv = ReadNumbers(gltf, t->second, 2, what + " texture coordinates");
        if (uv.size() / 2 != vertices)
          throw EParserError(what + ": texture coordinates and positions differ in count");
      }
      std::vector<uint32_t> indices;
      if (primitive.indices >= 0) {
        indices = ReadIndices(gltf, primitive.indices, vertices, what + " indices");
      } else {
        for (uint32_t v = 0; v < vertices; ++v) indices.push_back(v);
      }
      const std::vector<uint32_t> triangles = Triangles(indices, primitive.mode);
      const TMaterialUse use = look(primitive.material);
      std::vector<double> carried(joints.size());
      for (size_t c = 0; c + 2 < triangles.size(); c += 3) {
        std::fill(carried.begin(), carried.end(), 0.0);
        size_t firstStrongest = 0;
        bool spans = false;
        for (size_t k = 0; k < 3; ++k) {
          const uint32_t v = triangles[c + k];
          size_t strongest = 0;
          for (size_t i = 0; i < 4; ++i) {
            const size_t j = static_cast<size_t>(influences[4 * v + i]);
            carried[j] += weights[4 * v + i];
            if (weights[4 * v + i] > weights[4 * v + strongest]) strongest = i;
          }
          const size_t corner = static_cast<size_t>(influences[4 * v + strongest]);
          if (k == 0) firstStrongest = corner;
          spans = spans || corner != firstStrongest;
        }
        spanning += spans;
        const size_t joint =
            static_cast<size_t>(std::max_element(carried.begin(), carried.end()) - carried.begin());
        TNode& owner = *model.Nodes[joints[joint]];
        if (!owner.Mesh) {
          owner.SetMesh(model.NewMesh());
          owner.Mesh->Name = owner.Name;
        }
        TFace* face = owner.Mesh->AddFace(use.Material);
        face->FaceType |= use.Flags;
        for (size_t k = 0; k < 3; ++k) {
          const uint32_t v = triangles[c + k];
          TVertex*& vertex = shared[joints[joint]][uint64_t(positionAccessor) << 32 | v];
          if (!vertex) {
            vertex = owner.Mesh->AddVertex();
            vertex->Position =
                Apply(into[joint], {positions[3 * v], positions[3 * v + 1], positions[3 * v + 2]});
          }
          face->AddVertex(vertex);
          if (!uv.empty())
            face->TXVertices[static_cast<int>(k)] = {
                static_cast<float>(uv[2 * v] * use.Width),
                static_cast<float>(uv[2 * v + 1] * use.Height)};
        }
      }
    }
  }
  if (spanning > 0)
    model.AddOutput(std::to_string(spanning) +
                    " skinned triangles spanned joints; each went whole to the joint "
                    "carrying most of its weight");
}
