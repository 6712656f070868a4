// The headless camera matrices against the ones the GL itself builds from the same calls.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <cmath>

#include "model/Camera.h"
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
  for (double z : {-0.5, -8.0, -0.0123}) {
    for (int i = 0; i < 4; ++i) {
      TCameraRec c = ResetCamera(i, -z / 4);
      c.X = 0.013 * i;
      c.Y = -0.007 * i;
      cameras.push_back(c);
    }
  }
  TCameraRec free = DefaultCameras()[3];
  free.RotX = 313.7;
  free.RotZ = -47.25;
  free.Z = -2.5;
  cameras.push_back(free);
  const int sizes[][2] = {{400, 300}, {300, 400}, {517, 1}, {1, 233}, {640, 640}};
  const double points[][3] = {{0, 0, 0}, {0.01, -0.02, 0.005}, {-0.3, 0.7, 0.11}, {1.5, 1.5, -1.5}, {1e-4, 3e-5, -2e-5}};

  for (const TCameraRec& c : cameras)
    for (const auto& size : sizes) {
      glViewport(0, 0, size[0], size[1]);
      SetupCamera(c, size[0], size[1]);
      double projection[16], modelView[16];
      GLint viewport[4];
      glGetDoublev(GL_PROJECTION_MATRIX, projection);
      glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
      glGetIntegerv(GL_VIEWPORT, viewport);
      ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

      const TViewTransform view = MakeViewTransform(c, size[0], size[1]);
      for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(view.Projection[k], projection[k]) << c.Name << " projection " << k;
        EXPECT_EQ(view.ModelView[k], modelView[k]) << c.Name << " model-view " << k << " Z " << c.Z;
      }
      for (int k = 0; k < 4; ++k) EXPECT_EQ(view.Viewport[k], viewport[k]);

      for (const auto& p : points) {
        double wx = 0, wy = 0, wz = 0;
        ASSERT_TRUE(gluProject(p[0], p[1], p[2], modelView, projection, viewport, &wx, &wy, &wz));
        int sx = 0, sy = 0;
        ASSERT_TRUE(WorldToScreen(view, {p[0], p[1], p[2]}, sx, sy));
        if (std::fabs(wx) < 1e9 && std::fabs(wy) < 1e9) {
          EXPECT_EQ(sx, static_cast<int>(wx)) << c.Name;
          EXPECT_EQ(sy, static_cast<int>(viewport[3] - wy)) << c.Name;
        }
      }
      for (const double px : {0.0, 17.25, size[0] - 0.5}) {
        double ox = 0, oy = 0, oz = 0;
        ASSERT_TRUE(gluUnProject(px, size[1] - 3.5, 0.5, modelView, projection, viewport, &ox, &oy, &oz));
        const TVector w = ScreenToWorld(view, px, 3.5);
        const double scale = std::max(1.0, std::fabs(c.Z));
        EXPECT_NEAR(w.X, ox, 1e-9 * scale);
        EXPECT_NEAR(w.Y, oy, 1e-9 * scale);
        EXPECT_NEAR(w.Z, oz, 1e-9 * scale);
      }
    }
}

}  // namespace
