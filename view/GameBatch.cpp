#include "view/GameBatch.h"

#include <GL/gl.h>


TGameBatch::TGameBatch(std::vector<TGameCorner>& store) : Corners(store) {
  Corners.clear();
  Corners.reserve(kRunCorners);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

TGameBatch::~TGameBatch() {
  Flush();
  glPopClientAttrib();
}

void TGameBatch::AddFace(TGameShape shape, unsigned texture, const TGameCorner* corners, int count) {
  if (count <= 0) return;
  if (shape != Shape || texture != Texture || Corners.size() >= kRunCorners) {
    Flush();
    Shape = shape;
    Texture = texture;
  }
  // Room first, then plain stores: a million faces make this the batch's hot loop.
  const size_t at = Corners.size();
  switch (shape) {
    case TGameShape::Points:
      Corners.insert(Corners.end(), corners, corners + count);
      break;
    case TGameShape::Outline: {
      if (count < 2) break;
      Corners.resize(at + 2 * static_cast<size_t>(count));
      TGameCorner* out = &Corners[at];
      for (int i = 0; i < count; ++i) {
        *out++ = corners[i];
        *out++ = corners[(i + 1) % count];
      }
      break;
    }
    case TGameShape::Filled: {
      if (count < 3) break;
      Corners.resize(at + 3 * static_cast<size_t>(count - 2));
      TGameCorner* out = &Corners[at];
      for (int i = 1; i + 1 < count; ++i) {
        *out++ = corners[0];
        *out++ = corners[i];
        *out++ = corners[i + 1];
      }
      break;
    }
  }
}

void TGameBatch::Flush() {
  if (Corners.empty()) return;
  if (Texture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Texture);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  constexpr GLsizei stride = sizeof(TGameCorner);
  glTexCoordPointer(2, GL_FLOAT, stride, &Corners[0].S);
  glColorPointer(4, GL_FLOAT, stride, &Corners[0].R);
  glVertexPointer(3, GL_FLOAT, stride, &Corners[0].X);
  const GLenum primitive = Shape == TGameShape::Points ? GL_POINTS : Shape == TGameShape::Outline ? GL_LINES : GL_TRIANGLES;
  glDrawArrays(primitive, 0, static_cast<GLsizei>(Corners.size()));
  Corners.clear();
}
