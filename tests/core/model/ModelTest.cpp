#include <cmath>
#include <tuple>

#include "model/VertexOps.h"
#include "tests/core/TestCore.h"

namespace {

using ModelTest = CoreFixture;

TEST_F(ModelTest, GetOutsideAListNamesTheList) {
  ExpectThrowWhat<EListError>([&] { Model().Nodes.Get(-1); }, "Node Index is out of bounds: -1");
  ExpectThrowWhat<EListError>([&] { Model().Materials.Get(-1); }, "Material Index is out of bounds: -1");
  ExpectThrowWhat<EListError>([] { TTXVertices().Get(2); }, "Texture Vertex Index is out of bounds: 2");
  TMesh& mesh = *AddMeshNode("m")->Mesh;
  EXPECT_THROW(mesh.Vertices.Get(0), EListError);
  EXPECT_THROW(mesh.Surfaces.Get(3), EListError);
}

TEST_F(ModelTest, FindOrAddIsCaseBlindAndTheDefaultMaterialComesFirst) {
  TMaterials& m = Model().Materials;
  EXPECT_EQ(m.FindOrAdd("dflt.mat"), m.FindOrAdd("DFLT.MAT"));
  EXPECT_EQ(m.Count(), 1);
  m.Clear();
  EXPECT_EQ(m.Count(), 0);
  TFace* face = AddMeshNode("m")->Mesh->AddFace();
  ASSERT_EQ(m.Count(), 1);
  EXPECT_EQ((std::tuple{face->Material, m.Get(0)->Name, m.Get(0)->Loaded}), (std::tuple{m.Get(0), "dflt.mat", false}));
}

TEST_F(ModelTest, VertexNormalIsTheUnnormalisedMeanOfItsFacesEachCountedOnce) {
  TMesh& mesh = *AddMeshNode("m", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}})->Mesh;
  AddFace(mesh, {0, 1});        // two corners: no normal, and no part in the mean
  AddFace(mesh, {0, 1, 2, 0});  // holds vertex 0 twice
  AddFace(mesh, {0, 2, 3});
  mesh.InvalidateNormals();
  // A face's normal follows the winding of its first three corners.
  ExpectNear(mesh.Surfaces[0]->GetNormal(), 0, 0, 0);
  ExpectNear(mesh.Surfaces[1]->GetNormal(), 0, 0, 1);
  ExpectNear(mesh.Surfaces[2]->GetNormal(), 1, 0, 0);
  ExpectNear(mesh.Vertices[0]->Normal, 0.5, 0, 0.5);
  ExpectNear(mesh.Vertices[1]->Normal, 0, 0, 1);
  mesh.Vertices[3]->Normal = {9, 9, 9};
  mesh.DeleteFace(2);
  mesh.InvalidateNormals();
  ExpectNear(mesh.Vertices[3]->Normal, 9, 9, 9);  // a vertex of no face keeps its normal
}

TEST_F(ModelTest, DeletingAVertexRemovesEveryCornerHoldingIt) {
  TMesh& mesh = *AddMeshNode("m", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}})->Mesh;
  TFace* f = AddFace(mesh, {0, 1, 0, 2});
  f->TXVertices[1] = {7, 7};
  AddFace(mesh, {1, 2, 3});
  mesh.DeleteVertex(0);
  // Both corners of the freed vertex go, so no face refers to it.
  EXPECT_EQ(Corners(*f), (std::vector<int>{0, 1}));
  EXPECT_EQ(f->Vertices[0]->Position.X, 1);
  EXPECT_EQ(f->TXVertices[0].U, 7);  // texture vertices move with their corners
  EXPECT_EQ(mesh.Surfaces[1]->Vertices.Count(), 3);
}

TEST_F(ModelTest, WorldPositionsTurnAboutThePivotAndFollowTheParentsAndRadiiFollowThem) {
  TNode* node = AddMeshNode("n", {{0, 1, 0}});
  TVertex* v = node->Mesh->Vertices[0];
  node->Rotation = {90, 0, 0};  // pitch
  Model().Update();
  ExpectNear(v->World, 0, 0, 1);
  node->Position = {0, 0, 5};
  Model().Update();
  ExpectNear(v->World, 0, 0, 6);

  node->Position = {};
  node->Rotation = {0, 90, 0};  // yaw
  node->Pivot = {1, 0, 0};
  v->Position = {0, 0, 0};
  Model().Update();
  ExpectNear(v->World, 0, 1, 0);
  ExpectNear(node->Mesh->WorldOffset, 1, 0, 0);

  // A parent's pivot plays no part in its child's world positions.
  TNode* parent = Model().AddNode();
  parent->Pivot = {5, 5, 5};
  parent->Position = {0, 0, 2};
  node->Parent = parent;
  Model().Update();
  ExpectNear(v->World, 0, 1, 2);
  EXPECT_NEAR(Model().Radius, std::sqrt(5.0), 1e-6);

  // A mesh's radius is measured from its centre, the model's from the origin.
  Model().Clear();
  Model().Update();
  EXPECT_EQ(Model().Radius, 0);
  EXPECT_FLOAT_EQ(AddMeshNode("m", {{0, 0, 0}, {2, 0, 0}})->Mesh->GetRadius(), 1);
  Model().Update();
  EXPECT_DOUBLE_EQ(Model().Radius, 2);
}

TEST(NodeTypes, PanelIndexAndTypeMapBothWaysAndRefuseTheRest) {
  for (int i = 0; i < 7; ++i) EXPECT_EQ(NodeTypeToIndex(IndexToNodeType(i)), i);
  EXPECT_EQ((std::vector<int>{NodeTypeToIndex(5), IndexToNodeType(7), IndexToNodeType(-1)}), std::vector<int>(3, -1));
}

TEST_F(ModelTest, SelectionToggledTwiceRestoresAndKeepsOrder) {
  TMesh& mesh = *AddMeshNode("m", {{}, {}, {}, {}, {}})->Mesh;
  const std::vector<TVertex*> v = mesh.Vertices.Pointers();
  TSelection<TVertex>& sel = Core.Vertices;
  for (TVertex* x : v) sel.Toggle(x);
  for (int i : {1, 3, 1}) sel.Toggle(v[i]);
  for (int i : {0, 2}) sel.Toggle(v[i]);  // the first object, looked up past the holes in front
  EXPECT_EQ(sel.First(), v[4]);
  for (int i : {0, 2}) sel.Toggle(v[i]);
  EXPECT_EQ((std::tuple{sel.First(), sel.Get(3)}), (std::tuple{v[4], v[2]}));
  EXPECT_EQ(sel.Items(), (std::vector<TVertex*>{v[4], v[1], v[0], v[2]}));
  EXPECT_THROW(sel.Get(4), EListError);
  Model().Clear();  // clearing the model empties the selections first
  EXPECT_EQ(sel.Count(), 0);
}

TEST_F(ModelTest, VertexOpsCentreMoveRotateScale) {
  const auto list = AddMeshNode("m", {{0, 0, 0}, {2, 0, 0}})->Mesh->Vertices.Pointers();
  ExpectNear(VerticesCentre(list), 1, 0, 0);
  MoveVerticesTo(list, {0, 0, 0});
  ExpectNear(list[0]->Position, -1, 0, 0);
  RotateVertices(list, {0, 0, 90}, {0, 0, 0});
  ExpectNear(list[1]->Position, 0, 1, 0);
  ScaleVertices(list, {1, 3, 1}, {0, 1, 0});
  ExpectNear(list[0]->Position, 0, -5, 0);
  ExpectNear(VerticesCentre({}), 0, 0, 0);
}

}  // namespace
