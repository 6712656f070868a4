#pragma once
#include <string>

#include "model/Model.h"

// `count` nodes in one parent chain, each holding a one-triangle mesh. Forward, each node is
// the parent of the next (the first is the root); reversed, each node is the parent of the
// one before it (the last is the root), the order that makes a tree fill wait on every node.
inline void BuildChain(TModel& model, int count, bool reversed) {
  for (int i = 0; i < count; ++i) {
    TNode* node = model.AddNode();
    node->Name = "n" + std::to_string(i);
    node->Position = {0.01, 0, 0};
    node->Rotation = {0.1, 0.2, 0.3};
    TMesh* mesh = node->SetMesh(model.NewMesh());
    mesh->Name = "m" + std::to_string(i);
    TFace* face = mesh->AddFace();
    for (const TVector& p : {TVector{0, 0, 0}, TVector{1, 0, 0}, TVector{0, 1, 0}}) {
      TVertex* v = mesh->AddVertex();
      v->Position = p;
      face->AddVertex(v);
    }
  }
  for (int i = 1; i < count; ++i) {
    if (reversed)
      model.Nodes[i - 1]->Parent = model.Nodes[i];
    else
      model.Nodes[i]->Parent = model.Nodes[i - 1];
  }
}
