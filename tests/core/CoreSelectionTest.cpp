#include <gtest/gtest.h>

#include "model/Camera.h"
#include "model/Core.h"
#include "model/HeadlessServices.h"

namespace {

// A Top view of 400 x 300 pixels; vertices are placed by the pixel they project to.
class RectSelection : public ::testing::Test {
 protected:
  RectSelection() : Core(Services), View(MakeViewTransform(DefaultCameras()[0], 400, 300)) {}

  TVector AtPixel(int x, int y) const { return ScreenToWorld(View, x + 0.5, y + 0.5); }

  TMesh* AddMesh() {
    TNode* node = Core.Model->AddNode();
    node->SetMesh(std::make_unique<TMesh>(Core.Model.get()));
    return node->Mesh.get();
  }
  TVertex* AddVertex(TMesh* mesh, int x, int y) {
    TVertex* v = mesh->AddVertex();
    v->World = AtPixel(x, y);
    v->Position = {1, 1, 1};  // far outside the view: only World counts
    return v;
  }
  TFace* AddFace(TMesh* mesh, std::initializer_list<TVertex*> corners) {
    TFace* face = mesh->AddFace();
    for (TVertex* v : corners) face->AddVertex(v);
    return face;
  }
  // A square face with its four corners at the given pixel corners.
  TFace* AddSquare(TMesh* mesh, int left, int top, int right, int bottom) {
    return AddFace(mesh, {AddVertex(mesh, left, top), AddVertex(mesh, right, top), AddVertex(mesh, right, bottom),
                          AddVertex(mesh, left, bottom)});
  }

  THeadlessServices Services;
  TCore Core;
  TViewTransform View;
};

TEST_F(RectSelection, VertexBoundsAreInclusive) {
  TMesh* mesh = AddMesh();
  TVertex* v = AddVertex(mesh, 10, 20);
  EXPECT_EQ(Core.SelectVerticesInRect(10, 20, 10, 20, View), 1);  // zero-sized rectangle
  EXPECT_TRUE(Core.Vertices.Contains(v));
  EXPECT_EQ(Core.SelectVerticesInRect(11, 0, 50, 50, View), 0);
  EXPECT_EQ(Core.SelectVerticesInRect(0, 21, 50, 50, View), 0);
  EXPECT_EQ(Core.SelectVerticesInRect(0, 0, 9, 50, View), 0);
  EXPECT_EQ(Core.SelectVerticesInRect(0, 0, 50, 19, View), 0);
  EXPECT_TRUE(Core.Vertices.Contains(v));
}

TEST_F(RectSelection, CornersInAnyOrderSelectTheSame) {
  TMesh* mesh = AddMesh();
  TVertex* in = AddVertex(mesh, 100, 100);
  TVertex* out = AddVertex(mesh, 300, 100);
  const int corners[][4] = {{50, 50, 150, 150}, {150, 150, 50, 50}, {150, 50, 50, 150}, {50, 150, 150, 50}};
  for (const auto& c : corners) {
    Core.Vertices.Clear();
    EXPECT_EQ(Core.SelectVerticesInRect(c[0], c[1], c[2], c[3], View), 1);
    EXPECT_TRUE(Core.Vertices.Contains(in));
    EXPECT_FALSE(Core.Vertices.Contains(out));
  }
}

TEST_F(RectSelection, DraggingTwiceRestoresTheSelection) {
  TMesh* mesh = AddMesh();
  TVertex* a = AddVertex(mesh, 10, 10);
  TVertex* b = AddVertex(mesh, 20, 20);
  TVertex* c = AddVertex(mesh, 200, 200);
  Core.ToggleVertex(c);
  Core.ToggleVertex(a);
  Core.SelectVerticesInRect(0, 0, 30, 30, View);  // a leaves, b joins
  EXPECT_FALSE(Core.Vertices.Contains(a));
  EXPECT_TRUE(Core.Vertices.Contains(b));
  Core.SelectVerticesInRect(0, 0, 30, 30, View);
  ASSERT_EQ(Core.Vertices.Count(), 2);
  EXPECT_EQ(Core.Vertices.Get(0), c);
  EXPECT_EQ(Core.Vertices.Get(1), a);
}

TEST_F(RectSelection, VerticesOnOnePixelAreAllToggled) {
  TMesh* first = AddMesh();
  TMesh* second = AddMesh();
  TVertex* a = AddVertex(first, 77, 66);
  TVertex* b = AddVertex(first, 77, 66);
  TVertex* c = AddVertex(second, 77, 66);
  EXPECT_EQ(Core.SelectVerticesInRect(77, 66, 77, 66, View), 3);
  ASSERT_EQ(Core.Vertices.Count(), 3);
  EXPECT_EQ(Core.Vertices.Get(0), a);
  EXPECT_EQ(Core.Vertices.Get(1), b);
  EXPECT_EQ(Core.Vertices.Get(2), c);
}

TEST_F(RectSelection, PropertiesRefreshOncePerGesture) {
  TMesh* mesh = AddMesh();
  for (int i = 0; i < 50; ++i) AddVertex(mesh, i, i);
  Core.SelectVerticesInRect(0, 0, 399, 299, View);
  EXPECT_EQ(Services.PropertyUpdates, 1);
  Core.SelectVerticesInRect(300, 0, 399, 10, View);  // nothing inside
  EXPECT_EQ(Services.PropertyUpdates, 1);
  Core.ToggleVertex(mesh->Vertices[0]);
  Core.ToggleNode(nullptr);
  Core.ToggleVertex(mesh->Vertices[1], false);
  EXPECT_EQ(Services.PropertyUpdates, 2);
}

TEST_F(RectSelection, NodeNeedsEveryCornerInside) {
  TMesh* inside = AddMesh();
  AddSquare(inside, 10, 10, 40, 40);
  AddSquare(inside, 50, 50, 60, 60);
  TMesh* partly = AddMesh();
  AddSquare(partly, 10, 10, 40, 40);
  AddFace(partly, {AddVertex(partly, 20, 20), AddVertex(partly, 30, 30), AddVertex(partly, 100, 30)});
  TMesh* noFaces = AddMesh();
  AddVertex(noFaces, 20, 20);
  TMesh* emptyFaces = AddMesh();
  AddVertex(emptyFaces, 20, 20);
  AddFace(emptyFaces, {});
  Core.Model->AddNode();  // no mesh at all

  EXPECT_EQ(Core.SelectNodesInRect(60, 60, 5, 5, View), 1);
  ASSERT_EQ(Core.Nodes.Count(), 1);
  EXPECT_EQ(Core.Nodes.Get(0), inside->Node);
  EXPECT_EQ(Core.SelectNodesInRect(0, 0, 399, 299, View), 2);  // inside leaves, partly joins
  ASSERT_EQ(Core.Nodes.Count(), 1);
  EXPECT_EQ(Core.Nodes.Get(0), partly->Node);
}

TEST_F(RectSelection, SurfaceNeedsACornerAndEveryCornerInside) {
  TMesh* mesh = AddMesh();
  TFace* small = AddSquare(mesh, 10, 10, 20, 20);
  TFace* wide = AddSquare(mesh, 10, 10, 200, 20);
  TFace* empty = AddFace(mesh, {});
  TMesh* other = AddMesh();
  TFace* second = AddSquare(other, 15, 15, 25, 25);
  EXPECT_EQ(Core.SelectSurfacesInRect(10, 10, 25, 25, View), 2);
  ASSERT_EQ(Core.Surfaces.Count(), 2);
  EXPECT_EQ(Core.Surfaces.Get(0), small);
  EXPECT_EQ(Core.Surfaces.Get(1), second);
  EXPECT_EQ(Core.SelectSurfacesInRect(0, 0, 399, 299, View), 3);
  EXPECT_FALSE(Core.Surfaces.Contains(small));
  EXPECT_TRUE(Core.Surfaces.Contains(wide));
  EXPECT_FALSE(Core.Surfaces.Contains(empty));
}

TEST_F(RectSelection, OtherViewsProjectTheirOwnAxes) {
  // In the Front view +X runs to the left: a vertex at world X > 0 lies in the left half.
  View = MakeViewTransform(DefaultCameras()[1], 400, 300);
  TMesh* mesh = AddMesh();
  TVertex* v = mesh->AddVertex();
  v->World = {0.01, 0, 0};
  EXPECT_EQ(Core.SelectVerticesInRect(200, 0, 399, 299, View), 0);
  EXPECT_EQ(Core.SelectVerticesInRect(0, 0, 199, 299, View), 1);
}

class DerivedSets : public ::testing::Test {
 protected:
  DerivedSets() : Core(Services) {
    for (TMesh*& mesh : Meshes) {
      TNode* node = Core.Model->AddNode();
      node->SetMesh(std::make_unique<TMesh>(Core.Model.get()));
      mesh = node->Mesh.get();
      for (int i = 0; i < 4; ++i) mesh->AddVertex();
      const std::vector<TVertex*> v = mesh->Vertices.Pointers();
      // Two triangles sharing the edge v1-v2.
      TFace* f = mesh->AddFace();
      for (TVertex* c : {v[0], v[1], v[2]}) f->AddVertex(c);
      f = mesh->AddFace();
      for (TVertex* c : {v[2], v[1], v[3]}) f->AddVertex(c);
    }
    Core.Model->AddNode();  // a node without mesh
  }
  THeadlessServices Services;
  TCore Core;
  TMesh* Meshes[2] = {};
};

TEST_F(DerivedSets, SurfaceModeListsSharedVerticesOnce) {
  Core.EditMode = emSurface;
  Core.ToggleSurface(Meshes[0]->Surfaces[1]);
  Core.ToggleSurface(Meshes[0]->Surfaces[0]);
  TVertices list;
  list.Add(Meshes[1]->Vertices[0]);  // emptied first
  Core.GetSelectedVertices(list);
  const auto& v = Meshes[0]->Vertices;
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], v[2]);
  EXPECT_EQ(list[1], v[1]);
  EXPECT_EQ(list[2], v[3]);
  EXPECT_EQ(list[3], v[0]);
  TSurfaces faces;
  Core.GetSelectedSurfaces(faces);
  ASSERT_EQ(faces.Count(), 2);
  EXPECT_EQ(faces[0], Meshes[0]->Surfaces[1]);
}

TEST_F(DerivedSets, NodeModeListsEveryMeshVertexOncePerMesh) {
  Core.EditMode = emNode;
  Core.ToggleNode(Meshes[1]->Node);
  Core.ToggleNode(Core.Model->Nodes[2]);
  Core.ToggleNode(Meshes[0]->Node);
  TVertices list;
  Core.GetSelectedVertices(list);
  ASSERT_EQ(list.Count(), 8);
  EXPECT_EQ(list[0], Meshes[1]->Vertices[0]);
  EXPECT_EQ(list[4], Meshes[0]->Vertices[0]);
  TSurfaces faces;
  Core.GetSelectedSurfaces(faces);
  EXPECT_EQ(faces.Count(), 4);
}

TEST_F(DerivedSets, VertexModeKeepsSelectionOrderAndHasNoSurfaces) {
  Core.EditMode = emVertex;
  Core.ToggleVertex(Meshes[1]->Vertices[3]);
  Core.ToggleVertex(Meshes[0]->Vertices[0]);
  Core.ToggleSurface(Meshes[0]->Surfaces[0]);
  TVertices list;
  Core.GetSelectedVertices(list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], Meshes[1]->Vertices[3]);
  TSurfaces faces;
  faces.Add(Meshes[0]->Surfaces[0]);
  Core.GetSelectedSurfaces(faces);
  EXPECT_TRUE(faces.Empty());
}

}  // namespace
