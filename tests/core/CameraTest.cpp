#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/Camera.h"

namespace {

TCameraRec Camera(int index, double z = -0.1) {
  TCameraRec c = DefaultCameras()[index];
  c.Z = z;
  return c;
}

TEST(CameraRecords, FourDefaultsInTabOrder) {
  const auto& c = DefaultCameras();
  EXPECT_EQ(c[0].Name, "Top");
  EXPECT_EQ(c[1].Name, "Front");
  EXPECT_EQ(c[2].Name, "Side");
  EXPECT_EQ(c[3].Name, "Free");
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(c[i].X, 0);
    EXPECT_EQ(c[i].Y, 0);
    EXPECT_EQ(c[i].Z, -0.1);
    EXPECT_EQ(c[i].RotY, 0);
    EXPECT_EQ(c[i].Kind, i);
    EXPECT_EQ(c[i].Orthogonal, i < 3);
    EXPECT_EQ(c[i].ViewMode, i < 3 ? 0 : 1);
  }
  EXPECT_EQ(c[1].RotX, 270);
  EXPECT_EQ(c[1].RotZ, 180);
  EXPECT_EQ(c[2].RotX, 270);
  EXPECT_EQ(c[2].RotZ, 270);
  EXPECT_EQ(c[3].RotX, 0);
  EXPECT_EQ(c[3].RotZ, 0);
}

TEST(CameraRecords, ResetFitsTheModelRadius) {
  EXPECT_EQ(FitDepth(0), -0.5);
  EXPECT_EQ(FitDepth(0.000001), -0.5);
  EXPECT_EQ(FitDepth(-3), -0.5);
  EXPECT_DOUBLE_EQ(FitDepth(2), -8);
  for (int i = 0; i < 4; ++i) {
    const TCameraRec c = ResetCamera(i, 2);
    EXPECT_EQ(c.Name, DefaultCameras()[i].Name);
    EXPECT_EQ(c.RotX, DefaultCameras()[i].RotX);
    EXPECT_DOUBLE_EQ(c.Z, -8);
    EXPECT_EQ(ResetCamera(i, 0).Z, -0.5);
  }
}

TEST(Projection, TopViewCentreIsTheWindowCentre) {
  const TViewTransform view = MakeViewTransform(Camera(0), 400, 300);
  int sx = -1, sy = -1;
  ASSERT_TRUE(WorldToScreen(view, {0, 0, 0}, sx, sy));
  EXPECT_EQ(sx, 200);
  EXPECT_EQ(sy, 150);
  EXPECT_EQ(view.Viewport[2], 400);
  EXPECT_EQ(view.Viewport[3], 300);
}

TEST(Projection, ShorterSideSpansTwiceTheHalfExtent) {
  // Z = -0.1 gives d = 0.025: a 1-pixel-high window spans 400 d to each side.
  const TViewTransform view = MakeViewTransform(Camera(0), 400, 1);
  const TVector right = ScreenToWorld(view, 400, 0.5);
  EXPECT_NEAR(right.X, 400 * 0.025, 1e-6);
  EXPECT_NEAR(right.Y, 0, 1e-9);
  const TVector top = ScreenToWorld(view, 200, 0);
  EXPECT_NEAR(top.Y, 0.025, 1e-9);
  int sx = 0, sy = 0;
  ASSERT_TRUE(WorldToScreen(view, {5, 0, 0}, sx, sy));
  EXPECT_EQ(sx, 300);
  EXPECT_EQ(sy, 0);

  const TViewTransform tall = MakeViewTransform(Camera(0), 100, 200);
  EXPECT_NEAR(ScreenToWorld(tall, 100, 100).X, 0.025, 1e-9);
  EXPECT_NEAR(ScreenToWorld(tall, 50, 0).Y, 0.05, 1e-9);
}

TEST(Projection, AxisViewsShowTheirAxes) {
  // Screen right, screen up and towards the viewer of each view, in world axes.
  const TVector right[4] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {1, 0, 0}};
  const TVector up[4] = {{0, 1, 0}, {0, 0, 1}, {0, 0, 1}, {0, 1, 0}};
  const TVector toward[4] = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}};
  for (int i = 0; i < 4; ++i) {
    const TViewTransform view = MakeViewTransform(Camera(i, -4), 400, 400);
    int sx = 0, sy = 0;
    ASSERT_TRUE(WorldToScreen(view, {right[i].X * 0.5, right[i].Y * 0.5, right[i].Z * 0.5}, sx, sy));
    // The single-precision cosine of 270 degrees is not quite zero: a point on a pixel
    // boundary may land on either side of it.
    EXPECT_NEAR(sx, 300, 1) << DefaultCameras()[i].Name;
    EXPECT_NEAR(sy, 200, 1) << DefaultCameras()[i].Name;
    ASSERT_TRUE(WorldToScreen(view, {up[i].X * 0.5, up[i].Y * 0.5, up[i].Z * 0.5}, sx, sy));
    EXPECT_NEAR(sx, 200, 1) << DefaultCameras()[i].Name;
    EXPECT_NEAR(sy, 100, 1) << DefaultCameras()[i].Name;
    // Eye depth grows towards the viewer: third row of the model-view.
    const double* m = view.ModelView;
    EXPECT_NEAR(m[2] * toward[i].X + m[6] * toward[i].Y + m[10] * toward[i].Z, 1, 1e-6) << DefaultCameras()[i].Name;
  }
}

TEST(Projection, PanShiftsThePicture) {
  TCameraRec c = Camera(0);
  c.X = 0.025;  // one half-extent: the origin moves to the right edge
  const TViewTransform view = MakeViewTransform(c, 300, 300);
  int sx = 0, sy = 0;
  ASSERT_TRUE(WorldToScreen(view, {0, 0, 0}, sx, sy));
  EXPECT_EQ(sx, 300);
  EXPECT_EQ(sy, 150);
}

TEST(Projection, ScreenToWorldThenBackReturnsThePixel) {
  TCameraRec cameras[] = {Camera(0), Camera(1, -3), Camera(2, -0.7), Camera(3, -12)};
  cameras[3].RotX = 33;
  cameras[3].RotZ = 117;
  cameras[3].X = 0.4;
  cameras[3].Y = -1.25;
  cameras[1].X = -0.01;
  const int sizes[][2] = {{400, 300}, {300, 400}, {1, 1}, {640, 1}, {1, 480}};
  for (const TCameraRec& c : cameras)
    for (const auto& size : sizes) {
      const TViewTransform view = MakeViewTransform(c, size[0], size[1]);
      for (int px : {0, 1, size[0] / 3, size[0] - 1})
        for (int py : {0, 1, size[1] / 2, size[1] - 1}) {
          int sx = -1, sy = -1;
          ASSERT_TRUE(WorldToScreen(view, ScreenToWorld(view, px + 0.5, py + 0.5), sx, sy));
          EXPECT_EQ(sx, px) << c.Name << " " << size[0] << "x" << size[1];
          EXPECT_EQ(sy, py) << c.Name << " " << size[0] << "x" << size[1];
        }
    }
}

TEST(Projection, ScreenToWorldLiesAtEyeDepthZero) {
  TCameraRec c = Camera(3, -2);
  c.RotX = 40;
  c.RotZ = 10;
  const TViewTransform view = MakeViewTransform(c, 200, 100);
  const TVector p = ScreenToWorld(view, 37, 81);
  // Window depth 0.5 is eye depth 0, halfway through the -100..100 volume.
  const double* m = view.ModelView;
  EXPECT_NEAR(m[2] * p.X + m[6] * p.Y + m[10] * p.Z + m[14], 0, 1e-9);
}

TEST(Projection, DegenerateWindowsAndCamerasStayFinite) {
  // A zero-sized window counts as one pixel.
  const TViewTransform empty = MakeViewTransform(Camera(0), 0, 0);
  EXPECT_EQ(empty.Viewport[2], 1);
  EXPECT_EQ(empty.Viewport[3], 1);
  const TVector p = ScreenToWorld(empty, 0.5, 0.5);
  EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z));

  // Zoomed to nothing: the GL keeps the identity projection, and so do we.
  const TViewTransform flat = MakeViewTransform(Camera(0, 0), 100, 100);
  EXPECT_EQ(flat.Projection[0], 1);
  EXPECT_EQ(flat.Projection[5], 1);
  int sx = 0, sy = 0;
  EXPECT_TRUE(WorldToScreen(flat, {0, 0, 0}, sx, sy));
  EXPECT_EQ(sx, 50);

  // Far outside the window the pixel saturates instead of overflowing.
  const TViewTransform view = MakeViewTransform(Camera(0), 100, 100);
  ASSERT_TRUE(WorldToScreen(view, {1e300, -1e300, 0}, sx, sy));
  EXPECT_EQ(sx, std::numeric_limits<int>::max());
  EXPECT_EQ(sy, std::numeric_limits<int>::max());
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(WorldToScreen(view, {nan, 0, 0}, sx, sy));
  TCameraRec broken = Camera(0);
  broken.RotX = nan;
  EXPECT_FALSE(WorldToScreen(MakeViewTransform(broken, 100, 100), {0, 0, 0}, sx, sy));
}

}  // namespace
