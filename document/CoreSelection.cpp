#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "model/Box.h"
#include "camera/Camera.h"
#include "document/Core.h"
#include "camera/Picking.h"

void TCore::ToggleNode(TNode* node, bool refresh) {
  if (!node) return;
  Nodes.Toggle(node);
  if (refresh) Changed(chProperties);
}

void TCore::ToggleSurface(TFace* face, bool refresh) {
  if (!face) return;
  Surfaces.Toggle(face);
  if (refresh) Changed(chProperties);
}

void TCore::ToggleVertex(TVertex* vertex, bool refresh) {
  if (!vertex) return;
  Vertices.Toggle(vertex);
  if (refresh) Changed(chProperties);
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
  if (toggled) Changed(chProperties);
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
  if (toggled) Changed(chProperties);
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
  if (toggled) Changed(chProperties);
  return toggled;
}

bool TCore::SelectAt(int sx, int sy, bool toggle, const TViewTransform& view) {
  TFaceHit hit;
  TVertex* vertex = nullptr;
  if (EditMode == emVertex)
    vertex = PickVertex(*Model, view, sx, sy, ClickRadius);
  else
    hit = PickFace(*Model, PickRay(view, sx + 0.5, sy + 0.5));
  switch (EditMode) {
    case emNode:
      if (!hit.Node) return false;
      if (!toggle) Nodes.Clear();
      ToggleNode(hit.Node, false);
      break;
    case emSurface:
      if (!hit.Face) return false;
      if (!toggle) Surfaces.Clear();
      ToggleSurface(hit.Face, false);
      break;
    case emVertex:
      if (!vertex) return false;
      if (!toggle) Vertices.Clear();
      ToggleVertex(vertex, false);
      break;
  }
  Changed(chProperties);
  return true;
}

TBox TCore::SelectionBox() const {
  TBox box;
  TVertices covered;
  GetSelectedVertices(covered);
  if (covered.Empty()) {
    for (const TNode* n : Model->Nodes)
      if (n->Mesh)
        for (const TVertex* v : n->Mesh->Vertices) box.Add(v->World);
    return box;
  }
  for (const TVertex* v : covered) box.Add(v->World);
  return box;
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

TSelectionState TakeSelectionState(const TCore& core) {
  TSelectionState s;
  const TModel& model = *core.Model;
  std::unordered_map<const TNode*, int> nodeIndex;
  std::unordered_map<const TMesh*, int> meshNode;
  for (int i = 0; i < model.Nodes.Count(); ++i) {
    nodeIndex.emplace(model.Nodes[i], i);
    if (model.Nodes[i]->Mesh) meshNode.emplace(model.Nodes[i]->Mesh.get(), i);
  }
  for (const TNode* n : core.Nodes) s.Nodes.push_back(nodeIndex.at(n));
  // A selection of a million faces mostly runs through one mesh after another: its node is
  // looked up once per run, and each face finds its index in the stamp its mesh gave it.
  const TMesh* lastMesh = nullptr;
  int lastNode = -1;
  const auto nodeOf = [&](const TMesh* mesh) {
    if (mesh != lastMesh) {
      lastNode = meshNode.at(mesh);
      lastMesh = mesh;
    }
    return lastNode;
  };
  s.Surfaces.reserve(static_cast<size_t>(core.Surfaces.Count()));
  for (const TFace* f : core.Surfaces) {
    const int node = nodeOf(f->Mesh);
    if (f->Mesh->IndexOfFace(f) < 0) f->Mesh->IndexFaces();
    s.Surfaces.emplace_back(node, f->Mesh->IndexOfFace(f));
  }
  s.Vertices.reserve(static_cast<size_t>(core.Vertices.Count()));
  for (const TVertex* v : core.Vertices) {
    const int node = nodeOf(v->Mesh);
    if (v->Mesh->IndexOfVertex(v) < 0) v->Mesh->IndexVertices();
    s.Vertices.emplace_back(node, v->Mesh->IndexOfVertex(v));
  }
  return s;
}

void RestoreSelectionState(TCore& core, const TSelectionState& selection) {
  core.ClearSelection();
  const TModel& model = *core.Model;
  const auto mesh = [&](int node) -> TMesh* {
    return node >= 0 && node < model.Nodes.Count() ? model.Nodes[node]->Mesh.get() : nullptr;
  };
  for (int i : selection.Nodes)
    if (i >= 0 && i < model.Nodes.Count()) core.Nodes.Add(model.Nodes[i]);
  for (auto [node, index] : selection.Surfaces)
    if (TMesh* m = mesh(node); m && index >= 0 && index < m->Surfaces.Count()) core.Surfaces.Add(m->Surfaces[index]);
  for (auto [node, index] : selection.Vertices)
    if (TMesh* m = mesh(node); m && index >= 0 && index < m->Vertices.Count()) core.Vertices.Add(m->Vertices[index]);
}
