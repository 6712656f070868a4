#include "view/GLRoutines.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

void SetupCamera(const TCameraRec& camera, int width, int height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const float d = static_cast<float>(-camera.Z / 4);
  const double depth = ViewDepth(camera);
  if (height >= width) {
    const double a = static_cast<double>(height) / width;
    glOrtho(-d, d, -d * a, d * a, -depth, depth);
  } else {
    const double a = static_cast<double>(width) / height;
    glOrtho(-d * a, d * a, -d, d, -depth, depth);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(static_cast<float>(camera.X), static_cast<float>(camera.Y), static_cast<float>(camera.Z));
  glRotatef(static_cast<float>(camera.RotX), 1, 0, 0);
  glRotatef(static_cast<float>(camera.RotY), 0, 1, 0);
  glRotatef(static_cast<float>(camera.RotZ), 0, 0, 1);
}

void Setup2D(int width, int height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -100, 100);
  glTranslatef(0, 0, -1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void Begin2DState() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glDisable(GL_LIGHT0);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}

void End2DState() { glPopAttrib(); }

void DrawAxes(float size) {
  Begin2DState();
  glLineWidth(2);
  glBegin(GL_LINES);
  glColor3f(1, 0, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(size, 0, 0);
  glColor3f(0, 1, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(0, size, 0);
  glColor3f(0, 0, 1);
  glVertex3f(0, 0, 0);
  glVertex3f(0, 0, size);
  glEnd();
  glLineWidth(1);
  End2DState();
}

TViewTransform CurrentViewTransform() {
  TViewTransform view{};
  glGetDoublev(GL_PROJECTION_MATRIX, view.Projection);
  glGetDoublev(GL_MODELVIEW_MATRIX, view.ModelView);
  glGetIntegerv(GL_VIEWPORT, view.Viewport);
  return view;
}

bool WorldToScreen(double x, double y, double z, int& sx, int& sy) {
  const TViewTransform view = CurrentViewTransform();
  double wx, wy, wz;
  if (gluProject(x, y, z, view.ModelView, view.Projection, view.Viewport, &wx, &wy, &wz) != GL_TRUE) return false;
  sx = static_cast<int>(std::trunc(wx - view.Viewport[0]));
  sy = static_cast<int>(std::trunc(view.Viewport[1] + view.Viewport[3] - wy));
  return true;
}

TVector ScreenToWorld(double sx, double sy) {
  const TViewTransform view = CurrentViewTransform();
  TVector p;
  gluUnProject(view.Viewport[0] + sx, view.Viewport[1] + view.Viewport[3] - sy, 0.5, view.ModelView, view.Projection, view.Viewport, &p.X, &p.Y, &p.Z);
  return p;
}

void SetColor(const TCore& core, TCoreColor slot) {
  const TColorRGB& c = core.Colors[slot];
  glColor3f(c.R, c.G, c.B);
}
