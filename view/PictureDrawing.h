#pragma once
#include <cstdint>
#include <vector>

#include "camera/Camera.h"
#include "view/GameDrawing.h"

class TCore;

// One picture of the model as the window's view draws it through `camera` (its view mode
// included), without selection marks or grid, into the current context's framebuffer of
// width x height. Returns the RGB rows, top first.
std::vector<uint8_t> DrawPicture(TCore& core, const TCameraRec& camera, int width, int height, const TGameLight& light);
