#pragma once
#include <QOpenGLWidget>
#include <functional>

// The OpenGL window inside the drawing area; it hands every event to the handlers below,
// which its area sets. Positions are in framebuffer pixels.
class TGLSurface : public QOpenGLWidget {
  Q_OBJECT
 public:
  explicit TGLSurface(QWidget* parent);

  std::function<void()> OnInitGL;
  // Draws a frame into the framebuffer.
  std::function<void()> OnPaint;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int, int)> OnMouseDown;
  std::function<void(Qt::KeyboardModifiers, int, int)> OnMouseMove;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int, int)> OnMouseUp;
  std::function<void(int)> OnKeyDown;
  std::function<void(int, int, int)> OnMouseWheel;

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
};
