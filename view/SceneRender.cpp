// The viewport frame's drawing: initial GL state, view modes and one frame.
#include <GL/gl.h>

#include <cstdio>

#include "view/Builder.h"
#include "view/GLArea.h"
#include "view/GLRoutines.h"
#include "view/ModelDrawing.h"
#include "view/ViewModeState.h"

void TfraBuilder::glaMainInitGL() {
  InitDrawingState();
  DisplayList = glGenLists(2);
  MarksList = DisplayList + 1;
  // A new context holds no textures and no compiled model.
  Textures.Forget(Core.Model->Materials);
  Game.Forget();
  RebuildList = true;
}

void TfraBuilder::SetViewMode(int mode) {
  if (glaMain->MakeCurrent()) ApplyViewModeState(mode);
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
  if (camera.ViewMode == kGameViewMode) {
    // Drawn anew in every frame, as its light and culling follow the camera; the display
    // list is compiled when another mode is chosen, which rebuilds.
    if (RebuildList) {
      Game.Release();
      RebuildList = false;
      ++Rebuilds;
    }
    Game.Draw(Core, GameLight);
  } else if (RebuildList) {
    glNewList(DisplayList, GL_COMPILE_AND_EXECUTE);
    DrawGeometry(Core, camera.ViewMode);
    RebuildList = false;
    glEndList();
    ++Rebuilds;
  } else {
    glCallList(DisplayList);
  }
}
