#include "camera/CameraMoves.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double NotchZoom = 1.25;
// The zoom drag comes back from beyond the camera to this depth; the wheel goes no nearer.
constexpr double NearestDepth = -0.000005;
// Room left around a framed box, as a share of its extent.
constexpr double FrameMargin = 1.1;

// The half-extents of the view across and up per unit of the orthographic half-extent -Z/4:
// the shorter window side spans it, the longer one more.
struct TAspect {
  double X, Y;
};
TAspect Aspect(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (height >= width) return {1, static_cast<double>(height) / width};
  return {static_cast<double>(width) / height, 1};
}

}  // namespace

double WheelZoomFactor(int angleDelta) { return std::pow(NotchZoom, -angleDelta / 120.0); }

TCameraRec ZoomAtPoint(const TCameraRec& camera, int width, int height, double sx, double sy, double factor) {
  TCameraRec zoomed = camera;
  if (!(camera.Z < 0)) {
    zoomed.Z = NearestDepth;
    return zoomed;
  }
  if (!(factor > 0) || !std::isfinite(factor)) return zoomed;
  zoomed.Z = std::min(camera.Z * factor, std::max(camera.Z, NearestDepth));
  // In an orthographic view the pointer's eye-space offset from the centre is its share of
  // the half-extent; the pan makes up for the change of half-extent at that share, so the
  // world under the pointer keeps its eye-space place.
  const TAspect a = Aspect(width, height);
  const double w = std::max(width, 1), h = std::max(height, 1);
  const double across = sx / w * 2 - 1, up = (h - sy) / h * 2 - 1;
  const double grown = (camera.Z - zoomed.Z) / 4;
  zoomed.X += across * a.X * grown;
  zoomed.Y += up * a.Y * grown;
  return zoomed;
}

TCameraRec FitCameraToBox(const TCameraRec& camera, int width, int height, const TBox& box) {
  if (box.Empty) return camera;
  // The model-view's rotation part puts the corners in eye space, where the pan applies.
  const TViewTransform view = MakeViewTransform(camera, width, height);
  const double* m = view.ModelView;
  double low[2] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
  double high[2] = {-low[0], -low[1]};
  for (int i = 0; i < 8; ++i) {
    const TVector p = box.Corner(i);
    for (int axis = 0; axis < 2; ++axis) {
      const double e = m[axis] * p.X + m[4 + axis] * p.Y + m[8 + axis] * p.Z;
      low[axis] = std::min(low[axis], e);
      high[axis] = std::max(high[axis], e);
    }
  }
  TCameraRec fitted = camera;
  fitted.X = -(low[0] + high[0]) / 2;
  fitted.Y = -(low[1] + high[1]) / 2;
  if (!std::isfinite(fitted.X) || !std::isfinite(fitted.Y)) return camera;
  const TAspect a = Aspect(width, height);
  const double d = FrameMargin * std::max((high[0] - low[0]) / 2 / a.X, (high[1] - low[1]) / 2 / a.Y);
  if (d > 0 && std::isfinite(d))
    fitted.Z = std::min(-4 * d, NearestDepth);
  else if (!(camera.Z < 0))
    fitted.Z = FitDepth(0);
  return fitted;
}
