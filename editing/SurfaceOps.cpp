#include "editing/SurfaceOps.h"

#include <algorithm>

#include "model/Model.h"

TFace* ExtrudeSurfaceKeep(TFace& surface) {
  TMesh& mesh = *surface.Mesh;
  const int n = surface.Vertices.Count();
  TFace* cap = mesh.AddFace();
  for (int i = 0; i < n; ++i) {
    TVertex* w = mesh.AddVertex();
    w->Position = surface.Vertices[i]->Position;
    cap->AddVertex(w);
  }
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    TFace* side = mesh.AddFace();
    side->AddVertex(surface.Vertices[i]);
    side->AddVertex(surface.Vertices[j]);
    side->AddVertex(cap->Vertices[j]);
    side->AddVertex(cap->Vertices[i]);
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
  for (int k = 0; k <= lo; ++k) first->AddVertex(surface.Vertices[k]);
  for (int k = hi; k < n; ++k) first->AddVertex(surface.Vertices[k]);
  for (int k = lo; k <= hi; ++k) second->AddVertex(surface.Vertices[k]);
  surface.Mesh->DeleteFaces({&surface});
  return true;
}

TVertex* InsertEdgeVertex(TMesh& mesh, TVertex& a, TVertex& b) {
  TVertex* v = mesh.AddVertex();
  v->Position = {(a.Position.X + b.Position.X) / 2, (a.Position.Y + b.Position.Y) / 2,
                 (a.Position.Z + b.Position.Z) / 2};
  for (TFace* face : mesh.Surfaces) {
    const int n = face->Vertices.Count();
    for (int k = 0; k < n; ++k) {
      if (face->Vertices[k] != &a) continue;
      const int next = k + 1 < n ? k + 1 : 0;
      if (face->Vertices[next] == &b) {
        face->InsertVertex(next, v);
        break;
      }
      if (face->PrevVertex(k) == &b) {
        face->InsertVertex(k, v);
        break;
      }
    }
  }
  return v;
}

void FlipSurface(TFace& surface) {
  std::vector<TVertex*>& corners = surface.Vertices.Raw();
  std::reverse(corners.begin(), corners.end());
  surface.Mesh->Touch();
  TTXVertices fresh;
  fresh.Reserve(corners.size());
  for (size_t k = 0; k < corners.size(); ++k) fresh.Add({});
  surface.TXVertices = std::move(fresh);
  surface.NormalDirty = true;
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
  }
  return surface;
}
