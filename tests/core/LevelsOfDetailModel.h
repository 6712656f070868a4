#pragma once
#include <algorithm>
#include <vector>

#include "model/Model.h"

// Gives the model `sets` levels of detail in all, shaped like the game's characters: one
// hierarchy, and each set after the first a copy of it with fewer vertices (every mesh loses
// as many of its last vertices as the set's number, and the faces left with fewer than three
// corners) and a smaller shape. Set 0 is shown afterwards.
inline void MakeLevelsOfDetail(TModel& model, int sets) {
  model.ChooseGeoset(0);
  while (model.GeosetCount() < sets) {
    const int set = model.AddGeoset();
    for (TNode* n : model.Nodes) {
      TMesh* mesh = model.GeosetMesh(*n, set);
      if (!mesh) continue;
      std::vector<TVertex*> gone;
      for (int i = std::max(0, mesh->Vertices.Count() - set); i < mesh->Vertices.Count(); ++i) gone.push_back(mesh->Vertices[i]);
      mesh->DeleteVertices(gone);
      std::vector<TFace*> thin;
      for (TFace* f : mesh->Surfaces)
        if (f->Vertices.Count() < 3) thin.push_back(f);
      mesh->DeleteFaces(thin);
      const double shrink = 1 - 0.1 * set;
      for (TVertex* v : mesh->Vertices) v->Position = {v->Position.X * shrink, v->Position.Y * shrink, v->Position.Z * shrink};
      mesh->InvalidateNormals();
    }
  }
  model.ChooseGeoset(0);
}

// How many meshes each set holds, and their vertex counts in node order.
inline std::vector<std::vector<int>> SetShapes(const TModel& model) {
  std::vector<std::vector<int>> shapes(static_cast<size_t>(model.GeosetCount()));
  for (int set = 0; set < model.GeosetCount(); ++set)
    for (const TNode* n : model.Nodes)
      if (const TMesh* mesh = model.GeosetMesh(*n, set)) shapes[static_cast<size_t>(set)].push_back(mesh->Vertices.Count());
  return shapes;
}

// How many faces each set holds over all its meshes.
inline std::vector<int> FacesPerSet(const TModel& model) {
  std::vector<int> faces(static_cast<size_t>(model.GeosetCount()));
  for (int set = 0; set < model.GeosetCount(); ++set)
    for (const TNode* n : model.Nodes)
      if (const TMesh* mesh = model.GeosetMesh(*n, set)) faces[static_cast<size_t>(set)] += mesh->Surfaces.Count();
  return faces;
}
