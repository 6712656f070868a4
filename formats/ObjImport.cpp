// Wavefront OBJ import. Meshes of a million faces arrive this way, so the text is scanned
// once in place, counted first so that every list is allocated once at its final size.
#include "formats/ObjImport.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "formats/BulkHeap.h"
#include "formats/ReadOnlyFile.h"
#include "model/Convert.h"
#include "model/Errors.h"
#include "model/Model.h"

namespace {

constexpr int kMaxCorners = 29;  // what a 3DO face row can hold and read back

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsFieldEnd(char c) { return IsBlank(c) || IsLineEnd(c); }

struct TObjCounts {
  size_t Vertices = 0, TexVertices = 0, Faces = 0;
};

// Counts the statements to size the lists; lines ending in CR alone are counted too.
TObjCounts CountStatements(std::string_view text) {
  TObjCounts counts;
  const char eol = text.find('\n') != std::string_view::npos ? '\n' : '\r';
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    while (p < end && IsBlank(*p)) ++p;
    if (end - p >= 2) {
      if (p[0] == 'v' && IsBlank(p[1])) ++counts.Vertices;
      else if (p[0] == 'f' && IsBlank(p[1])) ++counts.Faces;
      else if (end - p >= 3 && p[0] == 'v' && p[1] == 't' && IsBlank(p[2])) ++counts.TexVertices;
    }
    const void* next = std::memchr(p, eol, static_cast<size_t>(end - p));
    p = next ? static_cast<const char*>(next) + 1 : end;
  }
  return counts;
}

class TObjParser {
 public:
  TObjParser(TModel& model, std::string_view text) : Model(model), P(text.data()), End(text.data() + text.size()) {}

  void Run(const TObjCounts& counts);

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
  void ReadFace();

  struct TCorner {
    TVertex* Vertex;
    TTXVertex Tex;
  };

  TModel& Model;
  const char* P;
  const char* const End;
  TMesh* Mesh = nullptr;
  TTXVertices TexVertices;
  std::vector<TCorner> Corners;
  int TruncatedFaces = 0;
};

void TObjParser::Run(const TObjCounts& counts) {
  TNode* node = Model.AddNode();
  Mesh = node->SetMesh(std::make_unique<TMesh>(&Model));
  Mesh->Vertices.Reserve(counts.Vertices);
  Mesh->Surfaces.Reserve(counts.Faces);
  TexVertices.Reserve(counts.TexVertices);

  while (P < End) {
    const std::string_view keyword = Field();
    if (keyword == "v")
      ReadVertex();
    else if (keyword == "vt")
      ReadTexVertex();
    else if (keyword == "f")
      ReadFace();
    SkipLine();
    if (P < End) ++P;  // a CR LF pair leaves an empty line behind, which is passed over
  }
  if (TruncatedFaces > 0)
    Model.AddOutput(std::to_string(TruncatedFaces) + " faces had more than " + std::to_string(kMaxCorners) +
                    " corners; only their first " + std::to_string(kMaxCorners) + " were kept");
}

void TObjParser::ReadVertex() {
  const double x = Number(Field());
  const double y = Number(Field());
  const double z = Number(Field());
  Mesh->AddVertex()->Position = {x, y, z};
}

void TObjParser::ReadTexVertex() {
  const double u = Number(Field());
  const std::string_view vField = Field();
  const double v = vField.empty() ? 0.0 : Number(vField);  // v is optional in OBJ
  TexVertices.Add({static_cast<float>(u), static_cast<float>(v)});
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
      if (!b.empty()) corner.Tex = TexVertices.Get(Resolve(Index(b), TexVertices.Count()));
    }
    if (Corners.size() < kMaxCorners)
      Corners.push_back(corner);
    else
      truncated = true;
  }
  if (truncated) ++TruncatedFaces;
  if (Corners.empty()) return;  // a face without corners could be neither drawn nor picked
  TFace* face = Mesh->AddFace();
  face->Vertices.Reserve(Corners.size());
  face->TXVertices.Reserve(Corners.size());
  for (const TCorner& corner : Corners) face->TXVertices[face->AddVertex(corner.Vertex)] = corner.Tex;
}

// The file mapped read-only: no copy, and the pages come straight from the page cache.
class TMappedText {
 public:
  explicit TMappedText(const std::string& path) {
    const TReadOnlyFile probe(path);  // raises with the reason when the file cannot be read
    Size = static_cast<size_t>(probe.Size());
    if (Size == 0) return;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EInOutError("Cannot open file '" + path + "': " + std::strerror(errno));
    Data = ::mmap(nullptr, Size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    ::close(fd);
    if (Data == MAP_FAILED) {
      Data = nullptr;
      Copy = ReadWhole(path);
    }
  }
  ~TMappedText() {
    if (Data) ::munmap(Data, Size);
  }
  TMappedText(const TMappedText&) = delete;
  TMappedText& operator=(const TMappedText&) = delete;

  std::string_view Text() const {
    return Data ? std::string_view(static_cast<const char*>(Data), Size) : std::string_view(Copy);
  }

 private:
  static std::string ReadWhole(const std::string& path) {
    const TReadOnlyFile file(path);
    return file.ReadAt(0, file.Size());
  }
  void* Data = nullptr;
  size_t Size = 0;
  std::string Copy;
};

}  // namespace

void ImportObjText(TModel& model, std::string_view text) {
  text = text.substr(0, text.find('\x1A'));  // Ctrl-Z ends the text
  const TObjCounts counts = CountStatements(text);
  // What the mesh will hold: each face with its two corner lists, each vertex.
  const TBulkHeap heap(counts.Faces * (sizeof(TFace) + 80) + counts.Vertices * (sizeof(TVertex) + 24));
  TObjParser parser(model, text);
  parser.Run(counts);
}

bool TModel::ImportObj(const std::string& path) {
  if (!RegularFileExists(path)) return false;
  const TMappedText file(path);
  ImportObjText(*this, file.Text());
  return true;
}
