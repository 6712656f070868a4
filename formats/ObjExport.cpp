// Wavefront OBJ export. A model of a million vertices makes over a hundred megabytes of
// text, so the text goes to the file in blocks as it is made.
#include "formats/ObjExport.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "formats/FileIO.h"
#include "formats/ObjMaterialNames.h"
#include "formats/PngWriter.h"
#include "model/Convert.h"
#include "model/Model.h"
#include "services/Progress.h"
#include "model/VersionInfo.h"

namespace {

// One material as the exported faces use it.
struct TObjMaterial {
  const TMaterial* Material;
  std::string Name;   // in the OBJ and MTL files
  int Width, Height;  // the texels its texture coordinates are divided by
  bool Picture;       // a PNG of its first image lies beside the files
};

// The materials in the order the faces first use them, looked up by the faces' pointers.
class TObjMaterials {
 public:
  explicit TObjMaterials(const std::vector<TMesh*>& meshes) {
    for (const TMesh* mesh : meshes)
      for (const TFace* face : mesh->Surfaces) IndexOf(face->Material);
  }
  size_t IndexOf(const TMaterial* material) {
    if (material == Last && !List.empty()) return LastIndex;
    const auto [at, added] = ByMaterial.try_emplace(material, List.size());
    if (added) List.push_back(Describe(material));
    Last = material;
    return LastIndex = at->second;
  }
  const std::vector<TObjMaterial>& All() const { return List; }

 private:
  // A material that is not found counts as the texture commands count it.
  static TObjMaterial Describe(const TMaterial* m) {
    if (!m) return {m, "dflt", kUnreadMaterialSide, kUnreadMaterialSide, false};
    if (!(m->Loaded && m->Width > 0 && m->Height > 0))
      return {m, ObjMaterialName(m->Name), kUnreadMaterialSide, kUnreadMaterialSide, false};
    const bool picture = m->Pixels.size() >= static_cast<size_t>(m->Width) * static_cast<size_t>(m->Height) * 3;
    return {m, ObjMaterialName(m->Name), m->Width, m->Height, picture};
  }
  std::vector<TObjMaterial> List;
  std::unordered_map<const TMaterial*, size_t> ByMaterial;
  const TMaterial* Last = nullptr;
  size_t LastIndex = 0;
};

// The text of the OBJ file, handed to the file a block at a time.
class TObjText {
 public:
  explicit TObjText(TAtomicFileWriter& file) : File(file) { Out.reserve(kBlock + 4096); }
  TObjText& operator<<(std::string_view s) {
    Out.append(s);
    return *this;
  }
  TObjText& operator<<(char c) {
    Out.push_back(c);
    return *this;
  }
  TObjText& Int(uint64_t value) {
    char buffer[24];
    Out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    return *this;
  }
  TObjText& Float(double value) {
    // No "-0" for what rounds to nothing.
    AppendFloat6(Out, std::fabs(value) < 5e-7 ? 0.0 : ClampToFileRange(value));
    return *this;
  }
  // As many digits as it takes to read back the same number.
  TObjText& Exact(double value) {
    char buffer[400];
    Out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr);
    return *this;
  }
  // millionths / 10^6 / size with every digit that takes: for a size of 2^k, the number
  // n / (10^6 * 2^k) is n * 5^k / 10^(6 + k) and ends after 6 + k decimals, written from
  // integers far faster than the general shortest text that other sizes take.
  TObjText& Ratio(int64_t millionths, int size) {
    const unsigned bits = static_cast<unsigned>(size);
    const int k = std::countr_zero(bits);
    uint64_t digits = 0;
    if (!std::has_single_bit(bits) || k > kMaxShift ||
        __builtin_mul_overflow(static_cast<uint64_t>(millionths < 0 ? -millionths : millionths), kPowersOf5[k], &digits))
      return Exact(static_cast<double>(millionths) / 1e6 / size);
    if (millionths < 0) Out.push_back('-');
    int decimals = 6 + k;
    for (; decimals > 0 && digits % 10 == 0; --decimals) digits /= 10;
    uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    Int(digits / scale);
    if (decimals > 0) {
      char fraction[24];
      for (int i = decimals - 1; i >= 0; --i, digits /= 10) fraction[i] = static_cast<char>('0' + digits % 10);
      Out.push_back('.');
      Out.append(fraction, static_cast<size_t>(decimals));
    }
    return *this;
  }
  TObjText& Vec(const TVector& v) {
    Float(v.X) << ' ';
    Float(v.Y) << ' ';
    return Float(v.Z);
  }
  // Texels into OBJ's 0..1, V up: the 3DO's V = 0 is the picture's first row, OBJ's its
  // last. The texels are taken at the six decimals a 3DO file holds them to, so that the
  // numbers written stay short; they come back exactly.
  TObjText& Tex(const TTXVertex& t, const TObjMaterial& m) {
    const int width = m.Width, height = m.Height;
    const double u = std::round(t.U * 1e6), v = std::round(t.V * 1e6);
    if (std::fabs(u) < kMaxMillionths && std::fabs(v) < kMaxMillionths) {
      Ratio(static_cast<int64_t>(u), width) << ' ';
      return Ratio(int64_t{1000000} * height - static_cast<int64_t>(v), height);
    }
    Exact(u / 1e6 / width) << ' ';
    return Exact(1 - v / 1e6 / height);
  }
  void EndLine() {
    Out.push_back('\n');
    if (Out.size() >= kBlock) Flush();
  }
  void Flush() {
    File.Write(Out);
    Out.clear();
  }

 private:
  static constexpr size_t kBlock = size_t{1} << 18;
  // Sizes up to 2^13, more than any texture, keep 10^(6 + k) within 64 bits.
  static constexpr int kMaxShift = 13;
  static constexpr uint64_t kPowersOf5[kMaxShift + 1] = {1,        5,         25,        125,        625,
                                                         3125,     15625,     78125,     390625,     1953125,
                                                         9765625,  48828125,  244140625, 1220703125};
  // Texels whose millionths an int64_t holds with room to spare.
  static constexpr double kMaxMillionths = 1e15;
  TAtomicFileWriter& File;
  std::string Out;
};

// What the progress counts: vertices and faces written.
uint64_t ObjectCount(const std::vector<TMesh*>& meshes) {
  uint64_t objects = 0;
  for (const TMesh* mesh : meshes)
    objects += static_cast<uint64_t>(mesh->Vertices.Count()) + static_cast<uint64_t>(mesh->Surfaces.Count());
  return objects;
}

void WriteMaterials(const std::filesystem::path& mtl, const std::vector<TObjMaterial>& materials) {
  std::string text = "# Written by " + GetProductName() + "\n";
  for (const TObjMaterial& m : materials) {
    text += "\nnewmtl " + m.Name + "\n";
    if (m.Picture) {
      const std::string picture = ObjPictureName(m.Name);
      WriteFileAtomically((mtl.parent_path() / picture).string(),
                          EncodePng(m.Material->Width, m.Material->Height, m.Material->Pixels));
      text += "Kd 1 1 1\nmap_Kd " + picture + "\n";
    } else {
      text += "Kd 0.5 0.5 0.5\n";
    }
  }
  WriteFileAtomically(mtl.string(), text);
}

// The objects of the OBJ file, numbering the vertices, texture vertices and normals as
// OBJ does, across the whole file.
class TObjObjects {
 public:
  TObjObjects(TObjText& out, TObjMaterials& materials, TProgress& progress, bool yUp)
      : Out(out), Materials(materials), Progress(progress), YUp(yUp) {}
  void Write(const TNode& node);

 private:
  // A Y-up file gets the model's Z as its Y: the turn that importing with Y up takes back.
  TVector Placed(const TVector& v) const { return YUp ? TVector{v.X, v.Z, -v.Y} : v; }
  // The texture vertex a corner of this vertex was last written with: the faces around a
  // vertex mostly agree on its texels, and so share one "vt" line, which for a smooth mesh
  // saves most of them.
  struct TLastTex {
    TTXVertex Tex;
    size_t Material = 0;
    uint64_t Index = 0;  // 0: none yet
  };
  uint64_t TexIndex(int vertex, const TTXVertex& t, size_t material);

  TObjText& Out;
  TObjMaterials& Materials;
  TProgress& Progress;
  bool YUp;
  uint64_t Vertices = 0, TexVertices = 0, Normals = 0;  // written so far
  uint64_t Done = 0;  // vertices and faces, for the progress
  std::vector<TLastTex> Last;
  std::vector<uint64_t> Corners;
};

uint64_t TObjObjects::TexIndex(int vertex, const TTXVertex& t, size_t material) {
  TLastTex unshared;
  TLastTex& last = vertex >= 0 ? Last[static_cast<size_t>(vertex)] : unshared;
  if (last.Index == 0 || last.Tex.U != t.U || last.Tex.V != t.V || last.Material != material) {
    Out << "vt ";
    Out.Tex(t, Materials.All()[material]).EndLine();
    last = {t, material, ++TexVertices};
  }
  return last.Index;
}

// Per face: the texture vertices it is the first to use, its normal, its material when that
// changes, and the face itself.
void TObjObjects::Write(const TNode& node) {
  TMesh& mesh = *node.Mesh;
  Out << "o " << node.Name;
  Out.EndLine();
  for (const TVertex* v : mesh.Vertices) {
    Out << "v ";
    Out.Vec(Placed(v->World)).EndLine();
    Progress.Step(++Done);
  }
  mesh.IndexVertices();
  Last.assign(static_cast<size_t>(mesh.Vertices.Count()), {});
  size_t current = SIZE_MAX;  // every object names its first material
  for (const TFace* face : mesh.Surfaces) {
    const size_t material = Materials.IndexOf(face->Material);
    Corners.clear();
    for (int k = 0; k < face->Vertices.Count(); ++k)
      Corners.push_back(TexIndex(mesh.IndexOfVertex(face->Vertices[k]),
                                 k < face->TXVertices.Count() ? face->TXVertices[k] : TTXVertex{}, material));
    // The face's normal in the world, as the views light it.
    Out << "vn ";
    Out.Vec(Placed(PolygonNormal(face->Vertices, &TVertex::World))).EndLine();
    ++Normals;
    if (material != current) {
      Out << "usemtl " << Materials.All()[material].Name;
      Out.EndLine();
      current = material;
    }
    Out << "f";
    for (int k = 0; k < face->Vertices.Count(); ++k) {
      Out << ' ';
      Out.Int(Vertices + static_cast<uint64_t>(mesh.IndexOfVertex(face->Vertices[k])) + 1) << '/';
      Out.Int(Corners[static_cast<size_t>(k)]) << '/';
      Out.Int(Normals);
    }
    Out.EndLine();
    Progress.Step(++Done);
  }
  Vertices += static_cast<uint64_t>(mesh.Vertices.Count());
}

}  // namespace

void ExportObj(TModel& model, const std::string& path, bool yUp, const TNodePose& pose) {
  std::vector<TMesh*> meshes;
  for (TNode* node : model.Nodes)
    if (node->Mesh) meshes.push_back(node->Mesh.get());
  TProgress progress(model.Services, "Exporting", ObjectCount(meshes), kProgressObjects);
  PlacePosed(model, pose);
  TObjMaterials materials(meshes);
  std::filesystem::path mtl(path);
  mtl.replace_extension(".mtl");
  if (mtl == std::filesystem::path(path)) mtl += ".mtl";  // an OBJ file named *.mtl keeps its materials apart
  WriteMaterials(mtl, materials.All());

  TAtomicFileWriter file(path);
  TObjText out(file);
  out << "# Written by " << GetProductName();
  out.EndLine();
  out << "mtllib " << mtl.filename().string();
  out.EndLine();
  TObjObjects objects(out, materials, progress, yUp);
  for (const TNode* node : model.Nodes)
    if (node->Mesh) objects.Write(*node);
  out.Flush();
  file.Commit();
}
