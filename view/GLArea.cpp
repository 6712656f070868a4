#include "view/GLArea.h"

#include <GL/gl.h>

#include <QOpenGLContext>
#include <QPainter>
#include <QVBoxLayout>
#include <chrono>

#include "document/Core.h"
#include "view/GLSurface.h"

TGLArea::TGLArea(QWidget* parent) : QWidget(parent) {
  setObjectName("glaMain");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);  // the single border
  resize(100, 100);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TGLArea::~TGLArea() { SetActive(false); }

void TGLArea::SetActive(bool active) {
  if (active == IsActive) return;
  IsActive = active;
  if (active) {
    if (!CreateContext()) {
      IsActive = false;
      update();
    }
  } else {
    DestroyContext();
  }
}

bool TGLArea::CreateContext() {
  DestroyContext();
  ContextOk = false;
  Gl = new TGLSurface(this);
  // The handlers are looked up at each event: they may be set after the context is made.
  Gl->OnInitGL = [this] { ContextReady(); };
  Gl->OnPaint = [this] { PaintFrame(); };
  Gl->OnMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y) {
    if (OnMouseDown) OnMouseDown(button, mods, x, y);
  };
  Gl->OnMouseMove = [this](Qt::KeyboardModifiers mods, int x, int y) {
    if (OnMouseMove) OnMouseMove(mods, x, y);
  };
  Gl->OnMouseUp = [this](Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y) {
    if (OnMouseUp) OnMouseUp(button, mods, x, y);
  };
  Gl->OnKeyDown = [this](int key) {
    if (OnKeyDown) OnKeyDown(key);
  };
  Gl->OnMouseWheel = [this](int delta, int x, int y) {
    if (OnMouseWheel) OnMouseWheel(delta, x, y);
  };
  layout()->addWidget(Gl);
  Gl->show();
  // The surface makes its context when it is first laid out on screen; a hidden area
  // gets it at its first showing, and can only be judged from then on.
  if (!isVisible()) return true;
  Gl->grabFramebuffer();
  if (ContextOk) return true;
  DestroyContext();
  return false;
}

void TGLArea::DestroyContext() {
  if (!Gl) return;
  delete Gl;  // takes its context and everything in it
  Gl = nullptr;
  ContextOk = false;
  update();
}

void TGLArea::ContextReady() {
  const QOpenGLContext* context = QOpenGLContext::currentContext();
  // Legacy drawing draws nothing in a core-profile context, so such a context is no use.
  ContextOk = context && context->isValid() && context->format().profile() != QSurfaceFormat::CoreProfile;
  if (!ContextOk) {
    // Only an area that was hidden when activated gets here; it gives up as it would have
    // at once, once the surface has finished its own initialisation.
    QMetaObject::invokeMethod(this, [this] { SetActive(false); }, Qt::QueuedConnection);
    return;
  }
  const TColorRGB c = SystemColorToRGB(Background);
  glClearColor(c.R, c.G, c.B, 1.0f);
  if (OnInitGL) OnInitGL();
}

void TGLArea::SetColor(unsigned color) {
  SetBackground(color);
  Repaint();
}

void TGLArea::SetBackground(unsigned color) {
  Background = color;
  if (MakeCurrent()) {
    const TColorRGB c = SystemColorToRGB(color);
    glClearColor(c.R, c.G, c.B, 1.0f);
  }
}

bool TGLArea::MakeCurrent() {
  if (!Gl || !ContextOk) return false;
  Gl->makeCurrent();
  return true;
}

void TGLArea::Repaint() {
  if (!Gl || !ContextOk) {
    repaint();
    return;
  }
  // Qt may defer a widget repaint to the next composition, but a redraw request must have
  // drawn (and consumed its rebuild) before it returns: draw into the surface's framebuffer
  // now and let the next composition show it.
  Gl->makeCurrent();
  PaintFrame();
  Gl->FrameReady = true;
  Gl->update();
}

void TGLArea::PaintFrame() {
  if (!ContextOk) return;
  const auto start = std::chrono::steady_clock::now();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (OnRender) OnRender();
  glFinish();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  Fps = ms > 0 ? static_cast<float>(1000.0 / ms) : 0.0f;
}

void TGLArea::paintEvent(QPaintEvent*) {
  if (Gl && ContextOk) return;
  QPainter p(this);
  const TColorRGB c = SystemColorToRGB(Background);
  p.fillRect(rect(), QColor::fromRgbF(c.R, c.G, c.B));
  p.setPen(Qt::black);
  p.drawLine(0, 0, width(), height());
  p.drawLine(width(), 0, 0, height());
}

int TGLArea::ClientWidth() const {
  return Gl ? static_cast<int>(Gl->width() * Gl->devicePixelRatioF()) : width();
}
int TGLArea::ClientHeight() const {
  return std::max(1, Gl ? static_cast<int>(Gl->height() * Gl->devicePixelRatioF()) : height());
}
QWidget* TGLArea::Surface() const { return Gl; }
QImage TGLArea::GrabFrame() { return Gl && ContextOk ? Gl->grabFramebuffer() : grab().toImage(); }

std::string TGLArea::GLText(unsigned name) {
  if (!MakeCurrent()) return {};
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text ? text : "";
}

std::string TGLArea::VendorString() { return GLText(GL_VENDOR); }
std::string TGLArea::RendererString() { return GLText(GL_RENDERER); }
std::string TGLArea::VersionString() { return GLText(GL_VERSION); }
std::string TGLArea::ExtensionsString() { return GLText(GL_EXTENSIONS); }
