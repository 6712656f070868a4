#include <gtest/gtest.h>

#include <cmath>

#include "camera/Camera.h"

namespace {

// The window depth (0 front, 1 back) of a world point; outside 0..1 the GL cuts it away.
double WindowDepth(const TViewTransform& view, const TVector& p) {
  const double in[4] = {p.X, p.Y, p.Z, 1};
  double eye[4] = {0, 0, 0, 0}, clip[4] = {0, 0, 0, 0};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) eye[r] += view.ModelView[c * 4 + r] * in[c];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) clip[r] += view.Projection[c * 4 + r] * eye[c];
  return (clip[2] / clip[3] + 1) / 2;
}

TEST(ViewDepth, GameSizedModelsKeepTheUsualVolume) {
  const struct { double Radius, Z, Depth; } cases[] = {
      {0.05, -0.2, 100},  // fitted
      {1, -4, 100},
      {24, -96, 144},     // fitted: 96 + 48 passes 100
      {100, -400, 600},   // fitted: the camera's distance and the model's diameter
      {1, -1000, 1002},   // zoomed far out
      {1000, -40, 2040},  // zoomed far in on a big model
  };
  for (const auto& c : cases) {
    TCameraRec camera = ResetCamera(1, c.Radius);
    camera.Z = c.Z;
    EXPECT_DOUBLE_EQ(ViewDepth(camera), c.Depth) << c.Radius << " " << c.Z;
  }
  TCameraRec broken = ResetCamera(0, 1);
  broken.Extent = std::nan("");
  EXPECT_EQ(ViewDepth(broken), 100) << "a model without a radius keeps the usual volume";
}

// Every point of a model lies inside the view volume of every camera at any zoom: a big
// scan in the Front view was cut to a slab when its radius passed 25 units.
TEST(ViewDepth, BigModelsStayWithinTheVolumeAtAnyZoom) {
  for (double radius : {0.05, 1.0, 30.0, 1000.0, 100000.0})
    for (int index = 0; index < 4; ++index)
      for (double zoom : {1.0, 0.05, 20.0}) {
        TCameraRec camera = ResetCamera(index, radius);
        camera.Z *= zoom;
        camera.RotY = index == 3 ? 35 : 0;  // a turned free camera too
        const TViewTransform view = MakeViewTransform(camera, 400, 300);
        const TVector points[] = {{radius, 0, 0}, {-radius, 0, 0}, {0, radius, 0},
                                  {0, -radius, 0}, {0, 0, radius}, {0, 0, -radius}};
        for (const TVector& p : points) {
          const double depth = WindowDepth(view, p);
          EXPECT_GT(depth, 0) << radius << " camera " << index << " zoom " << zoom;
          EXPECT_LT(depth, 1) << radius << " camera " << index << " zoom " << zoom;
        }
      }
}

}  // namespace
