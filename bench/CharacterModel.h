// A character of 40 nodes as the game's are put together, and animations that drive all of it.
#pragma once
#include <cmath>
#include <string>

#include "model/KeyAnimation.h"
#include "model/Model.h"

// Every node of the model driven through `frames` frames, an entry every 4 frames with
// position and rotation deltas, as the game's walk and run cycles are.
inline TKeyAnimation EveryNode(const TModel& model, int frames) {
  TKeyAnimation key;
  key.Frames = frames;
  key.Fps = 30;
  key.Joints = model.Nodes.Count();
  for (int i = 0; i < model.Nodes.Count(); ++i) {
    TKeyNode node;
    node.Index = i;
    node.MeshName = model.Nodes[i]->Name;
    for (int f = 0; f < frames; f += 4) {
      TKeyEntry e;
      e.Frame = f;
      e.Flags = 3;
      e.Position = model.Nodes[i]->Position;
      e.Rotation = {10 * std::sin(f * 0.2 + i), 5.0 * i, 3 * std::cos(f * 0.1)};
      e.DeltaPosition = {0.0001, 0, 0.0002};
      e.DeltaRotation = {1, -0.5, 0.25};
      node.Entries.push_back(e);
    }
    key.Nodes.push_back(std::move(node));
  }
  return key;
}

// A character as the game's are put together: a torso chain, head, arms and legs of several
// nodes each, 40 nodes in all, each mesh a closed band of 48 vertices (1,920 vertices).
inline void BuildCharacter(TModel& model) {
  for (int i = 0; i < 40; ++i) {
    TNode* node = model.AddNode();
    node->Name = "n" + std::to_string(i);
    // Five limbs of eight nodes each hang from the first node of the torso.
    if (i % 8 != 0) node->Parent = model.Nodes[i - 1];
    else if (i > 0) node->Parent = model.Nodes[0];
    node->Position = {0.01 * (i % 8), 0.002 * (i / 8), 0.02};
    node->Pivot = {0, 0, 0.001};
    TMesh* mesh = node->SetMesh(model.NewMesh());
    for (int r = 0; r < 4; ++r)
      for (int k = 0; k < 12; ++k)
        mesh->AddVertex()->Position = {0.005 * std::cos(k * 0.5236), 0.005 * std::sin(k * 0.5236), 0.004 * r};
    for (int r = 0; r + 1 < 4; ++r)
      for (int k = 0; k < 12; ++k) {
        TFace* f = mesh->AddFace();
        for (const int v : {r * 12 + k, r * 12 + (k + 1) % 12, (r + 1) * 12 + (k + 1) % 12, (r + 1) * 12 + k})
          f->AddVertex(mesh->Vertices[v]);
      }
  }
  model.Update();
}
