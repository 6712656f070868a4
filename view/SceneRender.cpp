// The viewport frame's drawing: initial GL state, view modes and one frame.
#include <GL/gl.h>

#include <cstdio>

#include "view/Builder.h"
#include "view/GLArea.h"
#include "view/GLRoutines.h"
#include "view/ModelDrawing.h"

void TfraBuilder::glaMainInitGL() {
  glEnable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glShadeModel(GL_FLAT);
  SetViewMode(0);
  const GLfloat ambient[] = {0.4f, 0.4f, 0.4f, 1.0f};
  const GLfloat diffuse[] = {0.5f, 0.5f, 0.5f, 1.0f};
  const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  glPointSize(3.0f);
  DisplayList = glGenLists(2);
  MarksList = DisplayList + 1;
  // A new context holds no textures and no compiled model.
  Textures.Forget(Core.Model->Materials);
  RebuildList = true;
}

void TfraBuilder::SetViewMode(int mode) {
  if (!glaMain->MakeCurrent()) return;
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

void TfraBuilder::glaMainRender() {
  const int w = glaMain->ClientWidth(), h = glaMain->ClientHeight();
  if (SetStatusPanel) {
    char fps[32];
    std::snprintf(fps, sizeof fps, "Fps %.2f", static_cast<double>(glaMain->FPS()));
    SetStatusPanel(2, QString::fromLatin1(fps));
  }
  const TCameraRec& camera = Cameras->Current().Rec;
  Setup2D(w, h);
  glTranslatef(15, 15, 0);
  glRotatef(static_cast<float>(camera.RotX), 1, 0, 0);
  glRotatef(static_cast<float>(camera.RotY), 0, 1, 0);
  glRotatef(static_cast<float>(camera.RotZ), 0, 0, 1);
  DrawAxes(15);
  glLoadIdentity();
  if (Core.ToolMode == tmSelect && MouseDown && !CameraDrag) DrawSelectionRect(StartX, StartY, LastX, LastY);
  SetupCamera(camera, w, h);
  LastView = CurrentViewTransform();
  DrawGrid(Core, camera.Kind, w, h);
  if (RebuildList) {
    Textures.Sync(Core.Model->Materials);
    PrepareModel(Core);
  }
  const TMarksKey marks{Core.Nodes.Version(), Core.Surfaces.Version(), Core.EditMode, camera.ViewMode};
  if (RebuildList || marks != MarksDrawn) {
    glNewList(MarksList, GL_COMPILE_AND_EXECUTE);
    DrawSelectionMarks(Core, camera.ViewMode);
    glEndList();
    MarksDrawn = marks;
  } else {
    glCallList(MarksList);
  }
  // Compiling a million points anew at every change of the selection would cost more than
  // drawing them straight from arrays in every frame.
  if (Core.EditMode == emVertex) DrawVertexPoints(Core);
  if (RebuildList) {
    glNewList(DisplayList, GL_COMPILE_AND_EXECUTE);
    DrawGeometry(Core, camera.ViewMode);
    RebuildList = false;
    glEndList();
    ++Rebuilds;
  } else {
    glCallList(DisplayList);
  }
}
