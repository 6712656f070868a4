#include "view/ViewModeState.h"

#include <GL/gl.h>

#include "view/GameDrawing.h"

void ApplyViewModeState(int mode) {
  switch (mode) {
    case 0:
      glEnable(GL_COLOR_MATERIAL);
      glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
      glDisable(GL_CULL_FACE);
      glDisable(GL_LIGHTING);
      glDisable(GL_LIGHT0);
      glDisable(GL_TEXTURE_2D);
      break;
    case 1:
      glEnable(GL_COLOR_MATERIAL);
      glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
      glEnable(GL_CULL_FACE);
      glEnable(GL_LIGHTING);
      glEnable(GL_LIGHT0);
      glDisable(GL_TEXTURE_2D);
      break;
    case 2:
    case kGameViewMode:  // which sets what it needs as it draws
      glEnable(GL_CULL_FACE);
      glDisable(GL_COLOR_MATERIAL);
      glDisable(GL_LIGHTING);
      glDisable(GL_LIGHT0);
      glEnable(GL_TEXTURE_2D);
      break;
    default:
      break;
  }
}

void InitDrawingState() {
  glEnable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glShadeModel(GL_FLAT);
  ApplyViewModeState(0);
  const GLfloat ambient[] = {0.4f, 0.4f, 0.4f, 1.0f};
  const GLfloat diffuse[] = {0.5f, 0.5f, 0.5f, 1.0f};
  const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  glPointSize(3.0f);
}
