#include <iterator>

#include "editing/EditCommands.h"
#include "editing/SurfaceOps.h"
#include "tests/core/TestCore.h"

namespace {

// Every corner's texture coordinate in corner order: u0 v0 u1 v1 ...
std::vector<float> UVs(const TFace& face) {
  std::vector<float> out;
  for (const TTXVertex& t : face.TXVertices) out.insert(out.end(), {t.U, t.V});
  return out;
}

class SurfaceOps : public CoreFixture {
 protected:
  // A unit quad c0..c3 counter-clockwise seen from +z.
  TMesh& Quad() {
    TMesh& mesh = *AddMeshNode("quad", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})->Mesh;
    AddFace(mesh, {0, 1, 2, 3});
    return mesh;
  }
  // Runs the command on the items, selected in this order in the mode they belong to.
  template <class T>
  void On(TCommandResult (*act)(TCore&), std::initializer_list<T*> items) {
    for (T* item : items) Pick(item);
    act(Core);
  }
  void Pick(TVertex* v) { Core.EditMode = emVertex; Core.ToggleVertex(v); }
  void Pick(TFace* f) { Core.EditMode = emSurface; Core.ToggleSurface(f); }
  void Pick(TNode* n) { Core.EditMode = emNode; Core.ToggleNode(n); }
};

TEST_F(SurfaceOps, CommandsRefuseTheWrongModeOrSelectionAndChangeNothing) {
  TMesh& mesh = Quad();
  TNode* other = AddMeshNode("other", {{0, 0, 0}});
  Core.ToggleSurface(mesh.Surfaces[0]);
  Core.ToggleVertex(mesh.Vertices[0]);
  const std::string two = "\nSelect two Vertices and try again.";
  // An empty error: the command says nothing.
  const struct { TCommandResult (*Act)(TCore&); TEditMode Mode; bool BothNodes; std::string Error; } cases[] = {
      {actEditExtrudeFace, emVertex, false, "Only works in Surface Mode"},
      {actEditFlipFace, emNode, false, "Only works in Surface Mode"},
      {actEditMakeSurface, emSurface, false, "Only works in Vertex Mode"},
      {actEditSplitFace, emVertex, false, "Failed to Split the Surface." + two},
      {actEditInsertVx, emVertex, false, "Failed to Insert a Vertex." + two},
      {actEditMerge, emNode, false, ""},  // merging takes two nodes in node mode
      {actEditMerge, emSurface, true, ""},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    Services.Errors.clear();
    Core.EditMode = cases[i].Mode;
    Core.Nodes.Clear();
    Core.ToggleNode(mesh.Node);
    if (cases[i].BothNodes) Core.ToggleNode(other);
    const std::string before = SavedText(Model());
    cases[i].Act(Core);
    EXPECT_EQ(Services.Errors, cases[i].Error.empty() ? std::vector<std::string>{} : std::vector{cases[i].Error});
    EXPECT_EQ(Changes.Rebuilds, 0);
    EXPECT_EQ(SavedText(Model()), before);
  }
}

TEST_F(SurfaceOps, ExtrudeMakesCapsAndOutwardSidesInSelectionOrderAndFlipTurnsACap) {
  TMesh& mesh = Quad();
  On(actEditExtrudeFace, {mesh.Surfaces[0]});
  ASSERT_EQ(mesh.Vertices.Count(), 8);
  ASSERT_EQ(mesh.Surfaces.Count(), 5);
  TFace* cap = mesh.Surfaces[0];
  EXPECT_EQ(Corners(*cap), (std::vector<int>{4, 5, 6, 7}));
  EXPECT_EQ(Core.Surfaces.Items(), std::vector<TFace*>{cap});
  EXPECT_EQ(Corners(*mesh.Surfaces[1]), (std::vector<int>{0, 1, 5, 4}));
  // Lift the cap: every side must then face away from the middle.
  for (int i = 4; i < 8; ++i) mesh.Vertices[i]->Position.Z = 1;
  for (int s = 1; s < 5; ++s) {
    const TVector n = mesh.Surfaces[s]->GetNormal();
    const TVector p = mesh.Surfaces[s]->Vertices[0]->Position;
    const TVector q = mesh.Surfaces[s]->Vertices[1]->Position;
    EXPECT_GT(n.X * ((p.X + q.X) / 2 - 0.5) + n.Y * ((p.Y + q.Y) / 2 - 0.5), 0) << "side " << s;
  }
  ExpectNear(cap->GetNormal(), 0, 0, 1);
  // Flip reverses the selected cap's corners; that each keeps its texture coordinate, History
  // checks on every model.
  actEditFlipFace(Core);
  EXPECT_EQ(Corners(*cap), (std::vector<int>{7, 6, 5, 4}));
  ExpectNear(cap->GetNormal(), 0, 0, -1);

  // Two neighbours extruded keep the order they were selected in.
  TMesh& two = *AddMeshNode("two", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}, {2, 1, 0}})->Mesh;
  TFace* left = AddFace(two, {0, 1, 2, 3});
  TFace* right = AddFace(two, {1, 4, 5, 2});
  Core.Surfaces.Clear();
  On(actEditExtrudeFace, {right, left});
  EXPECT_EQ(two.Vertices.Count(), 14);
  EXPECT_EQ(two.Surfaces.Count(), 10);
  const std::vector<TFace*> caps = Core.Surfaces.Items();
  ASSERT_EQ(caps.size(), 2u);
  // The first cap replaces `right`: it sits on x = 1..2.
  EXPECT_EQ(caps[0]->Vertices[1]->Position.X, 2);
  EXPECT_EQ(caps[1]->Vertices[1]->Position.X, 1);
  EXPECT_FALSE(two.Surfaces.Contains(left));
}

// A split face leaves the selection; -1 is a vertex on no face.
TEST_F(SurfaceOps, SplitQuadOnlyAlongADiagonal) {
  const struct { int A, B; std::vector<int> First, Second; } cases[] = {
      {0, 2, {0, 2, 3}, {0, 1, 2}}, {3, 1, {0, 1, 3}, {1, 2, 3}}, {3, 0, {0, 1, 2, 3}, {}},
      {0, -1, {0, 1, 2, 3}, {}}};
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    TMesh& mesh = Quad();
    Core.Vertices.Clear();
    Core.Surfaces.Clear();
    Core.ToggleSurface(mesh.Surfaces[0]);
    On(actEditSplitFace, {mesh.Vertices[cases[i].A], cases[i].B < 0 ? mesh.AddVertex() : mesh.Vertices[cases[i].B]});
    EXPECT_EQ(Corners(*mesh.Surfaces[0]), cases[i].First);
    EXPECT_EQ(mesh.Surfaces.Count() > 1 ? Corners(*mesh.Surfaces[1]) : std::vector<int>{}, cases[i].Second);
    EXPECT_EQ(Core.Surfaces.Empty(), !cases[i].Second.empty());
  }
  TMesh& mesh = Quad();  // the command cannot select one vertex twice
  EXPECT_FALSE(SplitSurface(*mesh.Surfaces[0], *mesh.Vertices[1], *mesh.Vertices[1]));
  EXPECT_EQ(mesh.Surfaces.Count(), 1);
  EXPECT_EQ(Model().Materials.Count(), 1);
  EXPECT_TRUE(Services.Errors.empty());
}

// The new corners' texture coordinates, halfway along the edge, History checks on every model.
TEST_F(SurfaceOps, InsertVertexGoesBetweenInEachWindingAfterTheLastCornerOrLooseBetweenStrangers) {
  TMesh& quad = Quad();
  TMesh& line = *AddMeshNode("line", {{0, 0, 0}, {1, 1, 1}, {3, 3, 3}, {2, 2, 2}})->Mesh;
  AddFace(line, {0, 1, 2, 3});
  On(actEditInsertVx, {quad.Vertices[0], quad.Vertices[1]});  // the first three corners now lie on one line
  Model().Update();
  EXPECT_NE(SavedText(Model()).find("FACE NORMALS\r\n0:  0 0 1\r\n"), std::string::npos);
  ExpectNear(quad.Vertices[4]->Normal, 0, 0, 1);
  ExpectNear(line.Surfaces[0]->GetNormal(), 0, 0, 0, 0);  // a face without area has none

  TMesh& mesh = *AddMeshNode("pair", {{0, 0, 0}, {2, 0, 0}, {1, 1, 0}, {1, -1, 0}})->Mesh;
  TFace* up = AddFace(mesh, {0, 1, 2});
  TFace* down = AddFace(mesh, {1, 0, 3});
  Core.Vertices.Clear();
  On(actEditInsertVx, {mesh.Vertices[0], mesh.Vertices[1]});
  ASSERT_EQ(mesh.Vertices.Count(), 5);
  ExpectNear(mesh.Vertices[4]->Position, 1, 0, 0, 0);
  EXPECT_EQ(Corners(*up), (std::vector<int>{0, 4, 1, 2}));
  EXPECT_EQ(Corners(*down), (std::vector<int>{1, 4, 0, 3}));
  EXPECT_EQ(Core.Vertices.Items(), std::vector<TVertex*>{mesh.Vertices[4]});

  TMesh& last = Quad();
  TVertex* v = InsertEdgeVertex(last, *last.Vertices[3], *last.Vertices[0]);
  EXPECT_EQ(last.Surfaces[0]->Vertices[0], v);
  EXPECT_EQ(Corners(*last.Surfaces[0]), (std::vector<int>{4, 0, 1, 2, 3}));

  TMesh& other = Quad();
  Core.Vertices.Clear();
  On(actEditInsertVx, {other.Vertices[0], other.Vertices[2]});
  EXPECT_EQ(other.Surfaces[0]->Vertices.Count(), 4);
  ExpectNear(Core.Vertices.First()->Position, 0.5, 0.5, 0, 0);
}

TEST_F(SurfaceOps, SplitAndExtrudePartsKeepTheMaterialAndEveryCornersCoordinate) {
  TMesh& mesh = Quad();
  TFace* quad = mesh.Surfaces[0];
  quad->Material = Model().Materials.FindOrAdd("stone.mat");
  quad->FaceType = 3;
  quad->ExtraLight = 0.5f;
  for (int k = 0; k < 4; ++k) quad->TXVertices[k] = {10.0f * k, 1.0f + k};
  On(actEditSplitFace, {mesh.Vertices[1], mesh.Vertices[3]});
  Core.Vertices.Clear();
  // Splitting 0 1 2 3 between 1 and 3 gives 0 1 3 and 1 2 3; extruding the first part gives
  // the other part, the cap 0 1 3 over the old corners, then sides 0-1, 1-3 and 3-0 on the
  // edges: each corner with the coordinate of its place, u = 10 k and v = 1 + k at corner k.
  const std::vector<std::vector<float>> split = {{0, 1, 10, 2, 30, 4}, {10, 2, 20, 3, 30, 4}};
  const std::vector<std::vector<float>> extruded = {
      split[1], split[0], {0, 1, 10, 2, 10, 2, 0, 1}, {10, 2, 30, 4, 30, 4, 10, 2}, {30, 4, 0, 1, 0, 1, 30, 4}};
  for (const auto* want : {&split, &extruded}) {
    if (want == &extruded) On(actEditExtrudeFace, {mesh.Surfaces[0]});
    ASSERT_EQ(mesh.Surfaces.Count(), static_cast<int>(want->size()));
    for (int s = 0; s < mesh.Surfaces.Count(); ++s) {
      SCOPED_TRACE(s);
      const TFace& face = *mesh.Surfaces[s];
      EXPECT_EQ(face.Material->Name, "stone.mat");
      EXPECT_EQ(face.FaceType, 3);
      EXPECT_EQ(face.ExtraLight, 0.5f);
      EXPECT_EQ(UVs(face), (*want)[static_cast<size_t>(s)]);
    }
  }
}

TEST_F(SurfaceOps, MakeSurfaceUsesWorldPositions) {
  TNode* node = AddMeshNode("turned", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  node->Position = {0, 0, 5};
  node->Rotation = {90, 0, 0};
  Core.EditMode = emVertex;
  for (TVertex* v : node->Mesh->Vertices) Core.ToggleVertex(v);
  actEditMakeSurface(Core);
  ASSERT_EQ(Model().Nodes.Count(), 2);
  TNode* made = Model().Nodes[1];
  EXPECT_EQ(made->Name, "Surface");
  EXPECT_EQ(made->Mesh->Name, "Surface");
  EXPECT_EQ(made->Parent, nullptr);
  ASSERT_EQ(made->Mesh->Surfaces.Count(), 1);
  ExpectNear(made->Mesh->Vertices[1]->Position, 0, 0, 6);
  EXPECT_EQ(Core.Vertices.Count(), 3);
  EXPECT_EQ(Changes.TreeFills, 1);

  Core.Vertices.Clear();
  actEditMakeSurface(Core);
  EXPECT_EQ(Model().Nodes[2]->Mesh->Surfaces[0]->Vertices.Count(), 0);
}

TEST_F(SurfaceOps, MergeKeepsWorldPositionsReattachesChildrenAndGivesAMeshlessTargetAMesh) {
  TNode* target = AddMeshNode("target", {{0, 0, 0}});
  target->Position = {1, 0, 0};
  TNode* source = AddMeshNode("source", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  source->Position = {0, 0, 2};
  TFace* f = AddFace(*source->Mesh, {2, 1, 0});
  f->TXVertices[2] = {7, 8};
  f->FaceType = 3;
  TNode* child = Model().AddNode();
  child->Parent = source;
  TNode* dummy = Model().AddNode();
  On(actEditMerge, {target, dummy, source});
  ASSERT_EQ(Model().Nodes.Count(), 2);
  EXPECT_EQ(child->Parent, nullptr);
  EXPECT_EQ(Core.Nodes.Items(), std::vector<TNode*>{target});
  TMesh& mesh = *target->Mesh;
  ASSERT_EQ(mesh.Vertices.Count(), 4);
  ASSERT_EQ(mesh.Surfaces.Count(), 1);
  Model().UpdateWorld();
  ExpectNear(mesh.Vertices[1]->World, 0, 0, 2);
  ExpectNear(mesh.Vertices[3]->World, 0, 1, 2);
  EXPECT_EQ(mesh.Surfaces[0]->FaceType, 3);
  EXPECT_EQ(mesh.Surfaces[0]->TXVertices[2].V, 8);
  EXPECT_EQ(Corners(*mesh.Surfaces[0]), (std::vector<int>{3, 2, 1}));

  // A target without a mesh gets one, in its own place.
  TNode* bare = Model().AddNode();
  bare->Position = {5, 0, 0};
  TNode* moved = AddMeshNode("moved", {{1, 1, 1}});
  Core.Nodes.Clear();
  On(actEditMerge, {bare, moved});
  ASSERT_NE(bare->Mesh, nullptr);
  EXPECT_EQ(bare->Mesh->Name, "Mesh");
  Model().UpdateWorld();
  ExpectNear(bare->Mesh->Vertices[0]->World, 1, 1, 1);
}

}  // namespace
