#include "camera/Camera.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

const TCameraRec (&DefaultCameras())[4] {
  static const TCameraRec cameras[4] = {
      {"Top", 0, 0, -0.1, 0, 0, 0, true, 0, 0},
      {"Front", 0, 0, -0.1, 270, 0, 180, true, 0, 1},
      {"Side", 0, 0, -0.1, 270, 0, 270, true, 0, 2},
      {"Free", 0, 0, -0.1, 0, 0, 0, false, 1, 3},
  };
  return cameras;
}

double FitDepth(double radius) { return radius <= 0.000001 ? -0.5 : -4 * radius; }

TCameraRec ResetCamera(int index, double radius) {
  TCameraRec camera = DefaultCameras()[std::clamp(index, 0, 3)];
  camera.Z = FitDepth(radius);
  camera.Extent = radius;
  return camera;
}

double ViewDepth(const TCameraRec& camera) {
  const double needed = std::fabs(camera.Z) + 2 * std::fabs(camera.Extent);
  return std::isfinite(needed) ? std::max(100.0, needed) : 100.0;
}

namespace {

// The GL matrix stack works in single precision, column-major; every step below rounds to
// float where the GL does, so that the pixels we compute are the pixels the GL draws.
struct TMat4f {
  float M[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  float& At(int row, int col) { return M[col * 4 + row]; }
  float At(int row, int col) const { return M[col * 4 + row]; }
};

// this = this x b, summed in the GL's order.
void PostMultiply(TMat4f& a, const TMat4f& b) {
  TMat4f p;
  for (int i = 0; i < 4; ++i) {
    const float a0 = a.At(i, 0), a1 = a.At(i, 1), a2 = a.At(i, 2), a3 = a.At(i, 3);
    for (int j = 0; j < 4; ++j) p.At(i, j) = a0 * b.At(0, j) + a1 * b.At(1, j) + a2 * b.At(2, j) + a3 * b.At(3, j);
  }
  a = p;
}

void Ortho(TMat4f& mat, double left, double right, double bottom, double top, double nearVal, double farVal) {
  // The GL refuses an empty volume and keeps the matrix as it was.
  if (left == right || bottom == top || nearVal == farVal) return;
  const float l = static_cast<float>(left), r = static_cast<float>(right);
  const float b = static_cast<float>(bottom), t = static_cast<float>(top);
  const float n = static_cast<float>(nearVal), f = static_cast<float>(farVal);
  TMat4f m;
  m.At(0, 0) = 2.0f / (r - l);
  m.At(0, 3) = -(r + l) / (r - l);
  m.At(1, 1) = 2.0f / (t - b);
  m.At(1, 3) = -(t + b) / (t - b);
  m.At(2, 2) = -2.0f / (f - n);
  m.At(2, 3) = -(f + n) / (f - n);
  PostMultiply(mat, m);
}

void Translate(TMat4f& mat, float x, float y, float z) {
  float* m = mat.M;
  for (int i = 0; i < 4; ++i) m[12 + i] = m[i] * x + m[4 + i] * y + m[8 + i] * z + m[12 + i];
}

// A rotation about one principal axis (0 = X, 1 = Y, 2 = Z, positive direction).
void Rotate(TMat4f& mat, float angle, int axis) {
  const float s = std::sin(static_cast<float>(angle * std::numbers::pi / 180.0));
  const float c = std::cos(static_cast<float>(angle * std::numbers::pi / 180.0));
  const int u = (axis + 1) % 3, v = (axis + 2) % 3;
  TMat4f m;
  m.At(u, u) = c;
  m.At(v, v) = c;
  m.At(u, v) = -s;
  m.At(v, u) = s;
  PostMultiply(mat, m);
}

void Store(const TMat4f& m, double (&out)[16]) {
  for (int i = 0; i < 16; ++i) out[i] = m.M[i];
}

// out = m x in, m column-major, summed as the GL utility library does.
void Transform(const double* m, const double in[4], double out[4]) {
  for (int i = 0; i < 4; ++i) out[i] = in[0] * m[i] + in[1] * m[4 + i] + in[2] * m[8 + i] + in[3] * m[12 + i];
}

// r = a x b for column-major matrices.
void Multiply(const double* a, const double* b, double* r) {
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 4; ++row) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[col * 4 + k];
      r[col * 4 + row] = sum;
    }
}

// Gauss-Jordan with partial pivoting; false for a singular matrix.
bool Invert(const double* m, double* inverse) {
  double a[4][8];
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      a[row][col] = m[col * 4 + row];
      a[row][col + 4] = row == col ? 1 : 0;
    }
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int row = col + 1; row < 4; ++row)
      if (std::fabs(a[row][col]) > std::fabs(a[pivot][col])) pivot = row;
    if (!(std::fabs(a[pivot][col]) > 0)) return false;
    std::swap(a[pivot], a[col]);
    const double scale = 1 / a[col][col];
    for (double& x : a[col]) x *= scale;
    for (int row = 0; row < 4; ++row) {
      if (row == col || a[row][col] == 0) continue;
      const double f = a[row][col];
      for (int k = 0; k < 8; ++k) a[row][k] -= f * a[col][k];
    }
  }
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) inverse[col * 4 + row] = a[row][col + 4];
  return true;
}

int TruncateToInt(double v) {
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace

TViewTransform MakeViewTransform(const TCameraRec& camera, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  TViewTransform view{};
  TMat4f projection;
  const float d = static_cast<float>(-camera.Z / 4);
  const double depth = ViewDepth(camera);
  if (height >= width) {
    const double a = static_cast<double>(height) / width;
    Ortho(projection, -d, d, -d * a, d * a, -depth, depth);
  } else {
    const double a = static_cast<double>(width) / height;
    Ortho(projection, -d * a, d * a, -d, d, -depth, depth);
  }
  TMat4f modelView;
  Translate(modelView, static_cast<float>(camera.X), static_cast<float>(camera.Y), static_cast<float>(camera.Z));
  Rotate(modelView, static_cast<float>(camera.RotX), 0);
  Rotate(modelView, static_cast<float>(camera.RotY), 1);
  Rotate(modelView, static_cast<float>(camera.RotZ), 2);
  Store(projection, view.Projection);
  Store(modelView, view.ModelView);
  view.Viewport[0] = 0;
  view.Viewport[1] = 0;
  view.Viewport[2] = width;
  view.Viewport[3] = height;
  return view;
}

bool WorldToScreen(const TViewTransform& view, const TVector& world, int& sx, int& sy) {
  const double in[4] = {world.X, world.Y, world.Z, 1.0};
  double eye[4], clip[4];
  Transform(view.ModelView, in, eye);
  Transform(view.Projection, eye, clip);
  if (clip[3] == 0.0) return false;
  const double nx = clip[0] / clip[3] * 0.5 + 0.5;
  const double ny = clip[1] / clip[3] * 0.5 + 0.5;
  const double winX = nx * view.Viewport[2] + view.Viewport[0];
  const double winY = ny * view.Viewport[3] + view.Viewport[1];
  const double y = view.Viewport[3] - winY;
  if (!std::isfinite(winX) || !std::isfinite(y)) return false;
  sx = TruncateToInt(winX);
  sy = TruncateToInt(y);
  return true;
}

namespace {
// gluUnProject of a top-left-origin window point at a window depth; false for singular matrices.
bool Unproject(const TViewTransform& view, double sx, double sy, double depth, TVector& world) {
  double combined[16], inverse[16];
  Multiply(view.Projection, view.ModelView, combined);
  if (!Invert(combined, inverse)) return false;
  const double in[4] = {(sx - view.Viewport[0]) / view.Viewport[2] * 2 - 1,
                        (view.Viewport[3] - sy - view.Viewport[1]) / view.Viewport[3] * 2 - 1, depth * 2 - 1, 1.0};
  double out[4];
  Transform(inverse, in, out);
  if (out[3] == 0.0) return false;
  world = {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
  return true;
}
}  // namespace

TVector ScreenToWorld(const TViewTransform& view, double sx, double sy) {
  TVector world;
  return Unproject(view, sx, sy, 0.5, world) ? world : TVector{};
}

TRay PickRay(const TViewTransform& view, double sx, double sy) {
  TVector front, back;
  if (!Unproject(view, sx, sy, 0, front) || !Unproject(view, sx, sy, 1, back)) return {};
  return {front, {back.X - front.X, back.Y - front.Y, back.Z - front.Z}};
}

bool PointInRect(int px, int py, int left, int top, int right, int bottom) {
  return left <= px && px <= right && top <= py && py <= bottom;
}
