#pragma once
#include <GL/gl.h>

#include <vector>

#include "document/Core.h"

// Points or lines handed to GL from arrays a batch at a time: a million of them cost one call
// per batch rather than one per corner, and no more memory than a batch.
class TGLBatch {
 public:
  explicit TGLBatch(GLenum mode) : Mode(mode) {}
  void Add(const TVector& p) {
    Xyz.insert(Xyz.end(), {static_cast<float>(p.X), static_cast<float>(p.Y), static_cast<float>(p.Z)});
    if (Xyz.size() >= kBatch) Flush();
  }
  void Add(const TVector& p, const TColorRGB& c) {
    Rgb.insert(Rgb.end(), {c.R, c.G, c.B});
    Add(p);
  }
  void Flush() {
    if (Xyz.empty()) return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, Xyz.data());
    if (!Rgb.empty()) {
      glEnableClientState(GL_COLOR_ARRAY);
      glColorPointer(3, GL_FLOAT, 0, Rgb.data());
    }
    glDrawArrays(Mode, 0, static_cast<GLsizei>(Xyz.size() / 3));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    Xyz.clear();
    Rgb.clear();
  }

 private:
  static constexpr size_t kBatch = 3 * 65536;
  GLenum Mode;
  std::vector<float> Xyz, Rgb;
};
