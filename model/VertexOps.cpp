#include "model/VertexOps.h"

namespace {
// The same passes over the reference lists of the editor and the owning lists of meshes.
template <class List>
TVector CentreOf(const List& list) {
  TVector sum;
  if (list.begin() == list.end()) return sum;
  double n = 0;
  for (const TVertex* v : list) {
    AddVector(sum, v->Position);
    ++n;
  }
  return {sum.X / n, sum.Y / n, sum.Z / n};
}

template <class List>
void MoveTo(const List& list, const TVector& target) {
  const TVector c = CentreOf(list);
  const TVector shift{c.X - target.X, c.Y - target.Y, c.Z - target.Z};
  for (TVertex* v : list) v->Position = {v->Position.X - shift.X, v->Position.Y - shift.Y, v->Position.Z - shift.Z};
}

template <class List>
float RadiusOf(const List& list, bool useWorld) {
  float radius = 0;
  if (useWorld) {
    for (const TVertex* v : list) {
      const float length = static_cast<float>(VectorLength(v->World));
      if (length > radius) radius = length;
    }
    return radius;
  }
  const TVector c = CentreOf(list);
  for (const TVertex* v : list) {
    const float length = static_cast<float>(VectorLength(SubVector(c, v->Position)));
    if (length > radius) radius = length;
  }
  return radius;
}
}  // namespace

TVector VerticesCentre(const std::vector<TVertex*>& list) { return CentreOf(list); }

void TranslateVertices(const std::vector<TVertex*>& list, const TVector& d) {
  for (TVertex* v : list) AddVector(v->Position, d);
}

void MoveVerticesTo(const std::vector<TVertex*>& list, const TVector& target) { MoveTo(list, target); }

void MoveVerticesTo(const TOwnedVertices& list, const TVector& target) { MoveTo(list, target); }

namespace {
void TransformAround(const std::vector<TVertex*>& list, const TMatrix& m, const TVector& centre) {
  for (TVertex* v : list) {
    TVector p{v->Position.X - centre.X, v->Position.Y - centre.Y, v->Position.Z - centre.Z};
    p = TransformVector(m, p);
    v->Position = {p.X + centre.X, p.Y + centre.Y, p.Z + centre.Z};
  }
}
}  // namespace

void RotateVertices(const std::vector<TVertex*>& list, const TVector& angles, const TVector& centre) {
  TransformAround(list, RotationXYZ(angles.X, angles.Y, angles.Z), centre);
}

void ScaleVertices(const std::vector<TVertex*>& list, const TVector& factors, const TVector& centre) {
  TransformAround(list, ScaleMatrix(factors.X, factors.Y, factors.Z), centre);
}

float CalcRadius(const std::vector<TVertex*>& list, bool useWorld) { return RadiusOf(list, useWorld); }

float CalcRadius(const TOwnedVertices& list, bool useWorld) { return RadiusOf(list, useWorld); }
