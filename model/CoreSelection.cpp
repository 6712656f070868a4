#include <algorithm>
#include <unordered_set>

#include "model/Camera.h"
#include "model/Core.h"

void TCore::ToggleNode(TNode* node, bool refresh) {
  if (!node) return;
  Nodes.Toggle(node);
  if (refresh) Services.UpdateProperties();
}

void TCore::ToggleSurface(TFace* face, bool refresh) {
  if (!face) return;
  Surfaces.Toggle(face);
  if (refresh) Services.UpdateProperties();
}

void TCore::ToggleVertex(TVertex* vertex, bool refresh) {
  if (!vertex) return;
  Vertices.Toggle(vertex);
  if (refresh) Services.UpdateProperties();
}

namespace {

// The pixel rectangle of a drag, normalised once, with the projection it tests against.
class TRectTest {
 public:
  TRectTest(int x1, int y1, int x2, int y2, const TViewTransform& view)
      : Left(std::min(x1, x2)), Top(std::min(y1, y2)), Right(std::max(x1, x2)), Bottom(std::max(y1, y2)),
        View(view) {}

  bool Inside(const TVertex* vertex) const {
    int sx = 0, sy = 0;
    return vertex && WorldToScreen(View, vertex->World, sx, sy) && PointInRect(sx, sy, Left, Top, Right, Bottom);
  }

  // True when the face has a corner and every corner is inside; stops at the first outside.
  bool FaceInside(const TFace& face, bool& hasCorner) const {
    for (const TVertex* vertex : face.Vertices) {
      hasCorner = true;
      if (!Inside(vertex)) return false;
    }
    return true;
  }

 private:
  int Left, Top, Right, Bottom;
  const TViewTransform& View;
};

}  // namespace

int TCore::SelectNodesInRect(int x1, int y1, int x2, int y2, const TViewTransform& view) {
  const TRectTest rect(x1, y1, x2, y2, view);
  int toggled = 0;
  for (TNode* node : Model->Nodes) {
    if (!node->Mesh) continue;
    bool hasCorner = false, inside = true;
    for (const TFace* face : node->Mesh->Surfaces)
      if (!rect.FaceInside(*face, hasCorner)) {
        inside = false;
        break;
      }
    if (hasCorner && inside) {
      ToggleNode(node, false);
      ++toggled;
    }
  }
  if (toggled) Services.UpdateProperties();
  return toggled;
}

int TCore::SelectSurfacesInRect(int x1, int y1, int x2, int y2, const TViewTransform& view) {
  const TRectTest rect(x1, y1, x2, y2, view);
  int toggled = 0;
  for (TNode* node : Model->Nodes) {
    if (!node->Mesh) continue;
    for (TFace* face : node->Mesh->Surfaces) {
      bool hasCorner = false;
      if (rect.FaceInside(*face, hasCorner) && hasCorner) {
        ToggleSurface(face, false);
        ++toggled;
      }
    }
  }
  if (toggled) Services.UpdateProperties();
  return toggled;
}

int TCore::SelectVerticesInRect(int x1, int y1, int x2, int y2, const TViewTransform& view) {
  const TRectTest rect(x1, y1, x2, y2, view);
  int toggled = 0;
  for (TNode* node : Model->Nodes) {
    if (!node->Mesh) continue;
    for (TVertex* vertex : node->Mesh->Vertices)
      if (rect.Inside(vertex)) {
        ToggleVertex(vertex, false);
        ++toggled;
      }
  }
  if (toggled) Services.UpdateProperties();
  return toggled;
}

void TCore::GetSelectedVertices(TVertices& list) const {
  list.Clear();
  switch (EditMode) {
    case emNode:
      for (const TNode* node : Nodes)
        if (node->Mesh)
          for (TVertex* vertex : node->Mesh->Vertices) list.Add(vertex);
      break;
    case emSurface: {
      std::unordered_set<const TVertex*> seen;
      for (const TFace* face : Surfaces)
        for (TVertex* vertex : face->Vertices)
          if (seen.insert(vertex).second) list.Add(vertex);
      break;
    }
    case emVertex:
      for (TVertex* vertex : Vertices) list.Add(vertex);
      break;
  }
}

void TCore::GetSelectedSurfaces(TSurfaces& list) const {
  list.Clear();
  switch (EditMode) {
    case emNode:
      for (const TNode* node : Nodes)
        if (node->Mesh)
          for (TFace* face : node->Mesh->Surfaces) list.Add(face);
      break;
    case emSurface:
      for (TFace* face : Surfaces) list.Add(face);
      break;
    case emVertex:
      break;
  }
}
