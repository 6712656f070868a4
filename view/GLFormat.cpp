#include "view/GLFormat.h"

#include <QSurfaceFormat>

void UseCompatibilityGLFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  // Without it a version of 3.0 or later gives a core context, where legacy calls draw nothing.
  format.setOption(QSurfaceFormat::DeprecatedFunctions);
  format.setDepthBufferSize(24);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  QSurfaceFormat::setDefaultFormat(format);
}
