// The viewport frame's drawing: initial GL state, view modes and one frame.
#include <GL/gl.h>

#include <cstdio>

#include "view/Builder.h"
#include "view/GLArea.h"
#include "view/GLRoutines.h"
#include "view/ModelDrawing.h"
#include "view/PaneMarks.h"
#include "view/ViewModeState.h"

void TViewportFrame::glaMainInitGL() {
  InitDrawingState();
  // A new context holds no textures and no buffers.
  Textures.Forget(Core.Model->Materials);
  Buffers.Forget();
  Game.Forget();
  RebuildList = true;
}

void TViewportFrame::SetViewMode(int mode) {
  if (glaMain->MakeCurrent()) ApplyViewModeState(mode);
}

void TViewportFrame::glaMainRender() {
  const int w = glaMain->ClientWidth(), h = glaMain->ClientHeight();
  if (SetStatusPanel) {
    char fps[32];
    std::snprintf(fps, sizeof fps, "Fps %.2f", static_cast<double>(glaMain->FPS()));
    SetStatusPanel(2, QString::fromLatin1(fps));
  }
  const int current = CurrentCamera();
  if (RebuildList) {
    Textures.Sync(Core.Model->Materials);
    PrepareModel(Core);
    // Only the meshes that changed go to GL again; the Game mode draws from the model itself
    // but its selection from the buffers.
    Buffers.Sync(*Core.Model);
    Game.ModelChanged();
    bool gameShown = Cameras->Current().Rec.ViewMode == kGameViewMode;
    for (int i = 0; ShowFour && i < PaneCount; ++i) gameShown = gameShown || Cameras->Get(i).Rec.ViewMode == kGameViewMode;
    if (gameShown) Game.Release();
    RebuildList = false;
    ++Rebuilds;
  }
  if (!ShowFour) {
    DrawCamera(current, w, h);
    LastView = PaneViews[current];
    return;
  }
  // The gutters between the panes keep a neutral grey; each pane clears to its own background.
  glClearColor(0.35f, 0.35f, 0.35f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  for (int i = 0; i < PaneCount; ++i) {
    const TViewPane pane = FourViewPane(i, w, h);
    const int bottom = h - pane.Top - pane.Height;
    glViewport(pane.Left, bottom, pane.Width, pane.Height);
    glScissor(pane.Left, bottom, pane.Width, pane.Height);
    const TCameraRec& camera = Cameras->Get(i).Rec;
    const TColorRGB back = SystemColorToRGB(camera.Kind == 3 ? Core.Color3D : Core.Color2D);
    glClearColor(back.R, back.G, back.B, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyViewModeState(camera.ViewMode);
    DrawCamera(i, pane.Width, pane.Height);
    Setup2D(pane.Width, pane.Height);
    DrawPaneName(camera.Name, pane.Height, back.R, back.G, back.B);
    if (i == current) DrawActivePaneFrame(pane.Width, pane.Height);
  }
  glDisable(GL_SCISSOR_TEST);
  glViewport(0, 0, w, h);
  const TColorRGB back = SystemColorToRGB(glaMain->Color());
  glClearColor(back.R, back.G, back.B, 1.0f);
  // What the frame leaves set is what the current camera's mode needs.
  ApplyViewModeState(Cameras->Current().Rec.ViewMode);
  LastView = PaneViews[current];
}

void TViewportFrame::DrawCamera(int index, int w, int h) {
  TCameraRec& camera = Cameras->Get(index).Rec;
  // Edits and imports change the model's size without a reset of the cameras.
  camera.Extent = Core.Model->Radius;
  Setup2D(w, h);
  glTranslatef(15, 15, 0);
  glRotatef(static_cast<float>(camera.RotX), 1, 0, 0);
  glRotatef(static_cast<float>(camera.RotY), 0, 1, 0);
  glRotatef(static_cast<float>(camera.RotZ), 0, 0, 1);
  DrawAxes(15);
  glLoadIdentity();
  const bool active = index == CurrentCamera();
  if (active && Core.ToolMode == tmSelect && MouseDown && !CameraDrag) DrawSelectionRect(StartX, StartY, LastX, LastY);
  SetupCamera(camera, w, h);
  // Pointer positions are taken inside the pane, so the pane's own corner is the origin.
  TViewTransform& view = PaneViews[index];
  view = CurrentViewTransform();
  view.Viewport[0] = 0;
  view.Viewport[1] = 0;
  DrawGrid(Core, camera.Kind, w, h);
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
