#pragma once

// The GL state each view mode draws with (0 wireframe, 1 shaded, 2 textured, 3 game), for the
// window and for pictures drawn without one. Needs a context current.
void ApplyViewModeState(int mode);

// The state every frame starts from: depth test, flat shading, the shaded mode's light and
// the wireframe mode.
void InitDrawingState();
