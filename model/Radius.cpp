#include "model/Radius.h"

#include <algorithm>
#include <cfloat>

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
