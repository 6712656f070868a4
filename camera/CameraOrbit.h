#pragma once
#include "camera/Camera.h"
#include "model/Vector.h"

// The camera turned by the degrees (as an Alt drag turns the Free camera: about its X axis,
// then about the world's Z) and panned so that `centre` keeps its place in the window: the
// view orbits about that point instead of the camera's own origin. Every view is
// orthographic, so the point's depth does not matter and the zoom depth Z stays.
TCameraRec OrbitAbout(const TCameraRec& camera, const TVector& centre, double turnX, double turnZ);
