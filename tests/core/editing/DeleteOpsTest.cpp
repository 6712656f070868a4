#include "editing/DeleteOps.h"
#include "editing/EditCommands.h"
#include "tests/core/TestCore.h"

namespace {

using DeleteOps = CoreFixture;

TEST_F(DeleteOps, DeletingNodesReattachesChildrenToTheNearestSurvivorAndForgetsTheirGeometry) {
  TNode* root = AddMeshNode("root", {{0, 0, 0}});
  TNode* middle = AddMeshNode("middle", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  TNode* leaf = AddMeshNode("leaf", {{0, 0, 0}});
  TNode* other = AddMeshNode("other", {{0, 0, 0}});
  middle->Parent = root;
  leaf->Parent = middle;
  other->Parent = middle;
  TFace* f = AddFace(*middle->Mesh, {0, 1, 2});
  RefillTree();
  Core.ToggleSurface(f);
  Core.ToggleVertex(middle->Mesh->Vertices[1]);
  Core.ToggleVertex(leaf->Mesh->Vertices[0]);
  Core.ToggleNode(middle);
  actEditDelete(Core);
  EXPECT_EQ(Model().Nodes.Pointers(), (std::vector<TNode*>{root, leaf, other}));
  EXPECT_EQ(leaf->Parent, root);
  EXPECT_EQ(other->Parent, root);
  EXPECT_TRUE(Core.Nodes.Empty());
  EXPECT_TRUE(Core.Surfaces.Empty()) << "a face of the freed mesh stayed selected";
  EXPECT_EQ(Core.Vertices.Items(), std::vector<TVertex*>{leaf->Mesh->Vertices[0]});
  EXPECT_EQ(root->Child, nullptr) << "a link to the freed node survived";
  EXPECT_EQ(Changes.TreeFills, 1);
  EXPECT_EQ(Changes.PropertyUpdates, 5);

  // Survivors hang from their nearest surviving ancestor, even in a loop.
  TNode* top = Model().AddNode();
  TNode* a = Model().AddNode();
  TNode* b = Model().AddNode();
  TNode* grandchild = Model().AddNode();
  a->Parent = top;
  b->Parent = a;
  grandchild->Parent = b;
  TNode* x = Model().AddNode();
  TNode* y = Model().AddNode();
  TNode* z = Model().AddNode();
  x->Parent = y;
  y->Parent = x;
  z->Parent = x;
  DeleteNodes(Core, {b, a, x, y});
  EXPECT_EQ(Model().Nodes.Pointers(), (std::vector<TNode*>{root, leaf, other, top, grandchild, z}));
  EXPECT_EQ(grandchild->Parent, top);
  EXPECT_EQ(z->Parent, nullptr);
}

TEST_F(DeleteOps, DeletingSurfacesKeepsVerticesAndDeletingVerticesRemovesEveryCornerAndTextureVertexHoldingThem) {
  TMesh& mesh = *AddMeshNode("m", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})->Mesh;
  TFace* a = AddFace(mesh, {0, 1, 2});
  TFace* b = AddFace(mesh, {2, 1, 0});
  TFace* c = AddFace(mesh, {1, 2, 0});
  Core.EditMode = emSurface;
  Core.ToggleSurface(c);
  Core.ToggleSurface(a);
  actEditDelete(Core);
  EXPECT_EQ(mesh.Surfaces.Pointers(), std::vector<TFace*>{b});
  EXPECT_EQ(mesh.Vertices.Count(), 3);
  EXPECT_TRUE(Core.Surfaces.Empty());

  TMesh& four = *AddMeshNode("four", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}})->Mesh;
  TFace* tri = AddFace(four, {0, 1, 2});
  TFace* quad = AddFace(four, {0, 1, 3, 2});
  quad->TXVertices[2] = {9, 9};
  quad->TXVertices[3] = {4, 4};
  Core.EditMode = emVertex;
  Core.ToggleVertex(four.Vertices[1]);
  actEditDelete(Core);
  EXPECT_EQ(four.Vertices.Count(), 3);
  EXPECT_EQ(Corners(*tri), (std::vector<int>{0, 1})) << "a two-corner surface stays";
  EXPECT_EQ(Corners(*quad), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(quad->TXVertices[1].U, 9);
  EXPECT_EQ(quad->TXVertices[2].U, 4);
  EXPECT_TRUE(Core.Vertices.Empty());

  // Vertices of several meshes, and every corner holding them.
  TMesh& one = *AddMeshNode("one", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})->Mesh;
  TMesh& two = *AddMeshNode("two", {{0, 0, 0}, {1, 0, 0}})->Mesh;
  TFace* f = AddFace(one, {0, 1, 0, 2});
  DeleteVertices(Core, {two.Vertices[0], one.Vertices[0], two.Vertices[1]});
  EXPECT_EQ(Corners(*f), (std::vector<int>{0, 1})) << "a vertex held twice leaves no dangling corner";
  EXPECT_EQ(f->TXVertices.Count(), 2);
  EXPECT_EQ(one.Vertices[0]->Position.X, 1);
  EXPECT_EQ(two.Vertices.Count(), 0);
}

}  // namespace
