#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "camera/Camera.h"
#include "camera/ViewPanes.h"

namespace {

TCameraRec Camera(int index, double z = -0.1) {
  TCameraRec c = DefaultCameras()[index];
  c.Z = z;
  return c;
}

TEST(CameraRecords, ResetFitsTheModelRadius) {
  for (double empty : {0.0, 0.000001, -3.0}) EXPECT_EQ(FitDepth(empty), -0.5) << empty;
  for (int i = 0; i < 4; ++i) {
    const TCameraRec c = ResetCamera(i, 2);
    EXPECT_EQ(c.RotX, DefaultCameras()[i].RotX);
    EXPECT_DOUBLE_EQ(c.Z, -8);
  }
}

TEST(Projection, TopViewFollowsPanAndTheShorterSide) {
  // Z = -0.1 gives the half-extent d = 0.025 across the shorter side of the window. Screen to
  // world is the way back (checked pixel for pixel by the wheel zoom's tests).
  const struct { double PanX; int Width, Height; TVector World; int X, Y; } toScreen[] = {
      {0, 400, 300, {0, 0, 0}, 200, 150},      // the centre is the window's centre
      {0, 400, 1, {5, 0, 0}, 300, 0},          // one pixel high: 400 d to each side
      {0, 100, 200, {0.01025, 0.01975, 0}, 70, 60},  // taller than wide: d across, 2 d up
      {0.025, 300, 300, {0, 0, 0}, 300, 150},  // panned by d: the origin moves to the right edge
  };
  for (const auto& c : toScreen) {
    TCameraRec camera = Camera(0);
    camera.X = c.PanX;
    int sx = -1, sy = -1;
    ASSERT_TRUE(WorldToScreen(MakeViewTransform(camera, c.Width, c.Height), c.World, sx, sy));
    EXPECT_EQ(sx, c.X) << c.Width << "x" << c.Height;
    EXPECT_EQ(sy, c.Y) << c.Width << "x" << c.Height;
  }
}

TEST(Projection, AxisViewsShowTheirAxes) {
  // Half a unit to the screen's right and up, and the direction towards the viewer, of each
  // view in world axes.
  const TVector right[4] = {{0.5, 0, 0}, {-0.5, 0, 0}, {0, 0.5, 0}, {0.5, 0, 0}};
  const TVector up[4] = {{0, 0.5, 0}, {0, 0, 0.5}, {0, 0, 0.5}, {0, 0.5, 0}};
  const TVector toward[4] = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(DefaultCameras()[i].Name);
    const TViewTransform view = MakeViewTransform(Camera(i, -4), 400, 400);
    int sx = 0, sy = 0;
    // The single-precision cosine of 270 degrees is not quite zero: a point on a pixel
    // boundary may land on either side of it.
    ASSERT_TRUE(WorldToScreen(view, right[i], sx, sy));
    EXPECT_NEAR(sx, 300, 1);
    EXPECT_NEAR(sy, 200, 1);
    ASSERT_TRUE(WorldToScreen(view, up[i], sx, sy));
    EXPECT_NEAR(sx, 200, 1);
    EXPECT_NEAR(sy, 100, 1);
    // Eye depth grows towards the viewer: third row of the model-view.
    const double* m = view.ModelView;
    EXPECT_NEAR(m[2] * toward[i].X + m[6] * toward[i].Y + m[10] * toward[i].Z, 1, 1e-6);
  }
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

// The four quarters split by a two-pixel gutter; an odd pixel goes to the right or lower pane,
// and a tiny area still gives every pane a pixel.
TEST(FourViewPanes, SplitTheAreaIntoQuartersAndFindThePaneUnderAPoint) {
  const struct { int Width, Height, Index; TViewPane Pane; } panes[] = {
      {800, 600, 0, {0, 0, 399, 299}},     {800, 600, 1, {401, 0, 399, 299}}, {800, 600, 2, {0, 301, 399, 299}},
      {800, 600, 3, {401, 301, 399, 299}}, {801, 601, 3, {401, 301, 400, 300}}, {1, 1, 0, {0, 0, 1, 1}},
      {1, 1, 3, {3, 3, 1, 1}}};
  for (const auto& c : panes) {
    const TViewPane p = FourViewPane(c.Index, c.Width, c.Height);
    EXPECT_EQ((std::vector{p.Left, p.Top, p.Width, p.Height}),
              (std::vector{c.Pane.Left, c.Pane.Top, c.Pane.Width, c.Pane.Height}))
        << c.Width << "x" << c.Height << " pane " << c.Index;
  }
  // A gutter belongs to the pane left of it or above it; points outside to the nearest.
  const struct { int X, Y, Pane; } points[] = {{398, 0, 0}, {400, 298, 0}, {401, 0, 1},  {0, 301, 2},
                                               {401, 301, 3}, {-5, -5, 0},  {900, 700, 3}};
  for (const auto& c : points) EXPECT_EQ(FourViewPaneAt(c.X, c.Y, 800, 600), c.Pane) << c.X << "," << c.Y;
}

}  // namespace
