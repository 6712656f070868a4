#pragma once
// What the parts of the glTF import share: the checked node tree of the scene read and how
// its nodes became the model's.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/GltfMath.h"
#include "model/Materials.h"

namespace tinygltf {
class Model;
struct Primitive;
struct TextureInfo;
}
class TModel;
struct TKeyAnimation;

// A node's local transform as glTF gives it: translation, rotation, scale.
struct TGltfTrs {
  TVector T;
  TQuat R;
  TVector S{1, 1, 1};
};

struct TGltfScene {
  const tinygltf::Model& Gltf;
  std::vector<int> Parent;     // per glTF node, -1 at the top or outside the scene
  std::vector<int> Order;      // the scene's nodes, each after its parent
  std::vector<TGltfTrs> Rest;  // per glTF node
  std::vector<int> GameNode;   // per glTF node: the model's node it became, or -1
  std::vector<int> GltfNode;   // per model node: the glTF node it stands for
  int DroppedRoot = -1;        // a top node that only turned Z-up to Y-up, left out
  // Per glTF node: its own axes are the file's Y-up ones, not under the dropped root.
  std::vector<bool> YUp;

  // Per glTF node, for these locals, what takes a point of the node's own into the game's
  // world: the file's axes turned to the game's at the top nodes.
  std::vector<TAffine> Worlds(const std::vector<TGltfTrs>& locals) const;
  // The node's frame as a model node holds it: its rotation without scale, at its origin, its
  // axes the game's (a node of the Y-up file turned like the file), so that a character
  // standing up in the file has upright nodes in the game.
  TAffine Frame(const std::vector<TAffine>& worlds, int node) const;
};

// How a glTF material's faces look: the material, its size in texels (texture coordinates
// are fractions of it), the face flags it sets, and which set of texture coordinates its
// picture takes, moved as the picture's KHR_texture_transform says: a corner's fraction
// across is U[0] u + U[1] v + U[2], down V[0] u + V[1] v + V[2].
struct TMaterialUse {
  TMaterial* Material = nullptr;
  double Width = kUnreadMaterialSide, Height = kUnreadMaterialSide;
  int Flags = 0;
  int TexCoord = 0;
  std::array<double, 3> U{1, 0, 0}, V{0, 1, 0};
};

// Sets `use`'s set of texture coordinates and their transform from the material's base
// colour texture. Raises EParserError naming `what` for a transform that is not numbers.
void ReadTextureTransform(const tinygltf::TextureInfo& texture, TMaterialUse& use, const std::string& what);

// The texels of the primitive's vertices on `use`'s picture, two a vertex; none when the
// primitive lacks the set of texture coordinates the picture takes.
std::vector<double> ReadTexels(const tinygltf::Model& gltf, const tinygltf::Primitive& primitive,
                               const TMaterialUse& use, size_t vertices, const std::string& what);

// A name made safe (SafeName) that is also a file's name: no folder or drive in it, since
// materials and animations are written beside the model under their names.
std::string FileSafeName(std::string_view name);

// The corners of a primitive's triangles, three a triangle, from its indices and its mode
// (triangles, strip or fan).
std::vector<uint32_t> Triangles(const std::vector<uint32_t>& indices, int mode);

// The skinned meshes of the scene cut into rigid parts, each triangle given to the joint that
// carries most of its corners' weight. Raises EParserError for a skin that does not read.
void AddSkinnedMeshes(const TGltfScene& scene, TModel& model, const std::vector<TAffine>& worlds,
                      const std::vector<TAffine>& frames,
                      const std::function<TMaterialUse(int)>& look);

// Each glTF animation as a KEY driving every node of the model.
std::vector<std::pair<std::string, TKeyAnimation>> SceneKeys(const TGltfScene& scene,
                                                             const TModel& model, double fps);
