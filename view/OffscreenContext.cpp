#include "view/OffscreenContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>

#include "model/Errors.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw EInOutError("No OpenGL for drawing offscreen: " + what + " (EGL error 0x" + [] {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(eglGetError()));
    return std::string(hex);
  }() + ")");
}

}  // namespace

TOffscreenContext::TOffscreenContext(int width, int height) {
  const auto getDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getDisplay) Fail("eglGetPlatformDisplayEXT is missing");
  EGLDisplay display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) Fail("no surfaceless display");
  Display = display;
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configs = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configs) || configs < 1) {
    eglTerminate(display);
    Fail("no pbuffer configuration with a depth buffer");
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE) {
    eglTerminate(display);
    Fail("no pbuffer of " + std::to_string(width) + " x " + std::to_string(height));
  }
  Surface = surface;
  eglBindAPI(EGL_OPENGL_API);
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                      EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context)) {
    if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
    eglDestroySurface(display, surface);
    eglTerminate(display);
    Fail("no compatibility-profile context");
  }
  Context = context;
}

TOffscreenContext::~TOffscreenContext() {
  eglMakeCurrent(Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(Display, Context);
  eglDestroySurface(Display, Surface);
  eglTerminate(Display);
}
