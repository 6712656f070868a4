#pragma once
#include <string>

// An OpenGL compatibility context without any window system (Mesa's surfaceless EGL
// platform), current on this thread while the object lives, with a framebuffer of the given
// size: pictures are drawn by the same code as the window's views.
class TOffscreenContext {
 public:
  // Raises EInOutError, saying what failed, when no such context can be had.
  TOffscreenContext(int width, int height);
  ~TOffscreenContext();
  TOffscreenContext(const TOffscreenContext&) = delete;
  TOffscreenContext& operator=(const TOffscreenContext&) = delete;

 private:
  void* Display = nullptr;
  void* Surface = nullptr;
  void* Context = nullptr;
};
