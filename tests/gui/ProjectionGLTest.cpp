// The headless camera matrices against the ones the GL itself builds from the same calls.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <algorithm>
#include <cmath>

#include "camera/Camera.h"
#include "tests/core/TestSupport.h"
#include "view/GLRoutines.h"

namespace {

class ProjectionAgainstGL : public ::testing::Test {
 protected:
  void SetUp() override {
    Surface.create();
    ASSERT_TRUE(Context.create());
    ASSERT_TRUE(Context.makeCurrent(&Surface));
  }
  void TearDown() override { Context.doneCurrent(); }

  QOffscreenSurface Surface;
  QOpenGLContext Context;
};

TEST_F(ProjectionAgainstGL, MatricesAndPixelsAgree) {
  std::vector<TCameraRec> cameras(std::begin(DefaultCameras()), std::end(DefaultCameras()));
  for (double z : {-0.5, -8.0, -0.0123})
    for (int i = 0; i < 4; ++i) {
      TCameraRec c = ResetCamera(i, -z / 4);
      c.X = 0.013 * i;
      c.Y = -0.007 * i;
      cameras.push_back(c);
    }
  TCameraRec free = DefaultCameras()[3];
  free.RotX = 313.7;
  free.RotZ = -47.25;
  free.Z = -2.5;
  cameras.push_back(free);
  const int sizes[][2] = {{400, 300}, {300, 400}, {517, 1}, {1, 233}, {640, 640}};
  const TVector points[] = {{0, 0, 0}, {0.01, -0.02, 0.005}, {-0.3, 0.7, 0.11}, {1.5, 1.5, -1.5}, {1e-4, 3e-5, -2e-5}};

  for (const TCameraRec& c : cameras)
    for (const auto& size : sizes) {
      SCOPED_TRACE(c.Name + " Z " + std::to_string(c.Z) + " " + std::to_string(size[0]) + "x" +
                   std::to_string(size[1]));
      glViewport(0, 0, size[0], size[1]);
      SetupCamera(c, size[0], size[1]);
      const TViewTransform gl = CurrentViewTransform();
      ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
      const TViewTransform view = MakeViewTransform(c, size[0], size[1]);
      EXPECT_TRUE(std::equal(view.Projection, view.Projection + 16, gl.Projection));
      EXPECT_TRUE(std::equal(view.ModelView, view.ModelView + 16, gl.ModelView));
      EXPECT_TRUE(std::equal(view.Viewport, view.Viewport + 4, gl.Viewport));

      // The pixels of the GL routines (gluProject and gluUnProject on the current matrices).
      for (const TVector& p : points) {
        int gx = 0, gy = 0, sx = 0, sy = 0;
        ASSERT_TRUE(WorldToScreen(p.X, p.Y, p.Z, gx, gy));
        ASSERT_TRUE(WorldToScreen(view, p, sx, sy));
        EXPECT_EQ(sx, gx);
        EXPECT_EQ(sy, gy);
      }
      for (const double px : {0.0, 17.25, size[0] - 0.5})
        ExpectNear(ScreenToWorld(view, px, 3.5), ScreenToWorld(px, 3.5), 1e-9 * std::max(1.0, std::fabs(c.Z)));
    }
}

}  // namespace
