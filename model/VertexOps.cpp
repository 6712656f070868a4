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
