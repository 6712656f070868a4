#include "model/Face.h"

TVertex* TFace::NextVertex(int index) const {
  return Vertices.Get(index + 1 >= Vertices.Count() ? 0 : index + 1);
}

TVertex* TFace::PrevVertex(int index) const {
  return Vertices.Get(index <= 0 ? Vertices.Count() - 1 : index - 1);
}

namespace {

// Newell's normal of the whole polygon, twice its area vector: it points the way the corners
// wind whichever three of them lie on one line, and is zero only for a face without area.
// Positions are taken relative to the first corner, which keeps the sums small for a face far
// from the origin.
TVector AreaNormal(const TCorners& corners, TVector TVertex::*position) {
  const TVector& o = corners[0]->*position;
  TVector n;
  const int count = corners.Count();
  for (int i = 0; i < count; ++i) {
    const TVector& p = corners[i]->*position;
    const TVector& q = corners[i + 1 < count ? i + 1 : 0]->*position;
    n.X += (p.Y - q.Y) * ((p.Z - o.Z) + (q.Z - o.Z));
    n.Y += (p.Z - q.Z) * ((p.X - o.X) + (q.X - o.X));
    n.Z += (p.X - q.X) * ((p.Y - o.Y) + (q.Y - o.Y));
  }
  return n;
}

}  // namespace

TVector PolygonNormal(const TCorners& corners, TVector TVertex::*position) {
  if (corners.Count() < 3) return {};
  const TVector& p0 = corners[0]->*position;
  const TVector& p1 = corners[1]->*position;
  const TVector& p2 = corners[2]->*position;
  const TVector a{p0.X - p1.X, p0.Y - p1.Y, p0.Z - p1.Z};
  const TVector b{p1.X - p2.X, p1.Y - p2.Y, p1.Z - p2.Z};
  // Where the first three corners span a triangle they decide; only when they lie on one
  // line (after a vertex is inserted on the first edge, say) does the whole outline.
  TVector n = CrossProduct(a, b);
  if (n == TVector{}) n = AreaNormal(corners, position);
  return Normalize(n);
}
