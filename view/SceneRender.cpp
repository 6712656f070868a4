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
  // A new context holds no textures and no buffers.
  Textures.Forget(Core.Model->Materials);
  Buffers.Forget();
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
  TCameraRec& camera = Cameras->Current().Rec;
  // Edits and imports change the model's size without a reset of the cameras.
  camera.Extent = Core.Model->Radius;
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
    // Only the meshes that changed go to GL again; the Game mode draws from the model itself
    // but its selection from the buffers.
    Buffers.Sync(*Core.Model);
    if (camera.ViewMode == kGameViewMode) Game.Release();
    RebuildList = false;
    ++Rebuilds;
  }
  if (camera.ViewMode == kGameViewMode) {
    // Drawn anew in every frame, as its light and culling follow the camera.
    Game.Draw(Core, GameLight);
  } else if (camera.ViewMode == 0) {
    SetColor(Core, ccGeometry);
    Overlay.DrawUnselectedEdges(Core, Buffers);
  } else {
    DrawGeometry(Core, Buffers, camera.ViewMode);
  }
  Overlay.Draw(Core, Buffers);
  // Points change colour with every change of the vertex selection, which costs less drawn
  // straight from arrays than uploaded.
  if (Core.EditMode == emVertex) DrawVertexPoints(Core);
}
