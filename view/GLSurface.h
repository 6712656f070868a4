#pragma once
#include <QOpenGLWidget>

class TGLArea;

// The OpenGL window inside the drawing area; it hands every event to its area.
class TGLSurface : public QOpenGLWidget {
  Q_OBJECT
 public:
  explicit TGLSurface(TGLArea& area);

  // The framebuffer already holds the newest frame; the next paint only shows it.
  bool FrameReady = false;

 protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QPoint Pixel(const QMouseEvent* event) const;
  TGLArea& Area;
};
