#include <gtest/gtest.h>

#include <cmath>

#include "TestCore.h"
#include "model/VertexOps.h"

namespace {

void ExpectNear(const TVector& v, double x, double y, double z) {
  EXPECT_NEAR(v.X, x, 1e-9);
  EXPECT_NEAR(v.Y, y, 1e-9);
  EXPECT_NEAR(v.Z, z, 1e-9);
}

TMesh* MeshedNode(TModel& model, TNode** nodeOut = nullptr) {
  TNode* node = model.AddNode();
  node->SetMesh(std::make_unique<TMesh>(&model));
  if (nodeOut) *nodeOut = node;
  return node->Mesh.get();
}

TFace* Face(TMesh& mesh, std::initializer_list<int> corners) {
  TFace* f = mesh.AddFace();
  for (int c : corners) f->AddVertex(mesh.Vertices.Get(c));
  return f;
}

TEST(Lists, GetOutsideTheListNamesTheList) {
  TTestCore t;
  try {
    t.Model().Nodes.Get(-1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "Node Index is out of bounds: -1");
  }
  TMesh* mesh = MeshedNode(t.Model());
  EXPECT_THROW(mesh->Vertices.Get(0), EListError);
  EXPECT_THROW(mesh->Surfaces.Get(3), EListError);
  try {
    t.Model().Materials.Get(-1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "Material Index is out of bounds: -1");
  }
  TTXVertices tx;
  try {
    tx.Get(2);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "Texture Vertex Index is out of bounds: 2");
  }
}

TEST(Materials, FindOrAddIsCaseBlindAndDefaultMaterialComesFirst) {
  TTestCore t;
  TMaterials& m = t.Model().Materials;
  EXPECT_EQ(m.FindOrAdd("dflt.mat"), m.FindOrAdd("DFLT.MAT"));
  EXPECT_EQ(m.Count(), 1);
  m.Clear();
  EXPECT_EQ(m.Count(), 0);
  TMesh* mesh = MeshedNode(t.Model());
  TFace* face = mesh->AddFace();
  ASSERT_EQ(m.Count(), 1);
  EXPECT_EQ(face->Material, m.Get(0));
  EXPECT_EQ(m.Get(0)->Name, "dflt.mat");
  EXPECT_FALSE(m.Get(0)->Loaded);
}

TEST(Normals, VertexNormalIsTheUnnormalisedMeanOfItsFaces) {
  TTestCore t;
  TMesh* mesh = MeshedNode(t.Model());
  for (TVector p : {TVector{0, 0, 0}, TVector{1, 0, 0}, TVector{0, 1, 0}, TVector{0, 0, 1}})
    mesh->AddVertex()->Position = p;
  Face(*mesh, {0, 1, 2});  // normal (0, 0, 1) by the first three corners' winding
  Face(*mesh, {0, 2, 3});  // normal (1, 0, 0)
  mesh->InvalidateNormals();
  ExpectNear(mesh->Surfaces[0]->GetNormal(), 0, 0, 1);
  ExpectNear(mesh->Surfaces[1]->GetNormal(), 1, 0, 0);
  ExpectNear(mesh->Vertices[0]->Normal, 0.5, 0, 0.5);
  ExpectNear(mesh->Vertices[1]->Normal, 0, 0, 1);
}

TEST(Normals, TwoCornerFacesKeepTheirNormalAndRepeatedCornersCountOnce) {
  TTestCore t;
  TMesh* mesh = MeshedNode(t.Model());
  for (TVector p : {TVector{0, 0, 0}, TVector{1, 0, 0}, TVector{0, 1, 0}, TVector{0, 0, 1}})
    mesh->AddVertex()->Position = p;
  Face(*mesh, {0, 1});
  Face(*mesh, {0, 1, 2, 0});  // holds vertex 0 twice
  Face(*mesh, {0, 2, 3});
  mesh->InvalidateNormals();
  ExpectNear(mesh->Surfaces[0]->GetNormal(), 0, 0, 0);
  ExpectNear(mesh->Vertices[0]->Normal, 0.5, 0, 0.5);  // the two-corner face takes no part
  ExpectNear(mesh->Vertices[1]->Normal, 0, 0, 1);
  mesh->Vertices[3]->Normal = {9, 9, 9};
  mesh->DeleteFace(2);
  mesh->InvalidateNormals();
  ExpectNear(mesh->Vertices[3]->Normal, 9, 9, 9);  // a vertex of no face keeps its normal
}

TEST(Mesh, DeletingAVertexRemovesEveryCornerHoldingIt) {
  TTestCore t;
  TMesh* mesh = MeshedNode(t.Model());
  for (int i = 0; i < 4; ++i) mesh->AddVertex()->Position = {double(i), 0, 0};
  TFace* f = Face(*mesh, {0, 1, 0, 2});
  f->TXVertices[1] = {7, 7};
  Face(*mesh, {1, 2, 3});
  mesh->DeleteVertex(0);
  // Both corners of the freed vertex go, so no face refers to it.
  ASSERT_EQ(f->Vertices.Count(), 2);
  EXPECT_EQ(f->Vertices[0], mesh->Vertices[0]);  // the old vertex 1
  EXPECT_EQ(f->Vertices[0]->Position.X, 1);
  EXPECT_EQ(f->TXVertices[0].U, 7);  // texture vertices move with their corners
  EXPECT_EQ(mesh->Surfaces[1]->Vertices.Count(), 3);
}

TEST(World, NodeRotationPivotAndParentChain) {
  TTestCore t;
  TNode* node;
  TMesh* mesh = MeshedNode(t.Model(), &node);
  TVertex* v = mesh->AddVertex();
  v->Position = {0, 1, 0};
  node->Rotation = {90, 0, 0};  // pitch
  t.Model().Update();
  ExpectNear(v->World, 0, 0, 1);
  node->Position = {0, 0, 5};
  t.Model().Update();
  ExpectNear(v->World, 0, 0, 6);

  node->Position = {};
  node->Rotation = {0, 90, 0};  // yaw
  node->Pivot = {1, 0, 0};
  v->Position = {0, 0, 0};
  t.Model().Update();
  ExpectNear(v->World, 0, 1, 0);
  ExpectNear(mesh->WorldOffset, 1, 0, 0);

  // A parent's pivot plays no part in its child's world positions.
  TNode* parent = t.Model().AddNode();
  parent->Pivot = {5, 5, 5};
  parent->Position = {0, 0, 2};
  node->Parent = parent;
  t.Model().Update();
  ExpectNear(v->World, 0, 1, 2);
  EXPECT_NEAR(t.Model().Radius, std::sqrt(5.0), 1e-6);
}

TEST(World, NodeWorldPositionAppliesAncestorsOnly) {
  TTestCore t;
  TNode* root = t.Model().AddNode();
  root->Position = {1, 0, 0};
  root->Rotation = {0, 90, 0};
  TNode* child = t.Model().AddNode();
  child->Position = {1, 0, 0};
  child->Rotation = {45, 45, 45};
  child->Parent = root;
  ExpectNear(t.Model().NodeWorldPosition(*child), 1, 1, 0);
}

TEST(Radius, MeshRadiusFromCentreModelRadiusFromOrigin) {
  TTestCore t;
  TMesh* mesh = MeshedNode(t.Model());
  mesh->AddVertex()->Position = {0, 0, 0};
  mesh->AddVertex()->Position = {2, 0, 0};
  EXPECT_FLOAT_EQ(mesh->GetRadius(), 1);
  t.Model().Update();
  EXPECT_DOUBLE_EQ(t.Model().Radius, 2);
  t.Model().Clear();
  t.Model().Update();
  EXPECT_EQ(t.Model().Radius, 0);
}

TEST(NodeTypes, MappingFollowsThePanelList) {
  EXPECT_EQ(NodeTypeToIndex(10), 0);
  EXPECT_EQ(NodeTypeToIndex(8), 6);
  EXPECT_EQ(NodeTypeToIndex(5), -1);
  EXPECT_EQ(IndexToNodeType(1), 1);
  EXPECT_EQ(IndexToNodeType(7), -1);
  EXPECT_EQ(IndexToNodeType(-1), -1);
}

TEST(AppendCopy, CopiesGeometryIntoPlaceInWorldSpace) {
  TTestCore t;
  TNode* target;
  TMesh* into = MeshedNode(t.Model(), &target);
  target->Position = {1, 0, 0};
  TNode* source;
  TMesh* from = MeshedNode(t.Model(), &source);
  source->Position = {0, 2, 0};
  for (TVector p : {TVector{0, 0, 0}, TVector{1, 0, 0}, TVector{0, 1, 0}}) from->AddVertex()->Position = p;
  TFace* f = Face(*from, {2, 1, 0});
  f->TXVertices[0] = {3, 4};
  f->FaceType = 1;
  t.Model().UpdateWorld();
  into->UpdateWorld();
  into->AppendCopy(*from, false);
  ASSERT_EQ(into->Vertices.Count(), 3);
  ASSERT_EQ(into->Surfaces.Count(), 1);
  t.Model().UpdateWorld();
  // Copied vertices keep their world place once the receiving node's offset is applied.
  ExpectNear(into->Vertices[2]->World, 0, 3, 0);
  EXPECT_EQ(into->Surfaces[0]->Vertices[0], into->Vertices[2]);
  EXPECT_EQ(into->Surfaces[0]->TXVertices[0].U, 3);
  EXPECT_EQ(into->Surfaces[0]->FaceType, 1);
}

TEST(Selection, ToggleTwiceRestoresAndOrderIsKept) {
  TTestCore t;
  TMesh* mesh = MeshedNode(t.Model());
  std::vector<TVertex*> v;
  for (int i = 0; i < 5; ++i) v.push_back(mesh->AddVertex());
  TSelection<TVertex>& sel = t.Core.Vertices;
  for (TVertex* x : v) sel.Toggle(x);
  sel.Toggle(v[1]);
  sel.Toggle(v[3]);
  sel.Toggle(v[1]);
  ASSERT_EQ(sel.Count(), 4);
  EXPECT_EQ(sel.Items(), (std::vector<TVertex*>{v[0], v[2], v[4], v[1]}));
  EXPECT_EQ(sel.Get(3), v[1]);
  EXPECT_THROW(sel.Get(4), EListError);
  t.Model().Clear();  // clearing the model empties the selections first
  EXPECT_EQ(sel.Count(), 0);
}

TEST(VertexOps, CentreMoveRotateScale) {
  TTestCore t;
  TMesh* mesh = MeshedNode(t.Model());
  mesh->AddVertex()->Position = {0, 0, 0};
  mesh->AddVertex()->Position = {2, 0, 0};
  const auto list = mesh->Vertices.Pointers();
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
