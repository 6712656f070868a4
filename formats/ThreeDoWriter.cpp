// Writing the model as 3DO text.
#include <charconv>
#include <ctime>
#include <unordered_map>

#include "formats/FileIO.h"
#include "formats/ThreeDo.h"
#include "model/Convert.h"
#include "model/Hierarchy.h"
#include "model/Model.h"
#include "model/Text.h"
#include "services/Progress.h"
#include "model/VersionInfo.h"
#include "model/WrittenMaterials.h"

namespace {

// Builds the text in a buffer that is handed to the sink whenever it grows past a block,
// so that memory stays flat however large the model. The lines written are the progress.
class TWriter {
 public:
  TWriter(const std::function<void(std::string_view)>& sink, TProgress& progress) : Sink(sink), Progress(progress) {
    Out.reserve(kBlock + 4096);
  }
  TWriter(const TWriter&) = delete;
  TWriter& operator=(const TWriter&) = delete;

  TWriter& operator<<(std::string_view s) {
    Out.append(s);
    return *this;
  }
  TWriter& operator<<(char c) {
    Out.push_back(c);
    return *this;
  }
  TWriter& Int(long long value) {
    char buffer[24];
    Out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    return *this;
  }
  // Every command keeps the model within what a file can hold; should a value get past them,
  // the file still reads back, with that value at the edge of the range.
  TWriter& Float(double value) {
    AppendFloat6(Out, ClampToFileRange(value));
    return *this;
  }
  TWriter& Vec(const TVector& v) {
    Float(v.X) << ' ';
    Float(v.Y) << ' ';
    return Float(v.Z);
  }
  TWriter& Label(int row) {
    Int(row);
    Out.append(":  ");
    return *this;
  }
  void EndLine() {
    Out.append("\r\n");
    Progress.Step(++Lines);
    if (Out.size() >= kBlock) Flush();
  }
  void Flush() {
    if (!Out.empty()) Sink(Out);
    Out.clear();
  }
  void Line(std::string_view s) {
    Out.append(s);
    EndLine();
  }

 private:
  static constexpr size_t kBlock = 1 << 18;
  const std::function<void(std::string_view)>& Sink;
  TProgress& Progress;
  uint64_t Lines = 0;
  std::string Out;
};

// About how many lines the text of these nodes takes: a few fixed ones aside, a row per
// material and node, and per mesh two per vertex (position, normal) and per face (the face,
// its normal) and one per corner.
uint64_t LineCount(const TModel& model, const std::vector<TNode*>& nodes) {
  uint64_t lines = static_cast<uint64_t>(model.Materials.Count()) + nodes.size();
  for (int set = 0; set < model.GeosetCount(); ++set)
    for (const TNode* n : nodes)
      if (const TMesh* mesh = model.GeosetMesh(*n, set)) {
        lines += 2 * static_cast<uint64_t>(mesh->Vertices.Count() + mesh->Surfaces.Count());
        for (const TFace* f : mesh->Surfaces) lines += static_cast<uint64_t>(f->Vertices.Count());
      }
  return lines;
}

std::string FileNamePart(const std::string& path) {
  const auto cut = path.find_last_of("\\:/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string NowText(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[128];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

void WriteVertices(TWriter& w, const TMesh& mesh) {
  w << "VERTICES ";
  w.Int(mesh.Vertices.Count()).EndLine();
  for (int j = 0; j < mesh.Vertices.Count(); ++j) {
    w.Label(j).Vec(mesh.Vertices[j]->Position) << ' ';
    w.Float(mesh.Vertices[j]->Intensity);
    w.EndLine();
  }
  w.EndLine();
}

// Texture vertices are never shared: one entry per face corner.
void WriteTextureVertices(TWriter& w, const TMesh& mesh) {
  long long corners = 0;
  for (const TFace* f : mesh.Surfaces) corners += f->TXVertices.Count();
  w << "TEXTURE VERTICES ";
  w.Int(corners).EndLine();
  long long t = 0;
  for (const TFace* f : mesh.Surfaces)
    for (const TTXVertex& tv : f->TXVertices) {
      w.Label(static_cast<int>(t++)).Float(tv.U) << ' ';
      w.Float(tv.V).EndLine();
    }
  w.EndLine();
}

// Each face's corners name their texture vertex by the running count of corners, the order
// WriteTextureVertices lists them in.
void WriteFaces(TWriter& w, const TMesh& mesh,
                const std::unordered_map<const TMaterial*, int>& materialIndex) {
  w << "FACES ";
  w.Int(mesh.Surfaces.Count()).EndLine();
  long long t = 0;
  for (int j = 0; j < mesh.Surfaces.Count(); ++j) {
    const TFace& f = *mesh.Surfaces[j];
    const auto m = materialIndex.find(f.Material);
    w.Int(j) << ":  ";
    w.Int(m == materialIndex.end() ? -1 : m->second) << " 0x";
    w.Int(f.FaceType) << ' ';
    w.Int(f.GeometryMode) << ' ';
    w.Int(f.LightingMode) << ' ';
    w.Int(f.TextureMode) << ' ';
    w.Float(f.ExtraLight) << ' ';
    w.Int(f.Vertices.Count()) << ' ';
    for (int k = 0; k < f.Vertices.Count(); ++k) {
      w.Int(mesh.IndexOfVertex(f.Vertices[k])) << ", ";
      w.Int(t++) << ' ';
    }
    w.EndLine();
  }
  w.EndLine();
}

void WriteMesh(TWriter& w, TMesh& mesh, size_t i,
               const std::unordered_map<const TMaterial*, int>& materialIndex) {
  mesh.IndexVertices();
  w.EndLine();
  w << "MESH ";
  w.Int(static_cast<long long>(i)).EndLine();
  w << "NAME " << mesh.Name;
  w.EndLine();
  w << "RADIUS ";
  w.Float(mesh.GetRadius()).EndLine();
  w << "GEOMETRYMODE ";
  w.Int(mesh.GeometryMode).EndLine();
  w << "LIGHTINGMODE ";
  w.Int(mesh.LightingMode).EndLine();
  w << "TEXTUREMODE ";
  w.Int(mesh.TextureMode).EndLine();
  w.EndLine();

  WriteVertices(w, mesh);
  WriteTextureVertices(w, mesh);
  w.Line("VERTEX NORMALS");
  for (int j = 0; j < mesh.Vertices.Count(); ++j)
    w.Label(j).Vec(mesh.Vertices[j]->Normal).EndLine();
  w.EndLine();
  WriteFaces(w, mesh, materialIndex);
  w.Line("FACE NORMALS");
  for (int j = 0; j < mesh.Surfaces.Count(); ++j)
    w.Label(j).Vec(mesh.Surfaces[j]->GetNormal()).EndLine();
}

// The materials the nodes' meshes use, numbered in the order written; returns their numbers.
std::unordered_map<const TMaterial*, int> WriteMaterials(TWriter& w, const TModel& model,
                                                         const std::vector<TNode*>& nodes) {
  w.Line("SECTION: MODELRESOURCE");
  w << "MATERIALS ";
  const std::vector<TMaterial*> materials = WrittenMaterials(model, nodes);
  w.Int(static_cast<long long>(materials.size())).EndLine();
  std::unordered_map<const TMaterial*, int> materialIndex;
  for (size_t i = 0; i < materials.size(); ++i) {
    materialIndex.emplace(materials[i], static_cast<int>(i));
    w.Label(static_cast<int>(i)) << materials[i]->Name;
    w.EndLine();
  }
  w.EndLine();
  return materialIndex;
}

// Every geometry set, each with its meshes numbered in the nodes' order.
void WriteGeometry(TWriter& w, TModel& model, const std::vector<TNode*>& nodes,
                   const std::unordered_map<const TMaterial*, int>& materialIndex) {
  w.Line("SECTION: GEOMETRYDEF");
  w << "RADIUS ";
  w.Float(model.Radius).EndLine();
  w << "INSERT OFFSET ";
  w.Vec(model.InsertOffset).EndLine();
  w << "GEOSETS ";
  w.Int(model.GeosetCount()).EndLine();
  for (int set = 0; set < model.GeosetCount(); ++set) {
    if (set > 0) w.EndLine();
    w << "GEOSET ";
    w.Int(set).EndLine();
    std::vector<TMesh*> meshes;
    for (TNode* n : nodes)
      if (n->Mesh) {
        // Every node with a shown mesh has one in each set; should one be missing, the shown
        // mesh stands in, so the file still names a mesh for every row.
        TMesh* mesh = model.GeosetMesh(*n, set);
        meshes.push_back(mesh ? mesh : n->Mesh.get());
      }
    w << "MESHES ";
    w.Int(static_cast<long long>(meshes.size())).EndLine();
    for (size_t i = 0; i < meshes.size(); ++i) WriteMesh(w, *meshes[i], i, materialIndex);
  }
  w.EndLine();
}

void WriteHierarchy(TWriter& w, TModel& model, const std::vector<TNode*>& nodes) {
  // A node's mesh has the same number in every set: the hierarchy names it once for all.
  std::unordered_map<const TNode*, int> meshIndex;
  for (TNode* n : nodes)
    if (n->Mesh) meshIndex.emplace(n, static_cast<int>(meshIndex.size()));
  w.Line("SECTION: HIERARCHYDEF");
  w << "HIERARCHY NODES ";
  w.Int(static_cast<long long>(nodes.size())).EndLine();
  DeriveLinks(model);
  const TLinkRows links = LinksAmong(nodes);
  for (size_t j = 0; j < nodes.size(); ++j) {
    const TNode& n = *nodes[j];
    w.Int(static_cast<long long>(j)) << ":  0x";
    w.Int(n.Flags) << " 0x";
    w.Int(n.NodeType) << ' ';
    w.Int(n.Mesh ? meshIndex.at(&n) : -1) << ' ';
    w.Int(links.Parent[j]) << ' ';
    w.Int(links.Child[j]) << ' ';
    w.Int(links.Sibling[j]) << ' ';
    w.Int(links.NumChildren[j]) << ' ';
    w.Vec(n.Position) << ' ';
    w.Vec(n.Rotation) << ' ';
    w.Vec(n.Pivot) << ' ' << n.Name;
    w.EndLine();
  }
}

void WriteText(TModel& model, const std::function<void(std::string_view)>& sink, const std::vector<TNode*>& nodes,
               TProgress& progress) {
  TWriter w(sink, progress);
  w << "# MODEL '" << FileNamePart(model.FileName) << "' created with " << GetProductName() << " v"
    << GetVersionString(VersionParts) << " on " << NowText("%x") << " at " << NowText("%X");
  w.EndLine();
  w.EndLine();
  w.Line("SECTION: HEADER");
  w.Line("3DO 2.1");
  w.EndLine();
  const auto materialIndex = WriteMaterials(w, model, nodes);
  WriteGeometry(w, model, nodes, materialIndex);
  WriteHierarchy(w, model, nodes);
  w.Flush();
}

}  // namespace

void Write3DO(TModel& model, std::string& out, const std::vector<TNode*>& nodes) {
  Write3DO(model, [&out](std::string_view block) { out.append(block); }, nodes);
}

void Write3DO(TModel& model, const std::function<void(std::string_view)>& sink, const std::vector<TNode*>& nodes) {
  TProgress progress(model.Services, "Writing", LineCount(model, nodes), kProgressObjects);
  WriteText(model, sink, nodes, progress);
}

void Save3DOFile(TModel& model, const std::string& path) {
  TProgress progress(model.Services, "Saving", LineCount(model, model.Nodes.Pointers()), kProgressObjects);
  model.Update();
  // The header names the new file; the model names it only once it is written. `path` may
  // be the model's own model.FileName, so both are copied before it changes.
  const std::string target = path, previous = model.FileName;
  model.FileName = target;
  try {
    TAtomicFileWriter file(target);
    WriteText(model, [&file](std::string_view block) { file.Write(block); }, model.Nodes.Pointers(), progress);
    file.Commit();
  } catch (...) {
    model.FileName = previous;
    throw;
  }
  if (model.ContradictedLinks > 0) {
    model.AddOutput("The child and sibling links of " + std::to_string(model.ContradictedLinks) +
              " nodes contradicted their parents; they were written as the parents give them");
    model.ContradictedLinks = 0;
  }
}
