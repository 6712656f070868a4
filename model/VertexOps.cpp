#include "model/VertexOps.h"

#include "model/Mesh.h"

#include <algorithm>
#include <cfloat>

TVector VerticesCentre(const std::vector<TVertex*>& list) {
  TVector sum;
  if (list.empty()) return sum;
  for (const TVertex* v : list) AddVector(sum, v->Position);
  const double n = static_cast<double>(list.size());
  return {sum.X / n, sum.Y / n, sum.Z / n};
}

TPositionMap TranslationMap(const TVector& d) {
  return [d](const TVector& p) { return TVector{p.X + d.X, p.Y + d.Y, p.Z + d.Z}; };
}

TPositionMap MoveToMap(const std::vector<TVertex*>& list, const TVector& target) {
  const TVector c = VerticesCentre(list);
  const TVector shift{c.X - target.X, c.Y - target.Y, c.Z - target.Z};
  return [shift](const TVector& p) { return TVector{p.X - shift.X, p.Y - shift.Y, p.Z - shift.Z}; };
}

namespace {
TPositionMap AroundMap(const TMatrix& m, const TVector& centre) {
  return [m, centre](const TVector& position) {
    const TVector p = TransformVector(m, {position.X - centre.X, position.Y - centre.Y, position.Z - centre.Z});
    return TVector{p.X + centre.X, p.Y + centre.Y, p.Z + centre.Z};
  };
}
}  // namespace

TPositionMap RotationMap(const TVector& angles, const TVector& centre) {
  return AroundMap(RotationXYZ(angles.X, angles.Y, angles.Z), centre);
}

TPositionMap ScaleMap(const TVector& factors, const TVector& centre) {
  return AroundMap(ScaleMatrix(factors.X, factors.Y, factors.Z), centre);
}

void MapVertices(const std::vector<TVertex*>& list, const TPositionMap& map) {
  TMesh* touched = nullptr;
  for (TVertex* v : list) {
    v->Position = map(v->Position);
    if (v->Mesh != touched) (touched = v->Mesh)->TouchVertices();
  }
}

void TranslateVertices(const std::vector<TVertex*>& list, const TVector& d) { MapVertices(list, TranslationMap(d)); }

void MoveVerticesTo(const std::vector<TVertex*>& list, const TVector& target) {
  MapVertices(list, MoveToMap(list, target));
}

void RotateVertices(const std::vector<TVertex*>& list, const TVector& angles, const TVector& centre) {
  MapVertices(list, RotationMap(angles, centre));
}

void ScaleVertices(const std::vector<TVertex*>& list, const TVector& factors, const TVector& centre) {
  MapVertices(list, ScaleMap(factors, centre));
}

namespace {
// A length beyond single precision stops at its largest value: a radius is a bound, and the
// file must be able to hold it.
float SingleLength(const TVector& v) { return static_cast<float>(std::min(VectorLength(v), double{FLT_MAX})); }

// The same pass over the reference lists of the editor and the owning lists of meshes.
template <class List>
float RadiusOf(const List& list, bool useWorld) {
  float radius = 0;
  if (useWorld) {
    for (const TVertex* v : list) {
      const float length = SingleLength(v->World);
      if (length > radius) radius = length;
    }
    return radius;
  }
  TVector sum;
  double n = 0;
  for (const TVertex* v : list) {
    AddVector(sum, v->Position);
    ++n;
  }
  if (n == 0) return radius;
  const TVector c{sum.X / n, sum.Y / n, sum.Z / n};
  for (const TVertex* v : list) {
    const float length = SingleLength(SubVector(c, v->Position));
    if (length > radius) radius = length;
  }
  return radius;
}
}  // namespace

float CalcRadius(const std::vector<TVertex*>& list, bool useWorld) { return RadiusOf(list, useWorld); }

float CalcRadius(const TOwnedVertices& list, bool useWorld) { return RadiusOf(list, useWorld); }
