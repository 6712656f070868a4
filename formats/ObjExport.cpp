// Wavefront OBJ export. A model of a million vertices makes a few hundred megabytes of text,
// so the text goes to the file in blocks as it is made.
#include "formats/ObjExport.h"

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
#include "model/Progress.h"
#include "model/VersionInfo.h"

namespace {

// One material as the exported faces use it.
struct TObjMaterial {
  const TMaterial* Material;
  std::string Name;  // in the OBJ and MTL files
  bool Found;        // its texture coordinates are scaled by its size
  bool Picture;      // a PNG of its first image lies beside the files
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
  static TObjMaterial Describe(const TMaterial* m) {
    if (!m) return {m, "dflt", false, false};
    const bool found = m->Loaded && m->Width > 0 && m->Height > 0;
    const bool picture = found && m->Pixels.size() >= static_cast<size_t>(m->Width) * static_cast<size_t>(m->Height) * 3;
    return {m, ObjMaterialName(m->Name), found, picture};
  }
  std::vector<TObjMaterial> List;
  std::unordered_map<const TMaterial*, size_t> ByMaterial;
  const TMaterial* Last = nullptr;
  size_t LastIndex = 0;
};

// The text of the OBJ file, handed to the file a block at a time.
class TObjText {
 public:
  TObjText(TAtomicFileWriter& file, TProgress& progress) : File(file), Progress(progress) { Out.reserve(kBlock + 4096); }
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
  TObjText& Vec(const TVector& v) {
    Float(v.X) << ' ';
    Float(v.Y) << ' ';
    return Float(v.Z);
  }
  // Texels into OBJ's 0..1, V up: the 3DO's V = 0 is the picture's first row, OBJ's its
  // last. The texels are taken at the six decimals a 3DO file holds them to, so that the
  // numbers written stay short; they come back exactly.
  TObjText& Tex(const TTXVertex& t, const TObjMaterial& m) {
    if (!m.Found) {
      Float(t.U) << ' ';
      return Float(t.V);
    }
    const auto six = [](double x) { return std::round(x * 1e6) / 1e6; };
    Exact(six(t.U) / m.Material->Width) << ' ';
    return Exact(1 - six(t.V) / m.Material->Height);
  }
  void EndLine() {
    Out.push_back('\n');
    Progress.Step(++Lines);
    if (Out.size() >= kBlock) Flush();
  }
  void Flush() {
    File.Write(Out);
    Out.clear();
  }

 private:
  static constexpr size_t kBlock = size_t{1} << 18;
  TAtomicFileWriter& File;
  TProgress& Progress;
  uint64_t Lines = 0;
  std::string Out;
};

uint64_t LineCount(const std::vector<TMesh*>& meshes) {
  uint64_t lines = 0;
  for (const TMesh* mesh : meshes) {
    lines += 1 + static_cast<uint64_t>(mesh->Vertices.Count()) + 2 * static_cast<uint64_t>(mesh->Surfaces.Count());
    for (const TFace* face : mesh->Surfaces) lines += static_cast<uint64_t>(face->Vertices.Count());
  }
  return lines;
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

void WriteMesh(TObjText& out, const TNode& node, TObjMaterials& materials, uint64_t (&written)[3]) {
  TMesh& mesh = *node.Mesh;
  out << "o " << node.Name;
  out.EndLine();
  for (const TVertex* v : mesh.Vertices) {
    out << "v ";
    out.Vec(v->World).EndLine();
  }
  for (const TFace* face : mesh.Surfaces) {
    const TObjMaterial& m = materials.All()[materials.IndexOf(face->Material)];
    for (int k = 0; k < face->Vertices.Count(); ++k) {
      out << "vt ";
      out.Tex(k < face->TXVertices.Count() ? face->TXVertices[k] : TTXVertex{}, m).EndLine();
    }
  }
  // The faces' normals in the world, as the views light them.
  for (const TFace* face : mesh.Surfaces) {
    out << "vn ";
    out.Vec(PolygonNormal(face->Vertices, &TVertex::World)).EndLine();
  }
  mesh.IndexVertices();
  auto& [vertices, texVertices, normals] = written;
  size_t current = SIZE_MAX;  // every object names its first material
  for (const TFace* face : mesh.Surfaces) {
    const size_t material = materials.IndexOf(face->Material);
    if (material != current) {
      out << "usemtl " << materials.All()[material].Name;
      out.EndLine();
      current = material;
    }
    out << "f";
    for (const TVertex* v : face->Vertices) {
      out << " ";
      out.Int(vertices + static_cast<uint64_t>(mesh.IndexOfVertex(v)) + 1) << "/";
      out.Int(++texVertices) << "/";
      out.Int(normals + 1);
    }
    ++normals;
    out.EndLine();
  }
  vertices += static_cast<uint64_t>(mesh.Vertices.Count());
}

}  // namespace

void ExportObj(TModel& model, const std::string& path) {
  std::vector<TMesh*> meshes;
  for (TNode* node : model.Nodes)
    if (node->Mesh) meshes.push_back(node->Mesh.get());
  TProgress progress(model.Services(), "Exporting", LineCount(meshes), kProgressObjects);
  model.UpdateWorld();
  TObjMaterials materials(meshes);
  std::filesystem::path mtl(path);
  mtl.replace_extension(".mtl");
  if (mtl == std::filesystem::path(path)) mtl += ".mtl";  // an OBJ file named *.mtl keeps its materials apart
  WriteMaterials(mtl, materials.All());

  TAtomicFileWriter file(path);
  TObjText out(file, progress);
  out << "# Written by " << GetProductName();
  out.EndLine();
  out << "mtllib " << mtl.filename().string();
  out.EndLine();
  uint64_t written[3] = {0, 0, 0};  // vertices, texture vertices and normals so far
  for (const TNode* node : model.Nodes)
    if (node->Mesh) WriteMesh(out, *node, materials, written);
  out.Flush();
  file.Commit();
}
