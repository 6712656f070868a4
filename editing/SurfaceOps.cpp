#include "editing/SurfaceOps.h"

#include <algorithm>

#include "editing/TextureSpace.h"
#include "model/Model.h"

namespace {

// Adds corner k of the surface to the part, with the texture coordinate it has there.
void AddCornerOf(TFace& part, const TFace& surface, int k) {
  part.TXVertices[part.AddVertex(surface.Vertices[k])] = surface.TXVertices[k];
}

}  // namespace

TFace* ExtrudeSurfaceKeep(TFace& surface) {
  TMesh& mesh = *surface.Mesh;
  const int n = surface.Vertices.Count();
  TFace* cap = mesh.AddFace();
  cap->Data() = surface.Data();
  for (int i = 0; i < n; ++i) {
    TVertex* w = mesh.AddVertex();
    w->Position = surface.Vertices[i]->Position;
    w->Intensity = surface.Vertices[i]->Intensity;
    cap->TXVertices[cap->AddVertex(w)] = surface.TXVertices[i];
  }
  // A side has no height until the cap moves: its corners take the coordinates of the edge
  // they stand on, which keeps the edge's texture running on when the side is stretched.
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    TFace* side = mesh.AddFace();
    side->Data() = surface.Data();
    AddCornerOf(*side, surface, i);
    AddCornerOf(*side, surface, j);
    side->TXVertices[side->AddVertex(cap->Vertices[j])] = surface.TXVertices[j];
    side->TXVertices[side->AddVertex(cap->Vertices[i])] = surface.TXVertices[i];
  }
  return cap;
}

TFace* ExtrudeSurface(TFace& surface) {
  TFace* cap = ExtrudeSurfaceKeep(surface);
  surface.Mesh->DeleteFaces({&surface});
  return cap;
}

bool SplitSurface(TFace& surface, TVertex& a, TVertex& b) {
  const int ia = surface.Vertices.IndexOf(&a);
  const int ib = surface.Vertices.IndexOf(&b);
  if (ia < 0 || ib < 0 || ia == ib) return false;
  const int lo = std::min(ia, ib);
  const int hi = std::max(ia, ib);
  const int n = surface.Vertices.Count();
  // Both parts need three corners; otherwise A and B are neighbours and there is nothing to cut.
  if (lo + 1 + (n - hi) < 3 || hi - lo + 1 < 3) return false;
  TMesh& mesh = *a.Mesh;
  TFace* first = mesh.AddFace();
  TFace* second = mesh.AddFace();
  first->Data() = surface.Data();
  second->Data() = surface.Data();
  for (int k = 0; k <= lo; ++k) AddCornerOf(*first, surface, k);
  for (int k = hi; k < n; ++k) AddCornerOf(*first, surface, k);
  for (int k = lo; k <= hi; ++k) AddCornerOf(*second, surface, k);
  surface.Mesh->DeleteFaces({&surface});
  return true;
}

TVertex* InsertEdgeVertex(TMesh& mesh, TVertex& a, TVertex& b) {
  TVertex* v = mesh.AddVertex();
  v->Position = {(a.Position.X + b.Position.X) / 2, (a.Position.Y + b.Position.Y) / 2,
                 (a.Position.Z + b.Position.Z) / 2};
  v->Intensity = (a.Intensity + b.Intensity) / 2;
  for (TFace* face : mesh.Surfaces) {
    const int n = face->Vertices.Count();
    for (int k = 0; k < n; ++k) {
      if (face->Vertices[k] != &a) continue;
      const int next = k + 1 < n ? k + 1 : 0;
      const int prev = k > 0 ? k - 1 : n - 1;
      const int other = face->Vertices[next] == &b ? next : face->Vertices[prev] == &b ? prev : -1;
      if (other < 0) continue;
      // The new corner lies halfway along the edge, and so does its place on the picture.
      const TTXVertex ta = face->TXVertices[k], tb = face->TXVertices[other];
      const int at = other == next ? next : k;
      face->InsertVertex(at, v);
      face->TXVertices[at] = {(ta.U + tb.U) / 2, (ta.V + tb.V) / 2};
      break;
    }
  }
  return v;
}

void FlipSurface(TFace& surface) {
  auto& corners = surface.Vertices.Raw();
  std::reverse(corners.begin(), corners.end());
  surface.Mesh->Touch();
  // Each corner keeps its own place on the picture, so the coordinates turn round with them.
  TTXVertices reversed;
  reversed.Reserve(corners.size());
  for (int k = surface.TXVertices.Count(); k-- > 0;) reversed.Add(surface.TXVertices[k]);
  surface.TXVertices = std::move(reversed);
}

TFace* MakeSurface(TModel& model, const std::vector<TVertex*>& list) {
  TNode* node = model.AddNode();
  node->Name = "Surface";
  TMesh* mesh = node->SetMesh(model.NewMesh());
  mesh->Name = "Surface";
  TFace* surface = mesh->AddFace();
  for (const TVertex* p : list) {
    TVertex* v = mesh->AddVertex();
    surface->AddVertex(v);
    v->Position = p->World;
    v->Intensity = p->Intensity;
  }
  // Laid flat from the side it faces, fitted to its material, as Map Box would.
  TTexelSizes sizes;
  MapBox({surface}, FittingDensity({surface}, sizes, &TVertex::Position), &TVertex::Position);
  return surface;
}
