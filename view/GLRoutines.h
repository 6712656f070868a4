#pragma once
#include "camera/Camera.h"
#include "document/Core.h"
#include "model/Vector.h"

// The GL side of the cameras: every routine works on the current context. Window
// coordinates have a top-left origin unless said otherwise.

// Loads the projection and model-view of a camera for a window of the given size. Every
// view is orthographic; the shorter side spans -Z/2 world units so pixels stay square.
void SetupCamera(const TCameraRec& camera, int width, int height);
// Pixel units with the origin at the bottom-left, for overlays.
void Setup2D(int width, int height);
// Overlays draw unlit, untextured and unculled; the caller's state comes back in End2DState.
void Begin2DState();
void End2DState();
// Red X, green Y and blue Z axis of the given length from the origin.
void DrawAxes(float size);

// gluProject with the current matrices and viewport, in pixels of that viewport from its
// top-left corner (a pane of the four views has its own), truncated toward zero. False when
// the point cannot be projected.
bool WorldToScreen(double x, double y, double z, int& sx, int& sy);
// gluUnProject at window depth 0.5: the point under a pixel of the viewport (top-left origin)
// on the plane through the camera's pan point.
TVector ScreenToWorld(double sx, double sy);
// The current matrices and viewport, for the core's rectangle selection.
TViewTransform CurrentViewTransform();

void SetColor(const TCore& core, TCoreColor slot);
