#include "editing/ReduceMesh.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <array>
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "editing/Answers.h"
#include "document/Core.h"
#include "model/Errors.h"
#include "model/FaceLook.h"

namespace {

constexpr TQueryField kReduceFields[] = {{"Faces", nullptr, "half the faces of the largest mesh reduced"}};

// Runs of the simplifier after the first that look for the mildest reduction meeting the
// count, each halving the range left, and the triangles all of them may pass over: the search
// is for meshes the game loads, where runs are cheap; a large scan gets the first run alone.
constexpr int kSearchRuns = 8;
constexpr size_t kSearchTriangles = 1 << 16;

// What a triangle keeps of its face; faces of different attributes never merge.
struct TFaceKind {
  TMaterial* Material;
  TFaceLook Look;
  bool operator<(const TFaceKind& o) const { return std::tie(Material, Look) < std::tie(o.Material, o.Look); }
};

// A corner as the simplifier sees it: a vertex with one texture coordinate and one face kind.
// Corners of one vertex that differ in either lie on a seam, which the simplifier keeps.
struct TWedge {
  int Vertex;
  TTXVertex Tex;
  int Kind;
};

// A triangle's wedges turned to begin at the lowest, the winding kept: the simplifier may
// write a triangle it left alone beginning at another corner.
using TTriangleKey = std::array<unsigned, 3>;

TTriangleKey KeyOf(const unsigned* t) {
  const int first = t[0] <= t[1] && t[0] <= t[2] ? 0 : t[1] <= t[2] ? 1 : 2;
  return {t[first], t[(first + 1) % 3], t[(first + 2) % 3]};
}

// The mesh as the simplifier takes it: each face a fan of triangles sharing its first corner.
struct TTriangulated {
  std::vector<TFaceKind> Kinds;
  std::vector<TWedge> Wedges;
  std::vector<float> Positions;    // three per wedge
  std::vector<unsigned> Indices;   // three wedges per triangle
  std::vector<size_t> FirstIndex;  // per face, and one past the last: where its triangles begin
  std::vector<unsigned> FaceOf;    // per triangle
  // The triangles by their lowest wedge: those of wedge w are ByLowest[Lowest[w]..Lowest[w + 1]).
  std::vector<unsigned> Lowest, ByLowest;

  size_t Triangles() const { return Indices.size() / 3; }
  // The triangle the simplifier left alone that `out` is, not yet `taken`; -1 for a new one.
  long Find(const unsigned* out, const std::vector<char>& taken) const {
    const TTriangleKey key = KeyOf(out);
    for (unsigned i = Lowest[key[0]]; i < Lowest[key[0] + 1]; ++i) {
      const unsigned t = ByLowest[i];
      if (!taken[t] && KeyOf(&Indices[t * 3]) == key) return t;
    }
    return -1;
  }
};

TTriangulated Triangulate(TMesh& mesh) {
  mesh.IndexVertices();
  TTriangulated t;
  std::map<TFaceKind, int> kindIndex;
  std::unordered_map<int, std::vector<unsigned>> wedgesOf;  // by vertex
  for (const TFace* f : mesh.Surfaces) {
    const TFaceKind kind{f->Material, TFaceLook(*f)};
    const auto placed = kindIndex.emplace(kind, static_cast<int>(t.Kinds.size()));
    if (placed.second) t.Kinds.push_back(kind);
    const int kindId = placed.first->second;
    const auto wedge = [&](int k) {
      const int v = mesh.IndexOfVertex(f->Vertices[k]);
      const TTXVertex tex = f->TXVertices[k];
      std::vector<unsigned>& known = wedgesOf[v];
      for (unsigned w : known)
        if (t.Wedges[w].Tex.U == tex.U && t.Wedges[w].Tex.V == tex.V && t.Wedges[w].Kind == kindId) return w;
      t.Wedges.push_back({v, tex, kindId});
      known.push_back(static_cast<unsigned>(t.Wedges.size() - 1));
      return static_cast<unsigned>(t.Wedges.size() - 1);
    };
    t.FirstIndex.push_back(t.Indices.size());
    for (int k = 1; k + 1 < f->Vertices.Count(); ++k) {
      t.Indices.push_back(wedge(0));
      t.Indices.push_back(wedge(k));
      t.Indices.push_back(wedge(k + 1));
      t.FaceOf.push_back(static_cast<unsigned>(t.FirstIndex.size() - 1));
    }
  }
  t.FirstIndex.push_back(t.Indices.size());
  t.Positions.reserve(t.Wedges.size() * 3);
  for (const TWedge& w : t.Wedges) {
    const TVector& p = mesh.Vertices[w.Vertex]->Position;
    t.Positions.insert(t.Positions.end(), {static_cast<float>(p.X), static_cast<float>(p.Y), static_cast<float>(p.Z)});
  }
  t.Lowest.assign(t.Wedges.size() + 1, 0);
  for (size_t i = 0; i < t.Triangles(); ++i) ++t.Lowest[KeyOf(&t.Indices[i * 3])[0] + 1];
  for (size_t w = 0; w < t.Wedges.size(); ++w) t.Lowest[w + 1] += t.Lowest[w];
  t.ByLowest.resize(t.Triangles());
  std::vector<unsigned> next(t.Lowest.begin(), t.Lowest.end() - 1);
  for (size_t i = 0; i < t.Triangles(); ++i) t.ByLowest[next[KeyOf(&t.Indices[i * 3])[0]]++] = static_cast<unsigned>(i);
  return t;
}

// One run of the simplifier: the faces whose every triangle came through untouched, which stay
// whole, and the triangles it made of the rest.
struct TReduced {
  std::vector<char> Kept;           // per face
  std::vector<unsigned> Triangles;  // three wedges per new triangle
  int Faces = 0;
};

TReduced Simplify(const TTriangulated& t, size_t triangles) {
  std::vector<unsigned> out(t.Indices.size());
  out.resize(meshopt_simplify(out.data(), t.Indices.data(), t.Indices.size(), t.Positions.data(), t.Wedges.size(),
                              3 * sizeof(float), triangles * 3, 1.0f, meshopt_SimplifyLockBorder, nullptr));
  std::vector<char> untouched(t.Triangles(), 0);
  std::vector<long> was(out.size() / 3);
  for (size_t j = 0; j < was.size(); ++j)
    if ((was[j] = t.Find(&out[j * 3], untouched)) >= 0) untouched[static_cast<size_t>(was[j])] = 1;
  TReduced r;
  const size_t faces = t.FirstIndex.size() - 1;
  r.Kept.assign(faces, 1);
  for (size_t i = 0; i < t.Triangles(); ++i)
    if (!untouched[i]) r.Kept[t.FaceOf[i]] = 0;
  r.Faces = static_cast<int>(std::count(r.Kept.begin(), r.Kept.end(), 1));
  for (size_t j = 0; j < was.size(); ++j) {
    if (was[j] >= 0 && r.Kept[t.FaceOf[static_cast<size_t>(was[j])]]) continue;
    r.Triangles.insert(r.Triangles.end(), {out[j * 3], out[j * 3 + 1], out[j * 3 + 2]});
    ++r.Faces;
  }
  return r;
}

// The faces the simplifier did not keep give way to its triangles; vertices no face holds go.
void Rebuild(TMesh& mesh, const TTriangulated& t, const TReduced& r) {
  const std::vector<TVertex*> vertices = mesh.Vertices.Pointers();
  std::vector<TFace*> gone;
  for (size_t f = 0; f < r.Kept.size(); ++f)
    if (!r.Kept[f]) gone.push_back(mesh.Surfaces[static_cast<int>(f)]);
  mesh.DeleteFaces(gone);
  for (size_t i = 0; i < r.Triangles.size(); i += 3) {
    const TFaceKind& kind = t.Kinds[static_cast<size_t>(t.Wedges[r.Triangles[i]].Kind)];
    TFace* face = mesh.AddFace(kind.Material);
    face->Data() = {kind.Look, kind.Material};
    for (size_t k = 0; k < 3; ++k) {
      const TWedge& w = t.Wedges[r.Triangles[i + k]];
      face->TXVertices[face->AddVertex(vertices[static_cast<size_t>(w.Vertex)])] = w.Tex;
    }
  }
  std::vector<char> used(vertices.size(), 0);
  for (const TFace* f : mesh.Surfaces)
    for (const TVertex* v : f->Vertices) used[static_cast<size_t>(mesh.IndexOfVertex(v))] = 1;
  std::vector<TVertex*> unused;
  for (size_t v = 0; v < vertices.size(); ++v)
    if (!used[v]) unused.push_back(vertices[v]);
  mesh.DeleteVertices(unused);
}

}  // namespace

int ReduceMesh(TMesh& mesh, int faces) {
  const int had = mesh.Surfaces.Count();
  if (faces >= had) return had;
  const TTriangulated t = Triangulate(mesh);
  if (t.Indices.empty()) return had;  // points and lines alone: no edge to collapse
  const size_t wanted = static_cast<size_t>(faces);
  TReduced best = Simplify(t, wanted);
  // Triangles the polygons were cut into count against nothing: a mesh the simplifier could
  // not take below its own face count keeps its faces.
  if (best.Faces >= had) return had;
  // As many triangles as faces wanted is the most the count asks for, yet the faces left whole
  // count one each however many triangles they hold: more triangles may meet it with less of
  // the shape gone. The count is not strictly rising in the triangles asked for, so the search
  // keeps the mildest run it saw that met it.
  if (static_cast<size_t>(best.Faces) <= wanted) {
    size_t met = wanted, missed = t.Triangles();
    const int runs = static_cast<int>(std::min<size_t>(kSearchRuns, kSearchTriangles / missed));
    for (int run = 0; run < runs && met + 1 < missed; ++run) {
      const size_t middle = met + (missed - met) / 2;
      TReduced r = Simplify(t, middle);
      if (static_cast<size_t>(r.Faces) <= wanted) {
        met = middle;
        best = std::move(r);
      } else {
        missed = middle;
      }
    }
  }
  Rebuild(mesh, t, best);
  return best.Faces;
}

std::string MissedReductionLine(const std::string& place, int had, int left, int wanted) {
  const std::string reason = " without moving its borders or the seams between materials, texture coordinates or face flags";
  if (left == had)
    return place + ": its " + std::to_string(had) + " faces could not be lowered toward " + std::to_string(wanted) +
           reason + ", so it was left as it was";
  return place + ": " + std::to_string(had) + " faces could be lowered only to " + std::to_string(left) + ", not to " +
         std::to_string(wanted) + "," + reason;
}

const TQueryForm kReduceQuery = {"Reduce", kReduceFields};

namespace {

// Each selected node's mesh in node mode, every mesh of the shown level of detail otherwise.
std::vector<TNode*> ReducedNodes(const TCore& core) {
  std::vector<TNode*> nodes;
  if (core.EditMode == emNode && core.Nodes.Count() > 0) {
    for (TNode* n : core.Nodes.Items())
      if (n->Mesh) nodes.push_back(n);
  } else {
    for (TNode* n : core.Model->Nodes)
      if (n->Mesh) nodes.push_back(n);
  }
  return nodes;
}

int HalfOfLargest(const std::vector<TNode*>& nodes) {
  int largest = 0;
  for (const TNode* n : nodes) largest = std::max(largest, n->Mesh->Surfaces.Count());
  return largest / 2;
}

TCommandResult PrepareReduce(TCore& core, TQuery& query) {
  query.Set("Faces", std::to_string(HalfOfLargest(ReducedNodes(core))));
  return {};
}

}  // namespace

std::optional<TTyped<int>> ParseReduce(const TQuery& query) {
  if (!query.Has("Faces")) return std::nullopt;
  return query.TypedInt("Faces");
}

TCommandResult MeshReduce(TCore& core, const std::optional<TTyped<int>>& answer) {
  const std::vector<TNode*> nodes = ReducedNodes(core);
  const int half = HalfOfLargest(nodes);
  const TTyped<int> typed = answer.value_or(TTyped<int>{half, std::to_string(half)});
  const int faces = typed.Value;
  if (faces < 1) return Refuse(core.Services, "Faces=" + typed.Text + " must be 1 or more");
  core.Surfaces.Clear();
  core.Vertices.Clear();
  for (TNode* n : nodes) {
    TMesh& mesh = *n->Mesh;
    const int had = mesh.Surfaces.Count();
    const int left = ReduceMesh(mesh, faces);
    if (left > faces)
      core.Services.AddOutput(MissedReductionLine(
          "Mesh '" + mesh.Name + "' (node " + std::to_string(core.Model->Nodes.IndexOf(n)) + ")", had, left, faces));
  }
  return {};
}

TCommandResult actMeshReduce(TCore& core) { return AskAndRun(core, kReduceQuery, ParseReduce, MeshReduce, PrepareReduce); }
