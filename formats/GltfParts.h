#pragma once
// The pieces of a glTF file the export makes, shared by its parts: the scene and nodes
// (GltfExport.cpp), the meshes (GltfMeshes.cpp), the materials and their pictures
// (GltfPictures.cpp) and the animations (GltfAnimations.cpp). Everything binary goes into
// the one buffer, each block in a view of its own.
#include <tiny_gltf.h>

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/KeyAnimation.h"
#include "model/Vector.h"

class TMaterial;
class TModel;

// The glTF model being filled, with the one buffer its views cut.
class TGltfBuilder {
 public:
  TGltfBuilder() { Gltf.buffers.emplace_back(); }
  tinygltf::Model Gltf;
  std::vector<unsigned char>& Bytes() { return Gltf.buffers[0].data; }

  // Appends `bytes` bytes at a four-byte boundary as a new view; returns the view's index.
  // `target` is the GL buffer the view is meant for, 0 for none (pictures, animations).
  int AddView(const void* data, size_t bytes, int target);
  // An accessor of `count` elements of `type` (TINYGLTF_TYPE_*) over a whole view.
  int AddAccessor(int view, int componentType, int type, size_t count);
  // An accessor of floats with the bounds every POSITION and animation input must give.
  int AddFloats(const std::vector<float>& values, int type, int target, bool bounds);
};

// The game's rotation of a node (pitch, yaw, roll in degrees) as a glTF quaternion
// (x, y, z, w).
std::array<double, 4> NodeQuaternion(const TVector& rotation);

// One glTF material per material a face uses, found by the face's material and its two
// flags that glTF keeps on the material: drawn from both sides, and see-through.
class TGltfMaterials {
 public:
  // `pictureStem` names the pictures beside a .gltf file ("ship" gives "ship_hull.png");
  // empty for a .glb file, which holds them in its buffer.
  TGltfMaterials(TGltfBuilder& builder, std::string pictureStem)
      : Builder(builder), PictureStem(std::move(pictureStem)) {}
  int IndexOf(const TMaterial* material, bool twoSided, bool translucent);
  // The texels a material's texture coordinates are divided by, across and down.
  static std::array<int, 2> Size(const TMaterial* material);
  // The pictures to write beside a .gltf file: their names and PNG bytes.
  const std::vector<std::pair<std::string, std::string>>& Files() const { return PictureFiles; }

 private:
  int ImageOf(const TMaterial* material);
  TGltfBuilder& Builder;
  std::string PictureStem;
  std::unordered_map<const TMaterial*, int> Images;  // the texture of each material, or -1
  std::unordered_map<std::string, int> ByKey;
  std::vector<std::pair<std::string, std::string>> PictureFiles;
};

// The glTF mesh of every node with a mesh in the shown level of detail, its index by model
// node index, -1 for none.
std::vector<int> AddGltfMeshes(TGltfBuilder& builder, TModel& model, TGltfMaterials& materials);

// One glTF animation per KEY; `joints` holds each model node's glTF node.
void AddGltfAnimations(TGltfBuilder& builder, const TModel& model, const std::vector<TNamedKey>& keys,
                       const std::vector<int>& joints);
