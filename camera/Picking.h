#pragma once
#include "camera/Camera.h"

class TFace;
class TModel;
class TNode;
class TVertex;

// What lies under the pointer, from the camera's matrices alone (no GL context), at the World
// positions the views draw.

struct TFaceHit {
  TNode* Node = nullptr;  // the node whose mesh holds the face
  TFace* Face = nullptr;  // null: the ray meets no face
  double T = 0;           // where along the ray
};

// The face the ray meets first between its T 0 and 1, seen from either side. A face of any
// number of corners counts as the fan of triangles from its first corner; faces of fewer
// than three corners cover nothing.
TFaceHit PickFace(const TModel& model, const TRay& ray);

// The vertex whose pixel (projected and truncated as the rectangle selection does) lies
// nearest to the pixel (sx, sy), within `radius` pixels; the first in model order on a tie.
TVertex* PickVertex(const TModel& model, const TViewTransform& view, int sx, int sy, int radius);
