#include "editing/ReduceMesh.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

#include "editing/Query.h"
#include "document/Core.h"
#include "model/Errors.h"
#include "model/FaceLook.h"

namespace {

constexpr TQueryField kReduceFields[] = {{"Faces", nullptr, "half the faces of the largest mesh reduced"}};

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

}  // namespace

int ReduceMesh(TMesh& mesh, int faces) {
  mesh.IndexVertices();
  std::map<TFaceKind, int> kindIndex;
  std::vector<TFaceKind> kinds;
  std::vector<TWedge> wedges;
  std::unordered_map<uint64_t, std::vector<unsigned>> wedgesOf;  // by vertex
  std::vector<unsigned> indices;
  for (const TFace* f : mesh.Surfaces) {
    const TFaceKind kind{f->Material, LookOf(*f)};
    const auto placed = kindIndex.emplace(kind, static_cast<int>(kinds.size()));
    if (placed.second) kinds.push_back(kind);
    const int kindId = placed.first->second;
    const auto wedge = [&](int k) {
      const int v = mesh.IndexOfVertex(f->Vertices[k]);
      const TTXVertex t = k < f->TXVertices.Count() ? f->TXVertices[k] : TTXVertex{};
      std::vector<unsigned>& known = wedgesOf[static_cast<uint64_t>(v)];
      for (unsigned w : known)
        if (wedges[w].Tex.U == t.U && wedges[w].Tex.V == t.V && wedges[w].Kind == kindId) return w;
      wedges.push_back({v, t, kindId});
      known.push_back(static_cast<unsigned>(wedges.size() - 1));
      return static_cast<unsigned>(wedges.size() - 1);
    };
    // A polygon goes in as a fan of triangles.
    for (int k = 1; k + 1 < f->Vertices.Count(); ++k) {
      indices.push_back(wedge(0));
      indices.push_back(wedge(k));
      indices.push_back(wedge(k + 1));
    }
  }
  const size_t target = static_cast<size_t>(std::max(faces, 1)) * 3;
  if (indices.empty() || target >= indices.size()) return mesh.Surfaces.Count();
  std::vector<float> positions(wedges.size() * 3);
  for (size_t i = 0; i < wedges.size(); ++i) {
    const TVector& p = mesh.Vertices[wedges[i].Vertex]->Position;
    positions[i * 3] = static_cast<float>(p.X);
    positions[i * 3 + 1] = static_cast<float>(p.Y);
    positions[i * 3 + 2] = static_cast<float>(p.Z);
  }
  std::vector<unsigned> kept(indices.size());
  kept.resize(meshopt_simplify(kept.data(), indices.data(), indices.size(), positions.data(), wedges.size(),
                               3 * sizeof(float), target, 1.0f, meshopt_SimplifyLockBorder, nullptr));

  // The mesh is rebuilt: the vertices some triangle keeps, in their old order, then the triangles.
  const int vertexCount = mesh.Vertices.Count();
  std::vector<char> used(static_cast<size_t>(vertexCount), 0);
  for (unsigned w : kept) used[static_cast<size_t>(wedges[w].Vertex)] = 1;
  std::vector<TVertex*> gone;
  for (int v = 0; v < vertexCount; ++v)
    if (!used[static_cast<size_t>(v)]) gone.push_back(mesh.Vertices[v]);
  std::vector<TVertex*> vertices = mesh.Vertices.Pointers();
  std::vector<TFace*> old = mesh.Surfaces.Pointers();
  mesh.DeleteFaces(old);
  for (size_t i = 0; i + 2 < kept.size(); i += 3) {
    const TFaceKind& kind = kinds[static_cast<size_t>(wedges[kept[i]].Kind)];
    TFace* face = mesh.AddFace(kind.Material);
    SetLook(*face, kind.Look);
    for (size_t k = 0; k < 3; ++k) {
      const TWedge& w = wedges[kept[i + k]];
      face->TXVertices[face->AddVertex(vertices[static_cast<size_t>(w.Vertex)])] = w.Tex;
    }
  }
  mesh.DeleteVertices(gone);
  return mesh.Surfaces.Count();
}

const TQueryForm kReduceQuery = {"Reduce", kReduceFields};

void actMeshReduce(TCore& core) {
  std::vector<TMesh*> meshes;
  if (core.EditMode == emNode && core.Nodes.Count() > 0) {
    for (TNode* n : core.Nodes.Items())
      if (n->Mesh) meshes.push_back(n->Mesh.get());
  } else {
    for (TNode* n : core.Model->Nodes)
      if (n->Mesh) meshes.push_back(n->Mesh.get());
  }
  int largest = 0;
  for (const TMesh* m : meshes) largest = std::max(largest, m->Surfaces.Count());
  TQuery query(kReduceQuery);
  query.Set("Faces", std::to_string(largest / 2));
  if (!query.Ask(core)) return;
  const int faces = query.Int("Faces");
  if (faces < 1) {
    core.Refuse("Faces=" + query.Value("Faces") + " must be 1 or more");
    return;
  }
  core.Surfaces.Clear();
  core.Vertices.Clear();
  core.Model->AllVertices.Clear();
  core.Model->AllSurfaces.Clear();
  core.Model->SelectedSurfaces.Clear();
  for (TMesh* m : meshes) ReduceMesh(*m, faces);
  core.Changed(chProperties);
  core.Changed(chGeometry);
}
