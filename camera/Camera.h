#pragma once
#include <string>

#include "model/Vector.h"

// One camera of the viewport: pan (X, Y), depth and zoom (Z < 0, orthographic half-extent
// -Z/4), rotations about X, then Y, then Z in degrees.
struct TCameraRec {
  std::string Name;  // tab caption, at most 15 characters
  double X = 0, Y = 0, Z = -0.1;
  double RotX = 0, RotY = 0, RotZ = 0;
  bool Orthogonal = true;
  unsigned char ViewMode = 0;  // 0 wireframe, 1 shaded, 2 textured, 3 as the game draws
  unsigned char Kind = 0;      // 0 top, 1 front, 2 side, 3 free
  // The radius of the model shown: the view volume is made deep enough to hold all of it
  // at any zoom, so that a big model is never cut to a slab.
  double Extent = 0;
};

// Half the depth of a camera's view volume, which is centred on the eye: 100 for models of
// the game's size, more for a model (or a zoom) that would reach past that.
double ViewDepth(const TCameraRec& camera);

// The four default cameras: Top, Front, Side, Free.
const TCameraRec (&DefaultCameras())[4];

// The depth that fits a model of the given radius: the orthographic half-extent becomes the
// radius; a model without extent gets -0.5.
double FitDepth(double radius);
// The default record of camera `index` (0..3) with its depth fitted to the radius, as
// "Reset Cameras" leaves it, and the radius as its extent.
TCameraRec ResetCamera(int index, double radius);

// The matrices and viewport a camera gives a window of the given size, computed exactly as
// the GL calls of SetupCamera would leave them (column-major, as glGetDoublev returns
// them), so that projection and picking can run and be tested without a GL context.
// A window side below one pixel counts as one pixel.
struct TViewTransform {
  double Projection[16];
  double ModelView[16];
  int Viewport[4];  // x, y, width, height
};

TViewTransform MakeViewTransform(const TCameraRec& camera, int width, int height);
// gluProject, then truncation toward zero and a top-left origin (y = height - winY).
// False when the point cannot be projected (w = 0).
bool WorldToScreen(const TViewTransform& view, const TVector& world, int& sx, int& sy);
// gluUnProject at window depth 0.5 of a top-left-origin window point; the origin when the
// matrices cannot be inverted.
TVector ScreenToWorld(const TViewTransform& view, double sx, double sy);
// The points that a window point (top-left origin) covers, from the front of the view volume
// (T = 0) to its back (T = 1): Origin + T * Direction. A zero ray when the matrices cannot be
// inverted.
struct TRay {
  TVector Origin, Direction;
};
TRay PickRay(const TViewTransform& view, double sx, double sy);
bool PointInRect(int px, int py, int left, int top, int right, int bottom);
