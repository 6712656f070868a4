#pragma once
// What the tests share: near-equality of vectors, small meshes built by hand, and the
// message an exception carries.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "model/Model.h"
#include "formats/ThreeDo.h"

inline void ExpectNear(const TVector& v, double x, double y, double z, double tolerance = 1e-6) {
  EXPECT_NEAR(v.X, x, tolerance);
  EXPECT_NEAR(v.Y, y, tolerance);
  EXPECT_NEAR(v.Z, z, tolerance);
}

inline void ExpectNear(const TVector& got, const TVector& want, double tolerance = 1e-6) {
  ExpectNear(got, want.X, want.Y, want.Z, tolerance);
}

inline void ExpectNear(const std::vector<TVector>& got, const std::vector<TVector>& want, double tolerance = 1e-6) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectNear(got[i], want[i], tolerance);
  }
}

// A new node called `name` whose new mesh holds vertices at `points`.
inline TNode* AddMeshNode(TModel& model, const std::string& name, std::initializer_list<TVector> points = {}) {
  TNode* node = model.AddNode();
  node->Name = name;
  TMesh* mesh = node->SetMesh(model.NewMesh());
  for (const TVector& p : points) mesh->AddVertex()->Position = p;
  return node;
}

// A new face of the mesh through the vertices of the given indices.
inline TFace* AddFace(TMesh& mesh, std::initializer_list<int> corners) {
  TFace* f = mesh.AddFace();
  for (int c : corners) f->AddVertex(mesh.Vertices[c]);
  return f;
}

// The model as a save writes it, by default without its first line, which names the time of writing.
inline std::string SavedText(TModel& model, bool dated = false) {
  std::string text;
  Write3DO(model, text, model.Nodes.Pointers());
  return dated ? text : text.substr(text.find('\n'));
}

// Runs `act`, which must throw an `E` saying `what`.
template <class E, class F>
void ExpectThrowWhat(F&& act, const std::string& what) {
  try {
    act();
    ADD_FAILURE() << "nothing thrown, expected: " << what;
  } catch (const E& e) {
    EXPECT_EQ(std::string(e.what()), what);
  }
}
