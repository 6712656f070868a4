#pragma once

#include "model/Core.h"
#include "model/HeadlessServices.h"
#include "model/PlainNodeTree.h"
#include "tests/core/TestSupport.h"

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

  TNode* AddMeshNode(const std::string& name, std::initializer_list<TVector> points = {}) {
    return ::AddMeshNode(Model(), name, points);
  }

  void RefillTree() { Model().FillTree(Tree); }

  THeadlessServices Services;
  TCore Core;
  TPlainNodeTree Tree;
};
