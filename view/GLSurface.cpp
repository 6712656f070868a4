#include "view/GLSurface.h"

#include <GL/gl.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

TGLSurface::TGLSurface(QWidget* parent) : QOpenGLWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // Frames drawn outside paintGL must survive until they are shown.
  setUpdateBehavior(QOpenGLWidget::PartialUpdate);
}

void TGLSurface::initializeGL() {
  if (OnInitGL) OnInitGL();
}

void TGLSurface::resizeGL(int width, int height) {
  if (height == 0) height = 1;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const qreal ratio = devicePixelRatioF();
  glViewport(0, 0, static_cast<int>(width * ratio), static_cast<int>(height * ratio));
}

void TGLSurface::paintGL() {
  if (FrameReady)
    FrameReady = false;
  else if (OnPaint)
    OnPaint();
}

// The drawing works in framebuffer pixels, so the pointer is given in them too; on a
// high-density screen they are finer than the widget's own coordinates.
QPoint TGLSurface::Pixel(const QMouseEvent* event) const {
  const qreal ratio = devicePixelRatioF();
  return {static_cast<int>(event->position().x() * ratio), static_cast<int>(event->position().y() * ratio)};
}

void TGLSurface::mousePressEvent(QMouseEvent* event) {
  const QPoint p = Pixel(event);
  if (OnMouseDown) OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TGLSurface::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = Pixel(event);
  if (OnMouseMove) OnMouseMove(event->modifiers(), p.x(), p.y());
}

void TGLSurface::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = Pixel(event);
  if (OnMouseUp) OnMouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TGLSurface::keyPressEvent(QKeyEvent* event) {
  if (OnKeyDown && !(event->modifiers() & Qt::KeypadModifier)) OnKeyDown(event->key());
  QOpenGLWidget::keyPressEvent(event);
}

void TGLSurface::wheelEvent(QWheelEvent* event) {
  const qreal ratio = devicePixelRatioF();
  const int delta = event->angleDelta().y();
  const QPointF p = event->position() * ratio;
  if (OnMouseWheel && delta != 0) OnMouseWheel(delta, static_cast<int>(p.x()), static_cast<int>(p.y()));
  event->accept();
}
