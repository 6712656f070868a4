#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "model/Core.h"
#include "model/HeadlessServices.h"
#include "model/PlainNodeTree.h"

// A core answered by recording services, with helpers to build small meshes by hand.
class EditFixture : public ::testing::Test {
 public:
  // Corner k of the face as an index into its mesh's vertex list.
  static std::vector<int> Corners(const TFace& face) {
    std::vector<int> out;
    for (const TVertex* v : face.Vertices) out.push_back(face.Mesh->Vertices.IndexOf(v));
    return out;
  }

 protected:
  EditFixture() : Core(Services) {}

  TModel& Model() { return *Core.Model; }

  TNode* AddMeshNode(const std::string& name, std::initializer_list<TVector> points) {
    TNode* node = Model().AddNode();
    node->Name = name;
    TMesh* mesh = node->SetMesh(std::make_unique<TMesh>(&Model()));
    for (const TVector& p : points) mesh->AddVertex()->Position = p;
    return node;
  }

  static TFace* AddFace(TMesh& mesh, std::initializer_list<int> corners) {
    TFace* f = mesh.AddFace();
    for (int c : corners) f->AddVertex(mesh.Vertices[c]);
    return f;
  }

  void RefillTree() { Model().FillTree(Tree); }

  THeadlessServices Services;
  TCore Core;
  TPlainNodeTree Tree;
};

inline void ExpectNear(const TVector& v, double x, double y, double z, double tolerance = 1e-6) {
  EXPECT_NEAR(v.X, x, tolerance);
  EXPECT_NEAR(v.Y, y, tolerance);
  EXPECT_NEAR(v.Z, z, tolerance);
}
