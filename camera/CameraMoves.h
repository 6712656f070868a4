#pragma once
#include "model/Box.h"
#include "camera/Camera.h"

// Camera moves of the views that keep something in place, worked out from the same
// projection the views draw with, so that they run and are tested without a GL context.

// The factor a turn of the mouse wheel applies to the camera's zoom depth Z: one notch (120
// units) forward shows the picture 1.25 times larger, backward as much smaller; finer wheels
// in proportion.
double WheelZoomFactor(int angleDelta);

// The camera zoomed by the factor (below 1 zooms in) and panned so that the world under the
// window point (sx, sy), top-left origin, stays under it in a window of the given size. Every
// view is orthographic, so this holds exactly. The zoom stops at the nearest depth the zoom
// drag resets to; a camera zoomed beyond itself (Z >= 0) comes back to that depth.
TCameraRec ZoomAtPoint(const TCameraRec& camera, int width, int height, double sx, double sy, double factor);

// The camera panned so that the box's centre is in the middle of the window and zoomed so
// that all eight corners lie inside it with a margin; its rotation is kept. A box without
// extent across the view only pans; an empty box changes nothing.
TCameraRec FitCameraToBox(const TCameraRec& camera, int width, int height, const TBox& box);
