#pragma once

#include "document/Core.h"
#include "tests/core/ChangeCounter.h"
#include "services/HeadlessServices.h"
#include "document/PlainNodeTree.h"
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

  void RefillTree() { FillNodeTree(Model(), Tree); }

  THeadlessServices Services;
  TCore Core;
  TChangeCounter Changes{Core};
  TPlainNodeTree Tree;
};
