// The Free camera's orbit about the selection's centre: the centre stays where it was in the
// window while the view turns about it.

#include <gtest/gtest.h>

#include "camera/CameraOrbit.h"

namespace {

TEST(CameraOrbit, TheCentreKeepsItsPlaceInTheWindowWhileTheViewTurns) {
  TCameraRec free = DefaultCameras()[3];
  free.X = 0.01;
  free.Y = -0.02;
  free.Z = -0.3;
  const struct { TVector Centre; double TurnX, TurnZ; } rows[] = {
      {{0, 0, 0}, 10, 0}, {{0.05, -0.02, 0.01}, 0, 30}, {{-0.1, 0.2, 0.3}, -45, 90}, {{1, 1, 1}, 5, -5},
  };
  for (const auto& row : rows) {
    const TCameraRec turned = OrbitAbout(free, row.Centre, row.TurnX, row.TurnZ);
    EXPECT_DOUBLE_EQ(turned.RotX, free.RotX + row.TurnX);
    EXPECT_DOUBLE_EQ(turned.RotZ, free.RotZ + row.TurnZ);
    EXPECT_DOUBLE_EQ(turned.Z, free.Z) << "the zoom stays";
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(WorldToScreen(MakeViewTransform(free, 400, 300), row.Centre, x0, y0));
    ASSERT_TRUE(WorldToScreen(MakeViewTransform(turned, 400, 300), row.Centre, x1, y1));
    EXPECT_NEAR(x1, x0, 1) << row.TurnX << " " << row.TurnZ;
    EXPECT_NEAR(y1, y0, 1);
  }
  // About the camera's own origin (where X and Y put it) nothing pans: a plain turn.
  const TCameraRec still = OrbitAbout(DefaultCameras()[3], {0, 0, 0}, 20, 40);
  EXPECT_NEAR(still.X, DefaultCameras()[3].X, 1e-12);
  EXPECT_NEAR(still.Y, DefaultCameras()[3].Y, 1e-12);
}

}  // namespace
