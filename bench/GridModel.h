#pragma once
#include <cmath>
#include <cstdint>
#include <memory>

#include "model/Model.h"

// A wavy grid of side x side vertices in one mesh, two nodes deep, quads split into
// triangles half the time so that faces number about as many as vertices.
inline void BuildGrid(TModel& model, int side) {
  TNode* root = model.AddNode();
  root->Name = "root";
  TNode* node = model.AddNode();
  node->Name = "grid";
  node->Parent = root;
  node->Position = {0.1, 0.2, 0.3};
  node->Rotation = {10, 20, 30};
  TMesh* mesh = node->SetMesh(model.NewMesh());
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      mesh->AddVertex()->Position = {x * 0.01, y * 0.01, 0.002 * std::sin(x * 0.3) * std::cos(y * 0.2)};
  for (int y = 0; y + 1 < side; ++y)
    for (int x = 0; x + 1 < side; ++x) {
      TVertex* a = mesh->Vertices[y * side + x];
      TVertex* b = mesh->Vertices[y * side + x + 1];
      TVertex* c = mesh->Vertices[(y + 1) * side + x + 1];
      TVertex* d = mesh->Vertices[(y + 1) * side + x];
      TFace* f = mesh->AddFace();
      for (TVertex* v : {a, b, c, d}) f->AddVertex(v);
      for (int k = 0; k < 4; ++k) f->TXVertices[k] = {static_cast<float>(x + (k == 1 || k == 2)), static_cast<float>(y + (k >= 2))};
    }
  model.Update();
}

inline int SideFor(int64_t vertices) { return static_cast<int>(std::lround(std::sqrt(static_cast<double>(vertices)))); }

