#include "editing/FitGameLimits.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "document/Core.h"

namespace {

// One face as it will be written: corners as indexes into the source mesh.
struct TPiece {
  const TFace* Face;
  int First;  // the first of the face's corners this piece holds, after corner 0
  int Count;  // corners in all, corner 0 included
  uint64_t Order = 0;
};

bool Fits(const TMesh& mesh) {
  if (mesh.Vertices.Count() > kGameMeshVertices || mesh.Surfaces.Count() > kGameMeshFaces) return false;
  long long corners = 0;
  for (const TFace* f : mesh.Surfaces) {
    const int n = f->Vertices.Count();
    if (n < 1 || n > kGameFaceCorners) return false;
    corners += n;
  }
  return corners <= kGameMeshTextureVertices;
}

// The face's corners cut into fans of at most 24 sharing corner 0: 0..23, then 0 with 23..45,
// and so on, each piece sharing an edge with the one before.
void AddPieces(const TFace* face, std::vector<TPiece>& pieces) {
  const int n = face->Vertices.Count();
  if (n == 0) return;
  if (n <= kGameFaceCorners) {
    pieces.push_back({face, 1, n});
    return;
  }
  for (int first = 1; first < n - 1; first += kGameFaceCorners - 2)
    pieces.push_back({face, first, 1 + std::min(kGameFaceCorners - 1, n - first)});
}

int CornerIndex(const TPiece& p, int k) { return k == 0 ? 0 : p.First + k - 1; }

// Spreads the bits of a 21-bit number three apart, for a Z-order key.
uint64_t Spread(uint64_t v) {
  v &= 0x1FFFFF;
  v = (v | v << 32) & 0x1F00000000FFFFull;
  v = (v | v << 16) & 0x1F0000FF0000FFull;
  v = (v | v << 8) & 0x100F00F00F00F00Full;
  v = (v | v << 4) & 0x10C30C30C30C30C3ull;
  v = (v | v << 2) & 0x1249249249249249ull;
  return v;
}

// Faces near each other in space get near keys, so that a cut keeps pieces compact and few
// vertices are held by two of them.
void SortBySpace(std::vector<TPiece>& pieces) {
  TVector low{HUGE_VAL, HUGE_VAL, HUGE_VAL}, high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  std::vector<TVector> centres(pieces.size());
  for (size_t i = 0; i < pieces.size(); ++i) {
    const TPiece& p = pieces[i];
    TVector c;
    for (int k = 0; k < p.Count; ++k) AddVector(c, p.Face->Vertices[CornerIndex(p, k)]->Position);
    c = {c.X / p.Count, c.Y / p.Count, c.Z / p.Count};
    centres[i] = c;
    low = {std::min(low.X, c.X), std::min(low.Y, c.Y), std::min(low.Z, c.Z)};
    high = {std::max(high.X, c.X), std::max(high.Y, c.Y), std::max(high.Z, c.Z)};
  }
  // One scale for all three axes: a flat scan's thin axis must not spread neighbours apart.
  const double extent = std::max({high.X - low.X, high.Y - low.Y, high.Z - low.Z});
  const auto cell = [extent](double v, double lo) {
    return extent > 0 ? static_cast<uint64_t>((v - lo) / extent * 2097151.0) : 0;
  };
  for (size_t i = 0; i < pieces.size(); ++i)
    pieces[i].Order = Spread(cell(centres[i].X, low.X)) | Spread(cell(centres[i].Y, low.Y)) << 1 |
                      Spread(cell(centres[i].Z, low.Z)) << 2;
  std::stable_sort(pieces.begin(), pieces.end(), [](const TPiece& a, const TPiece& b) { return a.Order < b.Order; });
}

std::unique_ptr<TMesh> EmptyLike(const TMesh& source, TModel& model) {
  auto mesh = model.NewMesh();
  mesh->Name = source.Name;
  mesh->GeometryMode = source.GeometryMode;
  mesh->LightingMode = source.LightingMode;
  mesh->TextureMode = source.TextureMode;
  return mesh;
}

// The mesh's faces dealt out to meshes that fit, in the order of `pieces`.
std::vector<std::unique_ptr<TMesh>> Cut(TMesh& source, TModel& model, std::vector<TPiece>& pieces) {
  source.IndexVertices();
  const size_t vertices = static_cast<size_t>(source.Vertices.Count());
  std::vector<int> placedIn(vertices, -1), newIndex(vertices, -1);  // by source vertex
  std::vector<std::unique_ptr<TMesh>> meshes;
  int corners = 0;
  const auto start = [&] {
    meshes.push_back(EmptyLike(source, model));
    corners = 0;
  };
  const auto take = [&](int v) {
    TMesh& mesh = *meshes.back();
    const int chunk = static_cast<int>(meshes.size()) - 1;
    if (placedIn[static_cast<size_t>(v)] != chunk) {
      placedIn[static_cast<size_t>(v)] = chunk;
      newIndex[static_cast<size_t>(v)] = mesh.Vertices.Count();
      TVertex* copy = mesh.AddVertex();
      copy->Position = source.Vertices[v]->Position;
      copy->Intensity = source.Vertices[v]->Intensity;
    }
    return mesh.Vertices[newIndex[static_cast<size_t>(v)]];
  };
  start();
  for (const TPiece& p : pieces) {
    const int chunk = static_cast<int>(meshes.size()) - 1;
    int fresh = 0;
    for (int k = 0; k < p.Count; ++k)
      if (placedIn[static_cast<size_t>(source.IndexOfVertex(p.Face->Vertices[CornerIndex(p, k)]))] != chunk) ++fresh;
    const TMesh& mesh = *meshes.back();
    if (mesh.Vertices.Count() + fresh > kGameMeshVertices || mesh.Surfaces.Count() + 1 > kGameMeshFaces ||
        corners + p.Count > kGameMeshTextureVertices)
      start();
    TFace* face = meshes.back()->AddFace(p.Face->Material);
    face->Data() = p.Face->Data();
    face->Vertices.Reserve(p.Count);
    face->TXVertices.Reserve(p.Count);
    for (int k = 0; k < p.Count; ++k) {
      const int c = CornerIndex(p, k);
      face->TXVertices[face->AddVertex(take(source.IndexOfVertex(p.Face->Vertices[c])))] = p.Face->TXVertices[c];
    }
    corners += p.Count;
  }
  for (size_t v = 0; v < vertices; ++v) {
    if (placedIn[v] >= 0) continue;
    if (meshes.back()->Vertices.Count() >= kGameMeshVertices) start();
    take(static_cast<int>(v));
  }
  return meshes;
}

// The pieces the mesh must become, or none when it fits as it is.
std::vector<std::unique_ptr<TMesh>> FittedMeshes(TMesh& mesh, TModel& model) {
  if (Fits(mesh)) return {};
  std::vector<TPiece> pieces;
  pieces.reserve(static_cast<size_t>(mesh.Surfaces.Count()));
  long long corners = 0;
  for (const TFace* f : mesh.Surfaces) AddPieces(f, pieces);
  for (const TPiece& p : pieces) corners += p.Count;
  const bool oneMesh = mesh.Vertices.Count() <= kGameMeshVertices && pieces.size() <= kGameMeshFaces &&
                       corners <= kGameMeshTextureVertices;
  if (!oneMesh) SortBySpace(pieces);  // a mesh that is only refanned keeps its face order
  return Cut(mesh, model, pieces);
}

std::string Numbered(const std::string& name, size_t number) {
  constexpr size_t kMaxName = 31;
  const std::string suffix = "_" + std::to_string(number);
  return name.substr(0, kMaxName > suffix.size() ? std::min(name.size(), kMaxName - suffix.size()) : 0) + suffix;
}

}  // namespace

int FitGameLimits(TModel& model) {
  int changed = 0;
  const std::vector<TNode*> nodes = model.Nodes.Pointers();
  for (TNode* node : nodes) {
    std::vector<std::vector<std::unique_ptr<TMesh>>> sets(static_cast<size_t>(model.GeosetCount()));
    size_t most = 0;
    for (int set = 0; set < model.GeosetCount(); ++set)
      if (TMesh* mesh = model.GeosetMesh(*node, set)) {
        sets[static_cast<size_t>(set)] = FittedMeshes(*mesh, model);
        most = std::max(most, sets[static_cast<size_t>(set)].size());
      }
    if (most == 0) continue;
    std::vector<TNode*> siblings{node};
    for (size_t i = 1; i < most; ++i) {
      TNode* sibling = model.AddNode();
      sibling->Name = Numbered(node->Name, i + 1);
      sibling->Flags = node->Flags;
      sibling->NodeType = node->NodeType;
      sibling->Parent = node->Parent;
      sibling->Position = node->Position;
      sibling->Rotation = node->Rotation;
      sibling->Pivot = node->Pivot;
      siblings.push_back(sibling);
    }
    for (int set = 0; set < model.GeosetCount(); ++set) {
      auto& meshes = sets[static_cast<size_t>(set)];
      const TMesh* old = model.GeosetMesh(*node, set);
      if (!old) continue;
      const bool kept = meshes.empty();  // this set's mesh fitted: the node keeps it
      if (!kept) ++changed;
      // The node's own mesh is replaced first: the siblings' names and modes come from this.
      const std::unique_ptr<TMesh> pattern = EmptyLike(*old, model);
      for (size_t i = kept ? 1 : 0; i < most; ++i) {
        std::unique_ptr<TMesh> mesh = i < meshes.size() ? std::move(meshes[i]) : EmptyLike(*pattern, model);
        if (i > 0) mesh->Name = Numbered(pattern->Name, i + 1);
        model.SetGeosetMesh(*siblings[i], set, std::move(mesh));
      }
    }
  }
  return changed;
}

TCommandResult actFitGameLimits(TCore& core) {
  core.Surfaces.Clear();
  core.Vertices.Clear();
  TModel& model = *core.Model;
  const int changed = FitGameLimits(model);
  core.Services.AddOutput(changed == 0 ? "Every mesh fits what the game loads"
                                       : std::to_string(changed) + " meshes cut or refanned to fit what the game loads");
  return {};
}
