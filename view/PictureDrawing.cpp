#include "view/PictureDrawing.h"

#include <GL/gl.h>

#include <cstring>

#include "document/Core.h"
#include "view/GLRoutines.h"
#include "view/MeshBuffers.h"
#include "view/ModelDrawing.h"
#include "view/Textures.h"
#include "view/ViewModeState.h"

std::vector<uint8_t> DrawPicture(TCore& core, const TCameraRec& camera, int width, int height, const TGameLight& light) {
  glViewport(0, 0, width, height);
  InitDrawingState();
  // The window's backgrounds: one for the three axis views, one for the free view.
  const TColorRGB background = SystemColorToRGB(camera.Kind == 3 ? core.Color3D : core.Color2D);
  glClearColor(background.R, background.G, background.B, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetupCamera(camera, width, height);
  ApplyViewModeState(camera.ViewMode);
  TTextureCache textures;
  textures.Sync(core.Model->Materials);
  PrepareModel(core);
  TGameDrawing game;
  TMeshBuffers buffers;
  if (camera.ViewMode == kGameViewMode) {
    game.Draw(core, light);
  } else {
    buffers.Sync(*core.Model);
    DrawGeometry(core, buffers, camera.ViewMode);
  }
  glFinish();
  const size_t row = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> bottomUp(row * static_cast<size_t>(height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  game.Release();
  buffers.Release();
  textures.Forget(core.Model->Materials);  // the textures go with the picture's context
  std::vector<uint8_t> rows(bottomUp.size());
  for (int y = 0; y < height; ++y)
    std::memcpy(&rows[row * static_cast<size_t>(y)], &bottomUp[row * static_cast<size_t>(height - 1 - y)], row);
  return rows;
}
