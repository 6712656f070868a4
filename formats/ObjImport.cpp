#include "formats/ObjImport.h"

// Wavefront OBJ import. Meshes of a million faces arrive this way, so the file is read twice
// in blocks of whole lines, scanned in place: once to count the statements, so that every list
// is allocated once at its final size, then to read them. Only one block is held at a time.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/BulkHeap.h"
#include "formats/ObjBlocks.h"
#include "formats/NameRules.h"
#include "formats/ObjMaterialNames.h"
#include "formats/ReadOnlyFile.h"
#include "model/Convert.h"
#include "model/Errors.h"
#include "model/Model.h"
#include "services/Progress.h"

namespace {

constexpr int kMaxCorners = 29;  // what a 3DO face row can hold and read back
// More objects than this stay one mesh: a model of so many nodes is no longer a game's, and
// a file of tiny objects must not cost a node and mesh per face.
constexpr size_t kMostObjectNodes = 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsFieldEnd(char c) { return IsBlank(c) || IsLineEnd(c); }

struct TObjCounts {
  size_t Vertices = 0, TexVertices = 0, Faces = 0, Objects = 0;
};

// Adds the statements of whole lines to the counts; lines ending in CR alone are counted too.
void CountStatements(std::string_view text, TObjCounts& counts) {
  const char eol = text.find('\n') != std::string_view::npos ? '\n' : '\r';
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    while (p < end && IsBlank(*p)) ++p;
    if (end - p >= 2) {
      if (p[0] == 'v' && IsBlank(p[1])) ++counts.Vertices;
      else if (p[0] == 'f' && IsBlank(p[1])) ++counts.Faces;
      else if (p[0] == 'o' && IsBlank(p[1])) ++counts.Objects;
      else if (end - p >= 3 && p[0] == 'v' && p[1] == 't' && IsBlank(p[2])) ++counts.TexVertices;
    }
    const void* next = std::memchr(p, eol, static_cast<size_t>(end - p));
    p = next ? static_cast<const char*>(next) + 1 : end;
  }
}

class TObjParser {
 public:
  // Adds the node and its mesh, with room for what was counted.
  TObjParser(TModel& model, const TObjCounts& counts, const TObjImportOptions& options);
  // Reads a run of whole lines.
  void Parse(std::string_view text);
  // Turns and scales what was read as the options say; also when bad content ended the
  // reading, so that what stays in the model lies as the rest would have.
  void Place();
  void Finish();
  // Makes a node and mesh of each object that has faces, when there are several, in place of
  // the one mesh that holds them all.
  void SplitObjects();

 private:
  std::string_view Field() {
    while (P < End && IsBlank(*P)) ++P;
    const char* start = P;
    while (P < End && !IsFieldEnd(*P)) ++P;
    return {start, static_cast<size_t>(P - start)};
  }
  void SkipLine() {
    while (P < End && !IsLineEnd(*P)) ++P;
  }
  static double Number(std::string_view field) {
    double value;
    return TryStrToFloat(field, value) ? value : StrToFloat(field);
  }
  static int Index(std::string_view piece) {
    // Digits are by far the common case; anything else goes the general way for its message.
    int value = 0;
    size_t i = piece.size() > 1 && piece[0] == '-' ? 1 : 0;
    if (i == piece.size() || piece.size() > 9) return StrToInt(piece);
    for (; i < piece.size(); ++i) {
      if (piece[i] < '0' || piece[i] > '9') return StrToInt(piece);
      value = value * 10 + (piece[i] - '0');
    }
    return piece[0] == '-' ? -value : value;
  }
  // OBJ counts from 1, and negative numbers count back from the last item read.
  static int Resolve(int number, int count) { return number > 0 ? number - 1 : (number < 0 ? count + number : -1); }

  void ReadVertex();
  void ReadTexVertex();
  void ReadMaterial();
  void ReadObject();
  void ReadFace();
  TTXVertex Tex(int index) const;

  struct TCorner {
    TVertex* Vertex;
    TTXVertex Tex;
  };

  TModel& Model;
  const TObjImportOptions Options;
  const int NodeIndex;
  // Files that name objects are split by "o"; others by their groups.
  const std::string_view ObjectKeyword;
  std::vector<std::string> ObjectNames{""};  // the first for faces before any object
  std::unordered_map<std::string, uint32_t> ObjectNumbers{{"", 0}};
  uint32_t Object = 0;
  std::vector<uint32_t> FaceObjects, VertexObjects;  // per face and vertex of the mesh
  const char* P = nullptr;
  const char* End = nullptr;
  TMesh* Mesh = nullptr;
  // As read: the conversion into texels would lose digits from single precision.
  std::vector<std::array<double, 2>> TexVertices;
  std::vector<TCorner> Corners;
  TMaterial* Material = nullptr;  // of the last "usemtl", when materials are taken
  int TruncatedFaces = 0;
  TNameRepairs Names{NameReadsBack};  // material names no 3DO file could hold as they were
};

TObjParser::TObjParser(TModel& model, const TObjCounts& counts, const TObjImportOptions& options)
    : Model(model), Options(options), NodeIndex(model.Nodes.Count()), ObjectKeyword(counts.Objects > 0 ? "o" : "g") {
  TNode* node = Model.AddNode();
  Mesh = node->SetMesh(Model.NewMesh());
  Mesh->Vertices.Reserve(counts.Vertices);
  Mesh->Surfaces.Reserve(counts.Faces);
  TexVertices.reserve(counts.TexVertices);
  if (Options.ObjectsAsNodes) {
    FaceObjects.reserve(counts.Faces);
    VertexObjects.reserve(counts.Vertices);
  }
}

void TObjParser::Parse(std::string_view text) {
  P = text.data();
  End = text.data() + text.size();
  while (P < End) {
    const std::string_view keyword = Field();
    if (keyword == "v")
      ReadVertex();
    else if (keyword == "vt")
      ReadTexVertex();
    else if (keyword == "f")
      ReadFace();
    else if (keyword == "usemtl" && Options.Materials)
      ReadMaterial();
    else if (keyword == ObjectKeyword && Options.ObjectsAsNodes)
      ReadObject();
    SkipLine();
    if (P < End) ++P;  // a CR LF pair leaves an empty line behind, which is passed over
  }
}

void TObjParser::Finish() {
  if (TruncatedFaces > 0)
    Model.AddOutput(std::to_string(TruncatedFaces) + " faces had more than " + std::to_string(kMaxCorners) +
                    " corners; only their first " + std::to_string(kMaxCorners) + " were kept");
  if (const std::string renamed = Names.Report(); !renamed.empty()) Model.AddOutput(renamed);
}

void TObjParser::ReadVertex() {
  const double x = Number(Field());
  const double y = Number(Field());
  const double z = Number(Field());
  Mesh->AddVertex()->Position = {x, y, z};
  if (Options.ObjectsAsNodes) VertexObjects.push_back(Object);
}

void TObjParser::ReadTexVertex() {
  const double u = Number(Field());
  const std::string_view vField = Field();
  const double v = vField.empty() ? 0.0 : Number(vField);  // v is optional in OBJ
  TexVertices.push_back({u, v});
}

// The rest of the line names the material; blanks inside a name, which no 3DO file could
// hold, become "_".
void TObjParser::ReadMaterial() {
  while (P < End && IsBlank(*P)) ++P;
  std::string name;
  for (bool blank = false; P < End && !IsLineEnd(*P); ++P) {
    if (IsBlank(*P)) {
      blank = true;
      continue;
    }
    if (blank) name += '_';
    blank = false;
    name += *P;
  }
  Material = name.empty() ? nullptr : Model.Materials.FindOrAdd(Names.Repair(MaterialFromObjName(name)));
}

// A name seen before goes on with its object: groups are often taken up again.
void TObjParser::ReadObject() {
  while (P < End && IsBlank(*P)) ++P;
  const char* start = P;
  while (P < End && !IsLineEnd(*P)) ++P;
  const char* end = P;
  while (end > start && IsBlank(end[-1])) --end;
  const auto [at, added] =
      ObjectNumbers.try_emplace(std::string(start, static_cast<size_t>(end - start)), ObjectNames.size());
  if (added) ObjectNames.push_back(at->first);
  Object = at->second;
}

// OBJ puts V = 0 at the bottom of the picture, the 3DO at its first row.
TTXVertex TObjParser::Tex(int index) const {
  if (index < 0 || index >= static_cast<int>(TexVertices.size()))
    RaiseListError("Texture Vertex Index is out of bounds: %d", index);
  const auto [u, v] = TexVertices[static_cast<size_t>(index)];
  if (!Material) return {static_cast<float>(u), static_cast<float>(v)};
  // A material that is not found counts as the export and the texture commands count it.
  const bool found = Material->Loaded && Material->Width > 0 && Material->Height > 0;
  const int width = found ? Material->Width : kUnreadMaterialSide;
  const int height = found ? Material->Height : kUnreadMaterialSide;
  return {static_cast<float>(u * width), static_cast<float>((1 - v) * height)};
}

void TObjParser::ReadFace() {
  Corners.clear();
  bool truncated = false;
  const int vertexCount = Mesh->Vertices.Count();
  for (std::string_view element = Field(); !element.empty(); element = Field()) {
    const size_t slash = element.find('/');
    const int a = Index(element.substr(0, slash));
    TCorner corner{Mesh->Vertices.Get(Resolve(a, vertexCount)), {}};
    if (slash != std::string_view::npos) {
      std::string_view rest = element.substr(slash + 1);
      const std::string_view b = rest.substr(0, rest.find('/'));
      if (!b.empty()) corner.Tex = Tex(Resolve(Index(b), static_cast<int>(TexVertices.size())));
    }
    if (Corners.size() < kMaxCorners)
      Corners.push_back(corner);
    else
      truncated = true;
  }
  if (truncated) ++TruncatedFaces;
  if (Corners.empty()) return;  // a face without corners could be neither drawn nor picked
  TFace* face = Material ? Mesh->AddFace(Material) : Mesh->AddFace();
  face->Vertices.Reserve(Corners.size());
  face->TXVertices.Reserve(Corners.size());
  for (const TCorner& corner : Corners) face->TXVertices[face->AddVertex(corner.Vertex)] = corner.Tex;
  if (Options.ObjectsAsNodes) FaceObjects.push_back(Object);
}

void TObjParser::SplitObjects() {
  if (!Options.ObjectsAsNodes) return;
  const size_t objects = ObjectNames.size();
  std::vector<std::vector<int>> faces(objects), vertices(objects);
  for (size_t f = 0; f < FaceObjects.size(); ++f) faces[FaceObjects[f]].push_back(static_cast<int>(f));
  const auto shown = static_cast<size_t>(std::count_if(faces.begin(), faces.end(), [](const auto& list) { return !list.empty(); }));
  if (shown < 2) {
    for (size_t o = 0; o < objects; ++o)
      if (!faces[o].empty() && !ObjectNames[o].empty())
        Model.Nodes[NodeIndex]->Name = Mesh->Name = SafeName(ObjectNames[o]);
    return;
  }
  if (shown > kMostObjectNodes) {
    Model.AddOutput("The file has " + std::to_string(shown) + " objects, more than " +
                    std::to_string(kMostObjectNodes) + " nodes should hold; they were imported as one mesh");
    return;
  }

  TMesh& all = *Mesh;
  all.IndexVertices();
  // An object keeps the vertices listed in it, in their order, and those of others that its
  // faces use; so an exported model comes back with its vertices as they were.
  for (size_t v = 0; v < VertexObjects.size(); ++v) vertices[VertexObjects[v]].push_back(static_cast<int>(v));
  std::vector<int> copy(static_cast<size_t>(all.Vertices.Count()), -1);
  // Faces move to their object's mesh rather than being copied, so that a file of several
  // big objects is not held twice; vertices are copied, as objects may share them.
  auto allFaces = all.Surfaces.ExtractAll();
  for (size_t o = 0; o < objects; ++o) {
    if (faces[o].empty()) continue;
    std::vector<int>& used = vertices[o];
    for (int f : faces[o])
      for (const TVertex* v : allFaces[static_cast<size_t>(f)]->Vertices)
        if (VertexObjects[static_cast<size_t>(v->Index)] != o) used.push_back(v->Index);
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());

    TNode* node = Model.AddNode();
    TMesh* mesh = node->SetMesh(Model.NewMesh());
    if (!ObjectNames[o].empty()) node->Name = mesh->Name = SafeName(ObjectNames[o]);
    mesh->Vertices.Reserve(used.size());
    for (int v : used) {
      copy[static_cast<size_t>(v)] = mesh->Vertices.Count();
      mesh->AddVertex()->Position = all.Vertices[v]->Position;
    }
    mesh->Surfaces.Reserve(faces[o].size());
    for (int f : faces[o]) {
      std::unique_ptr<TFace>& face = allFaces[static_cast<size_t>(f)];
      face->Mesh = mesh;
      for (TVertex*& v : face->Vertices.Raw()) v = mesh->Vertices[copy[static_cast<size_t>(v->Index)]];
      mesh->Surfaces.Add(std::move(face));
    }
    mesh->Touch();
  }
  Mesh = nullptr;
  Model.DeleteNode(NodeIndex);
}

void TObjParser::Place() {
  if (!Options.YUp && !Options.Fit && Options.Scale == 1) return;
  double factor = Options.Scale;
  if (Options.Fit) {
    TVector low{HUGE_VAL, HUGE_VAL, HUGE_VAL}, high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const TVertex* v : Mesh->Vertices) {
      const TVector& p = v->Position;
      low = {std::min(low.X, p.X), std::min(low.Y, p.Y), std::min(low.Z, p.Z)};
      high = {std::max(high.X, p.X), std::max(high.Y, p.Y), std::max(high.Z, p.Z)};
    }
    const double extent = std::max({high.X - low.X, high.Y - low.Y, high.Z - low.Z});
    factor = extent > 0 ? TObjImportOptions::kFitExtent / extent : 1;  // a point keeps its place
  }
  for (TVertex* v : Mesh->Vertices) {
    TVector& p = v->Position;
    if (Options.YUp) p = {p.X, -p.Z, p.Y};
    p = {ClampToFileRange(p.X * factor), ClampToFileRange(p.Y * factor), ClampToFileRange(p.Z * factor)};
  }
  Mesh->TouchVertices();
}

void ImportObjFile(TModel& model, const std::string& path, const TObjImportOptions& options) {
  const TReadOnlyFile file(path);
  // The file is read twice, and both readings count.
  TProgress progress(model.Services, "Importing", 2 * file.Size(), 2 * kProgressBytes);
  TObjCounts counts;
  TObjBlocks counting(file);
  for (std::string_view lines = counting.Next(); !lines.empty(); lines = counting.Next()) {
    CountStatements(lines, counts);
    progress.Step(counting.Position());
  }
  // What the mesh will hold: each face and each vertex, with its heap header and its place
  // in the mesh's list. Triangles and quads keep their corners in the face.
  const TBulkHeap heap(counts.Faces * (sizeof(TFace) + 24) + counts.Vertices * (sizeof(TVertex) + 24));
  TObjParser parser(model, counts, options);
  TObjBlocks reading(file);
  try {
    for (std::string_view lines = reading.Next(); !lines.empty(); lines = reading.Next()) {
      parser.Parse(lines);
      progress.Step(file.Size() + reading.Position());
    }
  } catch (const EZarnError&) {
    parser.Place();
    throw;
  }
  parser.Place();
  parser.Finish();
  parser.SplitObjects();
}

}  // namespace

TReadResult ImportObj(TModel& model, const std::string& path, const TObjImportOptions& options) {
  if (std::string problem = NotARegularFile(path); !problem.empty()) return TReadResult::Failure(problem);
  const int nodesBefore = model.Nodes.Count();
  try {
    ImportObjFile(model, path, options);
    return {};
  } catch (const EZarnError& e) {
    model.ShowError(e.what());  // what was added before the error stays
    return TReadResult::Failure(e.what());
  } catch (const std::bad_alloc&) {
    // The part imported so far goes first, so that there is memory to say so.
    while (model.Nodes.Count() > nodesBefore) model.DeleteNode(model.Nodes.Count() - 1);
    const std::string message = "Out of memory while importing '" + path + "'; nothing was added";
    model.ShowError(message);
    return TReadResult::Failure(message);
  }
}
