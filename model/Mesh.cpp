#include "model/Mesh.h"

#include <unordered_set>

#include "model/Materials.h"
#include "model/Radius.h"

namespace {
uint64_t LastRevision = 0;
}  // namespace

TMesh::TMesh(TModel* model, TMaterials* materials)
    : Model(model), Materials(materials), Revision(++LastRevision), FaceRevision(Revision) {}

// A face changes through its mesh, whose revision moves on with it.

int TFace::AddVertex(TVertex* vertex) {
  if (Mesh) Mesh->Touch();
  Vertices.Add(vertex);
  TXVertices.Add({});
  return Vertices.Count() - 1;
}

TVertex* TFace::InsertVertex(int index, TVertex* vertex) {
  if (Mesh) Mesh->Touch();
  Vertices.Insert(index, vertex);
  TXVertices.Insert(index, {});
  return vertex;
}

void TFace::DeleteVertex(int index) {
  if (Mesh) Mesh->Touch();
  Vertices.Delete(index);
  TXVertices.Delete(index);
}

void TMesh::Touch() { Revision = FaceRevision = ++LastRevision; }

void TMesh::TouchVertices() { Revision = ++LastRevision; }

TVertex* TMesh::AddVertex() {
  Touch();
  TVertex* vertex = Vertices.Add(std::make_unique<TVertex>(this));
  vertex->Index = Vertices.Count() - 1;
  RadiusDirty = true;
  return vertex;
}

void TMesh::DeleteVertex(int index) {
  Touch();
  const std::unique_ptr<TVertex> vertex = Vertices.Extract(index);
  // Every corner that holds the vertex goes: a face left pointing at a freed vertex would
  // corrupt the next draw or save.
  for (TFace* face : Surfaces)
    for (int corner = face->Vertices.Count() - 1; corner >= 0; --corner)
      if (face->Vertices[corner] == vertex.get()) face->DeleteVertex(corner);
  RadiusDirty = true;
}

void TMesh::DeleteVertices(const std::vector<TVertex*>& list) {
  Touch();
  if (list.empty()) return;
  IndexVertices();
  std::vector<char> doomed(static_cast<size_t>(Vertices.Count()), 0);
  bool any = false;
  for (const TVertex* v : list) {
    const int i = IndexOfVertex(v);
    if (i >= 0) doomed[static_cast<size_t>(i)] = any = true;
  }
  if (!any) return;
  const auto isDoomed = [&](const TVertex* v) {
    const int i = IndexOfVertex(v);
    return i >= 0 && doomed[static_cast<size_t>(i)];
  };
  for (TFace* face : Surfaces) {
    bool touched = false;
    for (const TVertex* v : face->Vertices) touched = touched || isDoomed(v);
    if (!touched) continue;
    TCorners corners;
    TTXVertices texture;
    for (int k = 0; k < face->Vertices.Count(); ++k) {
      if (isDoomed(face->Vertices[k])) continue;
      corners.Add(face->Vertices[k]);
      texture.Add(face->TXVertices[k]);
    }
    face->Vertices = std::move(corners);
    face->TXVertices = std::move(texture);
  }
  Vertices.RemoveIf([&](const TVertex* v) { return doomed[static_cast<size_t>(v->Index)] != 0; });
  IndexVertices();
  RadiusDirty = true;
}

TFace* TMesh::AddFace() { return AddFace(Materials ? Materials->DefaultMaterial() : nullptr); }

TFace* TMesh::AddFace(TMaterial* material) {
  Touch();
  TFace* face = Surfaces.Add(std::make_unique<TFace>(this, material));
  RadiusDirty = true;
  return face;
}

void TMesh::DeleteFace(int index) {
  Touch();
  Surfaces.Delete(index);
  RadiusDirty = true;
}

void TMesh::DeleteFaces(const std::vector<TFace*>& list) {
  Touch();
  if (list.empty()) return;
  const std::unordered_set<const TFace*> doomed(list.begin(), list.end());
  Surfaces.RemoveIf([&](const TFace* face) { return doomed.count(face) != 0; });
  RadiusDirty = true;
}

float TMesh::GetRadius() {
  if (RadiusDirty) {
    Radius = CalcRadius(Vertices, false);
    RadiusDirty = false;
  }
  return Radius;
}

void TMesh::InvalidateNormals() {
  Touch();  // the normals a file gets are worked out anew
  CalcVertexNormals();
}

void TMesh::IndexVertices() {
  int i = 0;
  for (TVertex* v : Vertices) v->Index = i++;
}

void TMesh::IndexFaces() {
  int i = 0;
  for (TFace* f : Surfaces) f->Index = i++;
}

void TMesh::CalcVertexNormals() {
  TouchVertices();
  // One pass over the face corners. Each vertex receives its faces' normals in face order,
  // as a per-vertex scan would add them; a face holding a vertex twice counts once.
  struct Sum {
    TVector S;
    int N;
    int LastFace;
  };
  thread_local std::vector<Sum> sums;
  IndexVertices();
  sums.assign(static_cast<size_t>(Vertices.Count()), Sum{{}, 0, -1});
  int faceNo = 0;
  for (TFace* face : Surfaces) {
    // A face of fewer than three corners has no normal of its own to give.
    if (face->Vertices.Count() < 3) {
      ++faceNo;
      continue;
    }
    bool normalTaken = false;
    TVector normal;
    for (const TVertex* v : face->Vertices) {
      const int i = IndexOfVertex(v);
      if (i < 0 || sums[static_cast<size_t>(i)].LastFace == faceNo) continue;
      if (!normalTaken) {
        normal = face->GetNormal();
        normalTaken = true;
      }
      Sum& s = sums[static_cast<size_t>(i)];
      s.LastFace = faceNo;
      s.N++;
      AddVector(s.S, normal);
    }
    ++faceNo;
  }
  for (TVertex* v : Vertices) {
    const Sum& s = sums[static_cast<size_t>(v->Index)];
    if (s.N > 0) v->Normal = {s.S.X / s.N, s.S.Y / s.N, s.S.Z / s.N};
  }
}

void TMesh::AppendCopy(TMesh& source, const std::function<void(TMesh&)>& placeSource) {
  source.Touch();
  for (TVertex* v : source.Vertices)
    v->Position = {v->Position.X - WorldOffset.X, v->Position.Y - WorldOffset.Y, v->Position.Z - WorldOffset.Z};
  const int base = Vertices.Count();
  // Only the source's world positions are read, so only the source is placed: merging many
  // nodes must not make a world pass over the whole model per node.
  placeSource(source);
  for (TVertex* v : source.Vertices) {
    TVertex* n = AddVertex();
    n->Position = v->World;
    n->Intensity = v->Intensity;
  }
  source.IndexVertices();
  for (TFace* f : source.Surfaces) {
    TFace* copy = AddFace(f->Material);
    copy->Data() = f->Data();
    for (int k = 0; k < f->Vertices.Count(); ++k) {
      const int index = source.IndexOfVertex(f->Vertices[k]);
      if (index < 0) continue;
      const int corner = copy->AddVertex(Vertices.Get(base + index));
      copy->TXVertices[corner] = f->TXVertices[k];
    }
  }
}

std::unique_ptr<TMesh> TMesh::Clone() {
  IndexVertices();
  auto copy = std::make_unique<TMesh>(Model, Materials);
  copy->Data() = Data();
  copy->Vertices.Reserve(static_cast<size_t>(Vertices.Count()));
  for (const TVertex* v : Vertices) {
    TVertex* n = copy->AddVertex();
    n->Position = v->Position;
    n->Normal = v->Normal;
    n->Intensity = v->Intensity;
  }
  for (const TFace* f : Surfaces) {
    TFace* n = copy->AddFace(f->Material);
    n->Data() = f->Data();
    for (int k = 0; k < f->Vertices.Count(); ++k) {
      const int index = IndexOfVertex(f->Vertices[k]);
      if (index < 0) continue;
      const int corner = n->AddVertex(copy->Vertices[index]);
      n->TXVertices[corner] = f->TXVertices[k];
    }
  }
  // Worked out again from the corners where faces give them: the source's may predate its
  // last edit.
  copy->CalcVertexNormals();
  return copy;
}
