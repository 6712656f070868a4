// The meshes of a glTF export. glTF gives each vertex one normal and one texture coordinate,
// where a 3DO face gives its corners their own: each primitive holds one vertex per distinct
// (vertex, texture coordinate, normal) of its corners, which for a smooth, evenly mapped
// mesh is about one per 3DO vertex. Normals are those the game lights by: a gouraud-lit
// face's corners take their vertices' normals, as the file keeps them; any other face's
// take the face's own.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "formats/GltfParts.h"
#include "model/Model.h"

namespace {

// The vertices and triangles of one primitive.
struct TPrimitiveData {
  std::vector<float> Positions, Normals, Texels;
  std::vector<uint32_t> Indices;
  std::vector<int> Faces;  // the mesh's faces it holds, in mesh order
};

// A corner already written to the primitive, in a chain of those of the same 3DO vertex.
struct TWritten {
  float U, V, N[3];
  uint32_t Index;
  int Next;
};

class TMeshMaker {
 public:
  TMeshMaker(TGltfBuilder& builder, TGltfMaterials& materials) : Builder(builder), Materials(materials) {}
  // The glTF mesh of the 3DO mesh; -1 when it has no face to draw.
  int Add(TMesh& mesh);

 private:
  void Fill(TMesh& mesh, TPrimitiveData& data);
  uint32_t Corner(TPrimitiveData& data, int vertex, const TVector& position, float u, float v, const float n[3]);
  tinygltf::Primitive Store(const TPrimitiveData& data, int material);

  TGltfBuilder& Builder;
  TGltfMaterials& Materials;
  std::vector<int> Head;   // per 3DO vertex: its first written corner, valid when
  std::vector<int> Stamp;  // this holds the primitive being filled
  std::vector<TWritten> Written;
  int Primitive = 0;
};

int TMeshMaker::Add(TMesh& mesh) {
  mesh.IndexVertices();
  std::vector<TPrimitiveData> primitives;
  std::vector<int> materialOf;  // per primitive: its glTF material
  std::vector<int> slotOf;      // per glTF material: its primitive in this mesh, or -1
  for (int i = 0; i < mesh.Surfaces.Count(); ++i) {
    const TFace& face = *mesh.Surfaces[i];
    if (face.Vertices.Count() < 3) continue;  // no area to draw, as the views skip it
    const int material =
        Materials.IndexOf(face.Material, face.HasFlag(ftTwoSided), face.HasFlag(ftTranslucent));
    if (static_cast<size_t>(material) >= slotOf.size()) slotOf.resize(static_cast<size_t>(material) + 1, -1);
    int& slot = slotOf[static_cast<size_t>(material)];
    if (slot < 0) {
      slot = static_cast<int>(primitives.size());
      primitives.emplace_back();
      materialOf.push_back(material);
    }
    primitives[static_cast<size_t>(slot)].Faces.push_back(i);
  }
  if (primitives.empty()) return -1;
  tinygltf::Mesh out;
  out.name = mesh.Name;
  Head.assign(static_cast<size_t>(mesh.Vertices.Count()), -1);
  Stamp.assign(static_cast<size_t>(mesh.Vertices.Count()), -1);
  for (size_t p = 0; p < primitives.size(); ++p) {
    Fill(mesh, primitives[p]);
    out.primitives.push_back(Store(primitives[p], materialOf[p]));
    primitives[p] = {};  // the buffer holds it now
  }
  Builder.Gltf.meshes.push_back(std::move(out));
  return static_cast<int>(Builder.Gltf.meshes.size()) - 1;
}

uint32_t TMeshMaker::Corner(TPrimitiveData& data, int vertex, const TVector& position, float u, float v,
                            const float n[3]) {
  int unshared = -1;  // a corner of a vertex its mesh does not hold (a damaged model)
  const size_t at = static_cast<size_t>(vertex);
  if (vertex >= 0 && Stamp[at] != Primitive) {
    Stamp[at] = Primitive;
    Head[at] = -1;
  }
  int& head = vertex >= 0 ? Head[at] : unshared;
  for (int w = head; w >= 0; w = Written[static_cast<size_t>(w)].Next) {
    const TWritten& c = Written[static_cast<size_t>(w)];
    if (c.U == u && c.V == v && c.N[0] == n[0] && c.N[1] == n[1] && c.N[2] == n[2]) return c.Index;
  }
  const auto index = static_cast<uint32_t>(data.Positions.size() / 3);
  data.Positions.insert(data.Positions.end(), {static_cast<float>(position.X), static_cast<float>(position.Y),
                                               static_cast<float>(position.Z)});
  data.Normals.insert(data.Normals.end(), {n[0], n[1], n[2]});
  data.Texels.insert(data.Texels.end(), {u, v});
  Written.push_back({u, v, {n[0], n[1], n[2]}, index, head});
  head = static_cast<int>(Written.size()) - 1;
  return index;
}

// Texture coordinates in glTF's 0..1 with V down the picture from its top row, which is the
// 3DO's V = 0, as the views upload the picture.
void TMeshMaker::Fill(TMesh& mesh, TPrimitiveData& data) {
  ++Primitive;
  Written.clear();
  const TMaterial* m = mesh.Surfaces[data.Faces.front()]->Material;
  const std::array<int, 2> size = TGltfMaterials::Size(m);
  // At most one vertex per corner: room for all of them at once, rather than copies on growth.
  size_t most = 0;
  for (const int i : data.Faces) most += static_cast<size_t>(mesh.Surfaces[i]->Vertices.Count());
  data.Positions.reserve(3 * most), data.Normals.reserve(3 * most), data.Texels.reserve(2 * most);
  data.Indices.reserve(3 * most), Written.reserve(most);
  std::vector<uint32_t> corners;
  for (const int i : data.Faces) {
    const TFace& face = *mesh.Surfaces[i];
    TVector normal = face.GetNormal();
    if (normal == TVector{}) normal = {0, 0, 1};  // a face of no area: any unit normal will do
    const bool gouraud = std::min(mesh.LightingMode, face.LightingMode) >= 3;
    corners.clear();
    for (int k = 0; k < face.Vertices.Count(); ++k) {
      const TVertex* vertex = face.Vertices[k];
      const int index = mesh.IndexOfVertex(vertex);
      // A vertex's normal is its faces' mean, of no length where they cancel out.
      const TVector own = gouraud && index >= 0 ? Normalize(vertex->Normal) : TVector{};
      const TVector& shown = own == TVector{} ? normal : own;
      const float n[3] = {static_cast<float>(shown.X), static_cast<float>(shown.Y), static_cast<float>(shown.Z)};
      const TTXVertex t = k < face.TXVertices.Count() ? face.TXVertices[k] : TTXVertex{};
      corners.push_back(Corner(data, index, vertex->Position, t.U / static_cast<float>(size[0]),
                               t.V / static_cast<float>(size[1]), n));
    }
    for (size_t k = 1; k + 1 < corners.size(); ++k)  // a fan from the first corner
      data.Indices.insert(data.Indices.end(), {corners[0], corners[k], corners[k + 1]});
  }
}

tinygltf::Primitive TMeshMaker::Store(const TPrimitiveData& data, int material) {
  tinygltf::Primitive primitive;
  primitive.mode = TINYGLTF_MODE_TRIANGLES;
  primitive.material = material;
  primitive.attributes["POSITION"] = Builder.AddFloats(data.Positions, TINYGLTF_TYPE_VEC3, TINYGLTF_TARGET_ARRAY_BUFFER, true);
  primitive.attributes["NORMAL"] = Builder.AddFloats(data.Normals, TINYGLTF_TYPE_VEC3, TINYGLTF_TARGET_ARRAY_BUFFER, false);
  primitive.attributes["TEXCOORD_0"] = Builder.AddFloats(data.Texels, TINYGLTF_TYPE_VEC2, TINYGLTF_TARGET_ARRAY_BUFFER, false);
  // Short indices while they can be: 65535 is the restart index glTF keeps out of them.
  const size_t vertices = data.Positions.size() / 3;
  int view;
  int type = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
  if (vertices < std::numeric_limits<uint16_t>::max()) {
    const std::vector<uint16_t> small(data.Indices.begin(), data.Indices.end());
    view = Builder.AddView(small.data(), small.size() * sizeof(uint16_t), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    type = TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
  } else {
    view = Builder.AddView(data.Indices.data(), data.Indices.size() * sizeof(uint32_t),
                           TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
  }
  primitive.indices = Builder.AddAccessor(view, type, TINYGLTF_TYPE_SCALAR, data.Indices.size());
  return primitive;
}

}  // namespace

std::vector<int> AddGltfMeshes(TGltfBuilder& builder, TModel& model, TGltfMaterials& materials) {
  std::vector<int> meshes(static_cast<size_t>(model.Nodes.Count()), -1);
  // Room for the most the meshes can take (every corner its own vertex of 32 bytes, 12 bytes
  // of indices a triangle) at once: a buffer that grows copies itself each time. Pages the
  // meshes leave unused are never touched.
  size_t most = 0;
  for (const TNode* node : model.Nodes)
    if (node->Mesh)
      for (const TFace* face : node->Mesh->Surfaces)
        if (const auto corners = static_cast<size_t>(face->Vertices.Count()); corners >= 3) most += 32 * corners + 12 * (corners - 2) + 4;
  builder.Bytes().reserve(builder.Bytes().size() + most);
  TMeshMaker maker(builder, materials);
  for (int i = 0; i < model.Nodes.Count(); ++i)
    if (TNode* node = model.Nodes[i]; node->Mesh) meshes[static_cast<size_t>(i)] = maker.Add(*node->Mesh);
  return meshes;
}
