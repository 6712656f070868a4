// The property panel's changes and the materials dialog's add and delete, on small models.

#include "editing/MaterialEdits.h"
#include "editing/PropertyEdits.h"
#include "model/Errors.h"
#include "tests/core/TestCore.h"

namespace {

class PropertyEdits : public CoreFixture {
 protected:
  PropertyEdits() {
    for (const char* name : {"a", "b", "c"}) {
      TNode* node = AddMeshNode(name, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
      AddFace(*node->Mesh, {0, 1, 2});
      AddFace(*node->Mesh, {2, 1, 0});
    }
    Model().AddNode()->Name = "bare";
  }
  TFace* Face(int node, int index) { return Model().Nodes[node]->Mesh->Surfaces[index]; }
  void SelectNodes(std::initializer_list<int> indexes) {
    for (int i : indexes) Core.ToggleNode(Model().Nodes[i]);
  }
  void SelectFaces(std::initializer_list<std::pair<int, int>> faces) {
    for (auto [node, index] : faces) Core.ToggleSurface(Face(node, index));
  }
};

TEST_F(PropertyEdits, FlagsChangeOnlySurfacesThatDisagree) {
  struct Case { int bit; bool on; int before0, before1, after0, after1; };
  for (const Case& c : {Case{ftTwoSided, true, 0, 1, 1, 1}, Case{ftTwoSided, false, 5, 4, 4, 4},
                        Case{ftTranslucent, true, 6, 1, 6, 3}, Case{ftCollides, false, 7, 3, 3, 3}}) {
    Face(0, 0)->FaceType = c.before0;
    Face(1, 1)->FaceType = c.before1;
    Core.ClearSelection();
    SelectFaces({{0, 0}, {1, 1}});
    SetSurfaceFlag(Core, c.bit, c.on);
    EXPECT_EQ(Face(0, 0)->FaceType, c.after0) << c.bit << c.on;
    EXPECT_EQ(Face(1, 1)->FaceType, c.after1) << c.bit << c.on;
  }
  EXPECT_EQ(Face(2, 0)->FaceType, ftCollides);
}

TEST_F(PropertyEdits, NodeTypesAndMeshModesFollowTheListIndexAndVectorTextsApplyWholeOrNotAtAll) {
  Model().Nodes[0]->NodeType = 5;
  EXPECT_EQ(NodeTypeToIndex(Model().Nodes[0]->NodeType), -1);
  SelectNodes({0, 3, 1});
  SetNodeType(Core, 6);
  EXPECT_EQ(Model().Nodes[0]->NodeType, ntHead);
  EXPECT_EQ(Model().Nodes[3]->NodeType, ntHead);
  EXPECT_EQ(Model().Nodes[2]->NodeType, ntUpperBody);
  SetMeshMode(Core, TRenderMode::Geometry, 3);
  SetMeshMode(Core, TRenderMode::Texture, 2);
  EXPECT_EQ(Model().Nodes[1]->Mesh->GeometryMode, 3);
  EXPECT_EQ(Model().Nodes[1]->Mesh->TextureMode, 2);
  EXPECT_EQ(Model().Nodes[2]->Mesh->GeometryMode, 4);
  EXPECT_EQ(Model().Nodes[3]->Mesh, nullptr);

  // Vector texts apply whole or not at all.
  Core.ClearSelection();
  SelectNodes({0, 1, 2});
  SetNodeVector(Core, TNodeVector::Position, "0 0 0.1");
  for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(static_cast<float>(Model().Nodes[i]->Position.Z), 0.1f);
  const int redraws = Changes.Rebuilds;
  for (const char* bad : {"1 x 2", "1 2", " 1 2 3", "", "1 2 1e400"}) {
    EXPECT_THROW(SetNodeVector(Core, TNodeVector::Pivot, bad), EConvertError) << bad;
    EXPECT_THROW(SetSurfaceExtraLight(Core, bad), EConvertError) << bad;
  }
  EXPECT_EQ(Changes.Rebuilds, redraws + 5);  // the views follow even a refused text
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Model().Nodes[i]->Pivot.X, 0);
  SetNodeVector(Core, TNodeVector::Rotation, "90  -45 0");
  EXPECT_EQ(Model().Nodes[2]->Rotation.Y, -45);
}

TEST_F(PropertyEdits, MeshNamesThatAFileCannotHoldAreRefused) {
  SelectNodes({0, 3});
  for (const std::string& bad : std::vector<std::string>{"a b", "a\tb", "a,b", "a#b", "a//b", std::string(32, 'm')}) {
    EXPECT_FALSE(SetMeshName(Core, bad).Succeeded()) << bad;
    EXPECT_EQ(Model().Nodes[0]->Mesh->Name, "Mesh");
  }
  EXPECT_EQ(Services.Errors.size(), 6u);
  EXPECT_TRUE(SetMeshName(Core, std::string(31, 'm')).Succeeded());
  EXPECT_EQ(Model().Nodes[0]->Mesh->Name, std::string(31, 'm'));
}

TEST_F(PropertyEdits, SurfacesTakeTheModelsMaterialWhateverTheCase) {
  TMaterial* hull = Model().Materials.FindOrAdd("Hull.mat");
  SelectFaces({{0, 1}, {2, 0}});
  EXPECT_TRUE(SetSurfaceMaterial(Core, "HULL.MAT"));
  EXPECT_EQ(Face(0, 1)->Material, hull);
  EXPECT_EQ(Face(2, 0)->Material, hull);
  EXPECT_FALSE(SetSurfaceMaterial(Core, "none.mat"));
  EXPECT_EQ(Face(0, 1)->Material, hull);
  SetSurfaceMode(Core, TRenderMode::Lighting, 1);
  SetSurfaceExtraLight(Core, "0.25");
  EXPECT_EQ(Face(2, 0)->LightingMode, 1);
  EXPECT_EQ(Face(2, 0)->ExtraLight, 0.25f);
  EXPECT_EQ(Face(0, 0)->LightingMode, 3);
}

TEST_F(PropertyEdits, DeletedMaterialsLeaveTheirSurfacesOnDefault) {
  TMaterials& materials = Model().Materials;
  TMaterial* hull = AddProjectMaterial(Core, "hull.mat");
  EXPECT_EQ(AddProjectMaterial(Core, "HULL.mat"), hull);
  Face(0, 0)->Material = Face(2, 1)->Material = hull;
  DeleteProjectMaterial(Core, hull);
  EXPECT_EQ(materials.Find("hull.mat"), nullptr);
  EXPECT_EQ(Face(0, 0)->Material, materials.Find("dflt.mat"));
  EXPECT_EQ(Face(2, 1)->Material, materials.Find("dflt.mat"));
  // "dflt.mat" itself: used, it comes back fresh at the end of the list; unused, it goes.
  AddProjectMaterial(Core, "glass.mat");
  DeleteProjectMaterial(Core, materials.Find("dflt.mat"));
  ASSERT_EQ(materials.Count(), 2);
  EXPECT_EQ(materials.Get(1)->Name, "dflt.mat");
  EXPECT_EQ(Face(1, 0)->Material, materials.Get(1));
  for (TNode* node : Model().Nodes)
    if (node->Mesh)
      for (TFace* face : node->Mesh->Surfaces) face->Material = materials.Get(0);
  DeleteProjectMaterial(Core, materials.Find("dflt.mat"));
  EXPECT_EQ(materials.Count(), 1);
}

}  // namespace
