#include <iterator>

#include "camera/Camera.h"
#include "tests/core/TestCore.h"

namespace {

// A Top view of 400 x 300 pixels; vertices are placed by the pixel they project to.
class RectSelection : public CoreFixture {
 protected:
  TMesh* AddMesh() { return AddMeshNode("")->Mesh.get(); }
  TVertex* AddVertex(TMesh* mesh, int x, int y) {
    TVertex* v = mesh->AddVertex();
    v->World = ScreenToWorld(View, x + 0.5, y + 0.5);
    v->Position = {1, 1, 1};  // far outside the view: only World counts
    return v;
  }
  // A face of new vertices at the given pixels.
  TFace* AddFace(TMesh* mesh, std::initializer_list<std::pair<int, int>> corners) {
    TFace* face = mesh->AddFace();
    for (const auto& [x, y] : corners) face->AddVertex(AddVertex(mesh, x, y));
    return face;
  }
  // A square face with its four corners at the given pixel corners.
  TFace* AddSquare(TMesh* mesh, int left, int top, int right, int bottom) {
    return AddFace(mesh, {{left, top}, {right, top}, {right, bottom}, {left, bottom}});
  }

  TViewTransform View = MakeViewTransform(DefaultCameras()[0], 400, 300);
};

TEST_F(RectSelection, BoundsAreInclusiveAndCornersComeInAnyOrder) {
  TMesh* mesh = AddMesh();
  TVertex* a = AddVertex(mesh, 10, 20);
  TVertex* b = AddVertex(mesh, 100, 100);
  TVertex* a2 = AddVertex(mesh, 10, 20);  // every vertex on the pixel, of any mesh
  TVertex* a3 = AddVertex(AddMesh(), 10, 20);
  const struct { int Rect[4]; std::vector<TVertex*> Selected; } cases[] = {
      {{10, 20, 10, 20}, {a, a2, a3}},  // a zero-sized rectangle
      {{11, 0, 50, 50}, {}}, {{0, 21, 50, 50}, {}}, {{0, 0, 9, 50}, {}}, {{0, 0, 50, 19}, {}},  // a pixel short
      {{50, 50, 150, 150}, {b}}, {{150, 150, 50, 50}, {b}}, {{150, 50, 50, 150}, {b}}, {{50, 150, 150, 50}, {b}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    Core.Vertices.Clear();
    const int* r = cases[i].Rect;
    EXPECT_EQ(Core.SelectVerticesInRect(r[0], r[1], r[2], r[3], View), static_cast<int>(cases[i].Selected.size()));
    EXPECT_EQ(Core.Vertices.Items(), cases[i].Selected);
  }
}

// A whole gesture refreshing once is checked through the window; here what changes nothing.
TEST_F(RectSelection, PropertiesRefreshOnlyWhenTheSelectionChanges) {
  TMesh* mesh = AddMesh();
  AddVertex(mesh, 0, 0);
  AddVertex(mesh, 1, 1);
  Core.SelectVerticesInRect(300, 0, 399, 10, View);  // nothing inside
  Core.ToggleVertex(mesh->Vertices[0]);
  Core.ToggleNode(nullptr);
  Core.ToggleVertex(mesh->Vertices[1], false);
  EXPECT_EQ(Changes.PropertyUpdates, 1);
}

TEST_F(RectSelection, NodeNeedsEveryCornerInside) {
  TMesh* inside = AddMesh();
  AddSquare(inside, 10, 10, 40, 40);
  AddSquare(inside, 50, 50, 60, 60);
  TMesh* partly = AddMesh();
  AddSquare(partly, 10, 10, 40, 40);
  AddFace(partly, {{20, 20}, {30, 30}, {100, 30}});
  TMesh* noFaces = AddMesh();
  AddVertex(noFaces, 20, 20);
  TMesh* emptyFaces = AddMesh();
  AddVertex(emptyFaces, 20, 20);
  AddFace(emptyFaces, {});
  Model().AddNode();  // no mesh at all

  EXPECT_EQ(Core.SelectNodesInRect(60, 60, 5, 5, View), 1);
  EXPECT_EQ(Core.Nodes.Items(), std::vector<TNode*>{inside->Node});
  EXPECT_EQ(Core.SelectNodesInRect(0, 0, 399, 299, View), 2);  // inside leaves, partly joins
  EXPECT_EQ(Core.Nodes.Items(), std::vector<TNode*>{partly->Node});
}

TEST_F(RectSelection, SurfaceNeedsACornerAndEveryCornerInside) {
  TMesh* mesh = AddMesh();
  TFace* small = AddSquare(mesh, 10, 10, 20, 20);
  TFace* wide = AddSquare(mesh, 10, 10, 200, 20);
  AddFace(mesh, {});
  TFace* second = AddSquare(AddMesh(), 15, 15, 25, 25);
  EXPECT_EQ(Core.SelectSurfacesInRect(10, 10, 25, 25, View), 2);
  EXPECT_EQ(Core.Surfaces.Items(), (std::vector<TFace*>{small, second}));
  EXPECT_EQ(Core.SelectSurfacesInRect(0, 0, 399, 299, View), 3);
  EXPECT_EQ(Core.Surfaces.Items(), std::vector<TFace*>{wide});
}

// Two meshes of two triangles sharing the edge v1-v2, and a node without mesh.
class DerivedSets : public CoreFixture {
 protected:
  void SetUp() override {
    for (TMesh*& mesh : Meshes) {
      mesh = AddMeshNode("", {{}, {}, {}, {}})->Mesh.get();
      AddFace(*mesh, {0, 1, 2});
      AddFace(*mesh, {2, 1, 3});
    }
    Model().AddNode();
  }
  TMesh* Meshes[2] = {};
};

// Each mode derives the vertices and surfaces a command works on from its own selection:
// shared vertices once, in selection order; vertex mode has no surfaces. Lists start emptied.
TEST_F(DerivedSets, EachModeListsItsVerticesAndSurfaces) {
  const auto& v0 = Meshes[0]->Vertices;
  const auto& v1 = Meshes[1]->Vertices;
  const auto& f0 = Meshes[0]->Surfaces;
  Core.ToggleSurface(f0[1]);
  Core.ToggleSurface(f0[0]);
  Core.ToggleNode(Meshes[1]->Node);
  Core.ToggleNode(Model().Nodes[2]);
  Core.ToggleNode(Meshes[0]->Node);
  Core.ToggleVertex(v1[3]);
  Core.ToggleVertex(v0[0]);
  const struct { TEditMode Mode; std::vector<TVertex*> Vertices; std::vector<TFace*> Surfaces; } cases[] = {
      {emSurface, {v0[2], v0[1], v0[3], v0[0]}, {f0[1], f0[0]}},
      {emNode, {v1[0], v1[1], v1[2], v1[3], v0[0], v0[1], v0[2], v0[3]},
       {Meshes[1]->Surfaces[0], Meshes[1]->Surfaces[1], f0[0], f0[1]}},
      {emVertex, {v1[3], v0[0]}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Mode);
    Core.EditMode = c.Mode;
    TVertices vertices;
    vertices.Add(Meshes[1]->Vertices[0]);
    Core.GetSelectedVertices(vertices);
    EXPECT_EQ(vertices.Raw(), c.Vertices);
    TSurfaces faces;
    faces.Add(f0[0]);
    Core.GetSelectedSurfaces(faces);
    EXPECT_EQ(faces.Raw(), c.Surfaces);
  }
}

}  // namespace
