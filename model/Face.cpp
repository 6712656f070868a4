#include "model/Face.h"

#include "model/Mesh.h"
#include "model/Model.h"

TFace::TFace(TMesh* mesh) : Mesh(mesh) {
  if (mesh && mesh->Model) Material = mesh->Model->Materials.FindOrAdd("dflt.mat");
}

int TFace::AddVertex(TVertex* vertex) {
  Vertices.Add(vertex);
  TXVertices.Add({});
  NormalDirty = true;
  return Vertices.Count() - 1;
}

TVertex* TFace::InsertVertex(int index, TVertex* vertex) {
  Vertices.Insert(index, vertex);
  TXVertices.Insert(index, {});
  NormalDirty = true;
  return vertex;
}

void TFace::DeleteVertex(int index) {
  Vertices.Delete(index);
  TXVertices.Delete(index);
  NormalDirty = true;
}

TVertex* TFace::NextVertex(int index) const {
  return Vertices.Get(index + 1 >= Vertices.Count() ? 0 : index + 1);
}

TVertex* TFace::PrevVertex(int index) const {
  return Vertices.Get(index <= 0 ? Vertices.Count() - 1 : index - 1);
}

TVector TFace::GetNormal() {
  if (NormalDirty && Vertices.Count() >= 3) {
    const TVector& p0 = Vertices[0]->Position;
    const TVector& p1 = Vertices[1]->Position;
    const TVector& p2 = Vertices[2]->Position;
    const TVector a{p0.X - p1.X, p0.Y - p1.Y, p0.Z - p1.Z};
    const TVector b{p1.X - p2.X, p1.Y - p2.Y, p1.Z - p2.Z};
    Normal = Normalize(CrossProduct(a, b));
    NormalDirty = false;
  }
  return Normal;
}
