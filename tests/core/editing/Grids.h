#pragma once
// Flat grids of faces built by hand, for the commands that lower, fit and count many faces.

#include "tests/core/TestCore.h"

// A grid of cols x rows cells 0.01 high and `width` times 0.01 wide in the z = 0 plane, each
// one face through every vertex on its edges (a quad for width 1, a hexagon for 2), or two
// triangles when `split`. Texture coordinates follow the positions, so only the outline is a
// border.
inline TNode* AddGrid(TModel& model, const std::string& name, int cols, int rows, int width = 1, bool split = false) {
  TNode* node = AddMeshNode(model, name);
  TMesh& mesh = *node->Mesh;
  const int across = cols * width + 1;
  for (int y = 0; y <= rows; ++y)
    for (int x = 0; x < across; ++x) mesh.AddVertex()->Position = {x * 0.01, y * 0.01, 0};
  const auto face = [&](const std::vector<int>& corners) {
    TFace* f = mesh.AddFace();
    for (int v : corners) {
      const TVector& p = mesh.Vertices[v]->Position;
      f->TXVertices[f->AddVertex(mesh.Vertices[v])] = {static_cast<float>(p.X * 100), static_cast<float>(p.Y * 100)};
    }
  };
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < cols; ++x) {
      std::vector<int> corners;
      for (int k = 0; k <= width; ++k) corners.push_back(y * across + x * width + k);
      for (int k = width; k >= 0; --k) corners.push_back((y + 1) * across + x * width + k);
      if (split) {
        face({corners[0], corners[1], corners[2]});
        face({corners[0], corners[2], corners[3]});
      } else {
        face(corners);
      }
    }
  return node;
}
