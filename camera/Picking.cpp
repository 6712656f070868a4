#include "camera/Picking.h"

#include <cmath>

#include "model/Model.h"

namespace {

struct TVec {
  double X, Y, Z;
};
inline TVec Sub(const TVector& a, const TVector& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
inline TVec Cross(const TVec& a, const TVec& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
inline double Dot(const TVec& a, const TVec& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }

// The ray's T where it meets the fan of the face, below `nearest`; `nearest` itself when it
// misses. The triangle test is Moller and Trumbore's: barycentric coordinates from the
// determinant of the edges and the ray, taken from either side.
double FanHit(const TFace& face, const TVector& origin, const TVec& dir, double nearest) {
  const int n = face.Vertices.Count();
  if (n < 3) return nearest;
  const TVector& a = face.Vertices[0]->World;
  const TVec s = Sub(origin, a);
  TVec e1 = Sub(face.Vertices[1]->World, a);
  for (int k = 2; k < n; ++k) {
    const TVec e2 = Sub(face.Vertices[k]->World, a);
    const TVec p = Cross(dir, e2);
    const double det = Dot(e1, p);
    if (det != 0) {
      const double inv = 1 / det;
      const double u = Dot(s, p) * inv;
      if (u >= 0 && u <= 1) {
        const TVec q = Cross(s, e1);
        const double v = Dot(dir, q) * inv;
        if (v >= 0 && u + v <= 1) {
          const double t = Dot(e2, q) * inv;
          if (t >= 0 && t < nearest) nearest = t;
        }
      }
    }
    e1 = e2;
  }
  return nearest;
}

}  // namespace

TFaceHit PickFace(const TModel& model, const TRay& ray) {
  TFaceHit hit;
  const TVec dir{ray.Direction.X, ray.Direction.Y, ray.Direction.Z};
  if (dir.X == 0 && dir.Y == 0 && dir.Z == 0) return hit;
  // Hits on the back of the view volume count too.
  double nearest = std::nextafter(1.0, 2.0);
  for (TNode* node : model.Nodes) {
    if (!node->Mesh) continue;
    for (TFace* face : node->Mesh->Surfaces) {
      const double t = FanHit(*face, ray.Origin, dir, nearest);
      if (t < nearest) {
        nearest = t;
        hit = {node, face, t};
      }
    }
  }
  return hit;
}

TVertex* PickVertex(const TModel& model, const TViewTransform& view, int sx, int sy, int radius) {
  TVertex* best = nullptr;
  long long bestDistance = static_cast<long long>(radius) * radius;
  for (TNode* node : model.Nodes) {
    if (!node->Mesh) continue;
    for (TVertex* vertex : node->Mesh->Vertices) {
      int x = 0, y = 0;
      if (!WorldToScreen(view, vertex->World, x, y)) continue;
      const long long dx = static_cast<long long>(x) - sx, dy = static_cast<long long>(y) - sy;
      if (dx > radius || dx < -radius || dy > radius || dy < -radius) continue;
      const long long distance = dx * dx + dy * dy;
      if (distance < bestDistance || (!best && distance == bestDistance)) {
        best = vertex;
        bestDistance = distance;
      }
    }
  }
  return best;
}
