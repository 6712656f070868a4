#pragma once
#include <QWidget>
#include <functional>
#include <string>

class TGLSurface;

// The drawing area: a panel that holds an OpenGL surface while it is active and shows a
// crossed placeholder in its background colour while it is not. Each frame is cleared,
// drawn by OnRender and timed; mouse and key input goes to the handlers below.
class TGLArea : public QWidget {
  Q_OBJECT
 public:
  explicit TGLArea(QWidget* parent);
  ~TGLArea() override;

  bool Active() const { return IsActive; }
  // True creates the GL context (OnInitGL runs in it); it stays false when no usable
  // context could be made. False destroys the context and everything in it.
  void SetActive(bool active);
  unsigned Color() const { return Background; }
  // Background as a 0x00BBGGRR value; the GL clear colour follows.
  void SetColor(unsigned color);
  // The same without drawing, for a caller that draws when it is ready.
  void SetBackground(unsigned color);
  float FPS() const { return Fps; }

  // Draws a frame now, before returning.
  void Repaint();
  // Makes the area's context current for GL work outside a frame; false while inactive.
  bool MakeCurrent();
  // Size of the drawing in framebuffer pixels, the unit of the mouse handlers' positions.
  int ClientWidth() const;
  int ClientHeight() const;
  // The GL surface while active (what the mouse and the keyboard talk to), else null.
  QWidget* Surface() const;
  QImage GrabFrame();

  std::string VendorString();
  std::string RendererString();
  std::string VersionString();
  std::string ExtensionsString();

  std::function<void()> OnInitGL;
  std::function<void()> OnRender;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int, int)> OnMouseDown;
  std::function<void(Qt::KeyboardModifiers, int, int)> OnMouseMove;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int, int)> OnMouseUp;
  std::function<void(int)> OnKeyDown;
  // A turn of the wheel in eighths of a degree (forward positive) at the pointer's position.
  std::function<void(int, int, int)> OnMouseWheel;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool CreateContext();
  void DestroyContext();
  void ContextReady();
  void PaintFrame();
  std::string GLText(unsigned name);

  TGLSurface* Gl = nullptr;
  bool IsActive = false;
  bool ContextOk = false;
  unsigned Background = 0;
  float Fps = 0;
};
