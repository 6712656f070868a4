#include "formats/GltfMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TAffine operator*(const TAffine& a, const TAffine& b) {
  TAffine c;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      c.R[i][j] = a.R[i][0] * b.R[0][j] + a.R[i][1] * b.R[1][j] + a.R[i][2] * b.R[2][j];
  c.T = Apply(a, b.T);
  return c;
}

TVector Apply(const TAffine& a, const TVector& p) {
  return {a.R[0][0] * p.X + a.R[0][1] * p.Y + a.R[0][2] * p.Z + a.T.X,
          a.R[1][0] * p.X + a.R[1][1] * p.Y + a.R[1][2] * p.Z + a.T.Y,
          a.R[2][0] * p.X + a.R[2][1] * p.Y + a.R[2][2] * p.Z + a.T.Z};
}

TAffine Inverse(const TAffine& a) {
  const auto& m = a.R;
  const double c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1],
               c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2],
               c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
  const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  TAffine r;
  r.R = {{{c00 / det, (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det,
           (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det},
          {c01 / det, (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det,
           (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det},
          {c02 / det, (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det,
           (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det}}};
  const TVector t = Apply(r, a.T);
  r.T = {-t.X, -t.Y, -t.Z};
  return r;
}

TQuat Normalized(const TQuat& q) {
  const double n = std::sqrt(q.X * q.X + q.Y * q.Y + q.Z * q.Z + q.W * q.W);
  if (!(n > 0)) return {};
  return {q.X / n, q.Y / n, q.Z / n, q.W / n};
}

TAffine RotationOf(const TQuat& given) {
  const TQuat q = Normalized(given);
  const double x = q.X, y = q.Y, z = q.Z, w = q.W;
  TAffine a;
  a.R = {{{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
          {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
          {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}}};
  return a;
}

TAffine FromTrs(const TVector& t, const TQuat& q, const TVector& s) {
  TAffine a = RotationOf(q);
  for (int i = 0; i < 3; ++i) {
    a.R[i][0] *= s.X;
    a.R[i][1] *= s.Y;
    a.R[i][2] *= s.Z;
  }
  a.T = t;
  return a;
}

TQuat Slerp(TQuat a, const TQuat& b, double f) {
  double dot = a.X * b.X + a.Y * b.Y + a.Z * b.Z + a.W * b.W;
  if (dot < 0) {
    a = {-a.X, -a.Y, -a.Z, -a.W};
    dot = -dot;
  }
  double wa = 1 - f, wb = f;
  if (dot < 0.9999995) {
    const double angle = std::acos(std::min(dot, 1.0)), s = std::sin(angle);
    wa = std::sin((1 - f) * angle) / s;
    wb = std::sin(f * angle) / s;
  }
  return Normalized(
      {wa * a.X + wb * b.X, wa * a.Y + wb * b.Y, wa * a.Z + wb * b.Z, wa * a.W + wb * b.W});
}

TAffine RigidPart(const TAffine& a) {
  // Gram-Schmidt on the columns, the first kept in direction: the frame the node's own axes
  // span, whatever scale lies on them.
  TVector c[3];
  for (int j = 0; j < 3; ++j) c[j] = {a.R[0][j], a.R[1][j], a.R[2][j]};
  auto dot = [](const TVector& u, const TVector& v) { return u.X * v.X + u.Y * v.Y + u.Z * v.Z; };
  c[0] = Normalize(c[0]);
  c[1] = Normalize({c[1].X - dot(c[1], c[0]) * c[0].X, c[1].Y - dot(c[1], c[0]) * c[0].Y,
                    c[1].Z - dot(c[1], c[0]) * c[0].Z});
  c[2] = CrossProduct(c[0], c[1]);
  TAffine r;
  for (int j = 0; j < 3; ++j) r.R[0][j] = c[j].X, r.R[1][j] = c[j].Y, r.R[2][j] = c[j].Z;
  r.T = a.T;
  return r;
}

TVector GameAngles(const TAffine& a) {
  const auto& m = a.R;
  constexpr double kDeg = 180 / std::numbers::pi;
  const double sp = std::clamp(m[2][1], -1.0, 1.0);
  const double cp = std::hypot(m[0][1], m[1][1]);
  if (cp < 1e-9) {  // pitch ±90°: only yaw + roll (or yaw − roll) is known
    const double yaw = std::atan2(m[1][0], m[0][0]) * kDeg;
    return {sp > 0 ? 90.0 : -90.0, yaw + 0.0, 0.0};
  }
  return {std::atan2(sp, cp) * kDeg, std::atan2(-m[0][1], m[1][1]) * kDeg + 0.0,
          std::atan2(-m[2][0], m[2][2]) * kDeg + 0.0};
}

TAffine GameRotation(const TVector& angles) {
  constexpr double kRad = std::numbers::pi / 180;
  const double cp = std::cos(angles.X * kRad), sp = std::sin(angles.X * kRad);
  const double cy = std::cos(angles.Y * kRad), sy = std::sin(angles.Y * kRad);
  const double cr = std::cos(angles.Z * kRad), sr = std::sin(angles.Z * kRad);
  TAffine a;
  a.R = {{{cy * cr - sy * sp * sr, -sy * cp, cy * sr + sy * sp * cr},
          {sy * cr + cy * sp * sr, cy * cp, sy * sr - cy * sp * cr},
          {-cp * sr, sp, cp * cr}}};
  return a;
}

TAffine YUpToZUp() {
  TAffine a;
  a.R = {{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}};
  return a;
}
