#include "model/WorldFrames.h"

#include <algorithm>

#include "model/Model.h"
#include "model/Radius.h"

TWorldFrames::TWorldFrames(const TModel& model, const TNodePose* pose)
    : Index(model), Forest(Index.Parents), Frames(static_cast<size_t>(model.Nodes.Count())) {
  for (const int i : Forest.Order) {  // parents come before their children
    const TNode& node = *model.Nodes[i];
    TFrame& f = Frames[static_cast<size_t>(i)];
    const bool posed = pose && static_cast<size_t>(i) < pose->size() && (*pose)[static_cast<size_t>(i)].Posed;
    const TVector& rotation = posed ? (*pose)[static_cast<size_t>(i)].Rotation : node.Rotation;
    f.Position = posed ? (*pose)[static_cast<size_t>(i)].Position : node.Position;
    f.Rotation = NodeRotation(rotation.X, rotation.Y, rotation.Z);
    f.Composed = f.Rotation;
    f.Moved = f.Offset = f.Position;
    if (const int p = Forest.Parent[static_cast<size_t>(i)]; p >= 0) {
      const TFrame& up = Frames[static_cast<size_t>(p)];
      MultiplyMatrix(f.Composed, up.Composed);
      f.Moved = TransformVector(up.Composed, f.Moved);
      AddVector(f.Moved, up.Moved);
      AddVector(f.Offset, up.Offset);
    }
  }
}

template <class F>
int TWorldFrames::ClimbStepwise(int node, F step) const {
  int a = Forest.Parent[static_cast<size_t>(node)];
  for (int steps = 0; a >= 0 && steps < kStepwiseAncestors; ++steps) {
    step(a);
    a = Forest.Parent[static_cast<size_t>(a)];
  }
  return a;
}

void TWorldFrames::Place(TMesh& mesh) const {
  const int own = Index.Of(mesh.Node);
  if (own < 0) {  // no node, or one outside the model: nothing above it is known
    mesh.ResetWorld();
    if (mesh.Node) mesh.ApplyNode(*mesh.Node, true);
    return;
  }
  // The steps the vertices go through, gathered first so that each vertex is visited once.
  struct TStep {
    const TMatrix* Rotation;
    const TVector* Move;
  };
  TStep steps[kStepwiseAncestors + 2];
  int count = 0;
  const TNode& node = *mesh.Node;
  mesh.WorldOffset = {};
  AddVector(mesh.WorldOffset, node.Pivot);
  const TFrame& ownFrame = Frames[static_cast<size_t>(own)];
  AddVector(mesh.WorldOffset, ownFrame.Position);
  steps[count++] = {&ownFrame.Rotation, &ownFrame.Position};
  const int rest = ClimbStepwise(own, [&](int a) {
    const TVector& position = Frames[static_cast<size_t>(a)].Position;
    AddVector(mesh.WorldOffset, position);
    steps[count++] = {&Frames[static_cast<size_t>(a)].Rotation, &position};
  });
  if (rest >= 0) {
    const TFrame& f = Frames[static_cast<size_t>(rest)];
    AddVector(mesh.WorldOffset, f.Offset);
    steps[count++] = {&f.Composed, &f.Moved};
  }
  for (TVertex* v : mesh.Vertices) {
    TVector& w = v->World;
    w = v->Position;
    AddVector(w, node.Pivot);
    for (int i = 0; i < count; ++i) {
      TransformVector(*steps[i].Rotation, w.X, w.Y, w.Z);
      AddVector(w, *steps[i].Move);
    }
  }
}

TVector TWorldFrames::NodePosition(const TNode& node) const {
  const int own = Index.Of(&node);
  if (own < 0) return node.Position;
  TVector w = Frames[static_cast<size_t>(own)].Position;
  const int rest = ClimbStepwise(own, [&](int a) {
    w = TransformVector(Frames[static_cast<size_t>(a)].Rotation, w);
    AddVector(w, Frames[static_cast<size_t>(a)].Position);
  });
  if (rest >= 0) {
    const TFrame& f = Frames[static_cast<size_t>(rest)];
    w = TransformVector(f.Composed, w);
    AddVector(w, f.Moved);
  }
  return w;
}

// The passes of the model and of one mesh, which place through the frames.

void TMesh::ResetWorld() {
  WorldOffset = {};
  for (TVertex* v : Vertices) v->World = v->Position;
}

void TMesh::ApplyNode(const TNode& node, bool own) {
  const TMatrix r = NodeRotation(node.Rotation.X, node.Rotation.Y, node.Rotation.Z);
  if (own) AddVector(WorldOffset, node.Pivot);
  AddVector(WorldOffset, node.Position);
  for (TVertex* v : Vertices) {
    if (own) AddVector(v->World, node.Pivot);
    TransformVector(r, v->World.X, v->World.Y, v->World.Z);
    AddVector(v->World, node.Position);
  }
}

void TMesh::UpdateWorld() {
  if (Model) {
    TWorldFrames(*Model).Place(*this);
  } else {
    ResetWorld();
    if (Node) ApplyNode(*Node, true);
  }
}

void TModel::UpdateWorld() {
  const TWorldFrames frames(*this);
  for (TNode* n : Nodes)
    if (n->Mesh) frames.Place(*n->Mesh);
}

void TModel::Update() {
  UpdateWorld();
  float radius = 0;
  for (TNode* n : Nodes) {
    if (!n->Mesh) continue;
    n->Mesh->InvalidateNormals();
    // Same value as the radius of all gathered vertices, without gathering them.
    radius = std::max(radius, CalcRadius(n->Mesh->Vertices, true));
  }
  // The radius holds every level of detail, so a file does not depend on the one shown, and
  // every set's normals follow its corners, whichever set a command last changed.
  if (Geosets > 1) {
    const TWorldFrames frames(*this);
    for (TNode* n : Nodes)
      for (const auto& mesh : n->OtherSets)
        if (mesh) {
          mesh->InvalidateNormals();
          frames.Place(*mesh);
          radius = std::max(radius, CalcRadius(mesh->Vertices, true));
        }
  }
  Radius = radius;
}

void PlacePosed(TModel& model, const TNodePose& pose) {
  const TWorldFrames frames(model, &pose);
  for (TNode* n : model.Nodes)
    if (n->Mesh) frames.Place(*n->Mesh);
}

TVector TModel::NodeWorldPosition(const TNode& node) const { return TWorldFrames(*this).NodePosition(node); }
