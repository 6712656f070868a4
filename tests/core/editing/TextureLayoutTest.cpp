// What the texture-coordinate window picks and drags, without the window.
#include "editing/TextureLayout.h"
#include "tests/core/TestCore.h"

namespace {

class TextureLayout : public CoreFixture {
 protected:
  // Two squares sharing the edge 1-2 on the picture: (0,0) (10,0) (10,10) (0,10) and
  // (10,0) (20,0) (20,10) (10,10); a third face of another material.
  void SetUp() override {
    TMesh& mesh = *AddMeshNode("m", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}, {2, 1, 0}})->Mesh;
    Left = AddFace(mesh, {0, 1, 2, 3});
    Right = AddFace(mesh, {1, 4, 5, 2});
    Other = AddFace(mesh, {0, 1, 2});
    Other->Material = Model().Materials.FindOrAdd("other.mat");
    const float left[4][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const float right[4][2] = {{10, 0}, {20, 0}, {20, 10}, {10, 10}};
    for (int k = 0; k < 4; ++k) {
      Left->TXVertices[k] = {left[k][0], left[k][1]};
      Right->TXVertices[k] = {right[k][0], right[k][1]};
    }
    Layout = TTextureLayout::Of({Left, Other, Right});
  }
  TFace *Left = nullptr, *Right = nullptr, *Other = nullptr;
  TTextureLayout Layout;
  TTexelView View{2, 5, 5};  // texel (u, v) at pixel (5 + 2u, 5 + 2v)
};

// The first face's material is shown, faces of others only listed.
TEST_F(TextureLayout, ShowsTheFirstFacesMaterialPicksCornersFacesAndRectanglesByPixelAndZooms) {
  EXPECT_EQ(Layout.Shown, Left->Material);
  EXPECT_EQ(Layout.Faces, (std::vector<TFace*>{Left, Right}));
  EXPECT_EQ(Layout.Others, std::vector<TFace*>{Other});
  EXPECT_EQ(TTextureLayout::Of({}).Shown, nullptr);
  // Texel (10, 0) is pixel (25, 5): both squares' corners there go together.
  EXPECT_EQ(Layout.CornersAt(View, 27, 6, 3), (std::vector<TTexCorner>{{Left, 1}, {Right, 0}}));
  EXPECT_TRUE(Layout.CornersAt(View, 31, 6, 3).empty()) << "6 pixels away";
  EXPECT_EQ(Layout.FaceAt(View, 15, 15), (std::vector<TTexCorner>{{Left, 0}, {Left, 1}, {Left, 2}, {Left, 3}}));
  EXPECT_EQ(Layout.FaceAt(View, 35, 15).front().Face, Right);
  EXPECT_TRUE(Layout.FaceAt(View, 50, 15).empty());
  EXPECT_EQ(Layout.CornersIn(View, 46, 0, 20, 30),
            (std::vector<TTexCorner>{{Left, 1}, {Left, 2}, {Right, 0}, {Right, 1}, {Right, 2}, {Right, 3}}));
  // Zoom keeps the texel under the pointer.
  View.ZoomAt(25, 25, 2);  // texel (10, 10)
  EXPECT_EQ(View.Zoom, 4);
  EXPECT_EQ(View.U(25), 10);
  EXPECT_EQ(View.V(25), 10);
  View.ZoomAt(0, 0, 1e9);
  EXPECT_EQ(View.Zoom, 256) << "zoom stops at 256 pixels a texel";
}

TEST_F(TextureLayout, ADragPutsCornersAtTheirStartPlusTheWholeWay) {
  TCornerDrag drag(Layout.FaceAt(View, 35, 15));
  const uint64_t revision = Right->Mesh->FaceRevision;
  for (int step = 1; step <= 7; ++step) drag.To(0.1 * step, -0.3 * step);
  EXPECT_EQ(Right->TXVertices[0].U, static_cast<float>(10 + 0.7));
  EXPECT_EQ(Right->TXVertices[0].V, static_cast<float>(0 - 0.3 * 7));
  EXPECT_EQ(Right->TXVertices[2].U, static_cast<float>(20 + 0.7));
  EXPECT_EQ(Left->TXVertices[1].U, 10) << "the other square keeps its own corner";
  EXPECT_NE(Right->Mesh->FaceRevision, revision) << "the history must see the change";
  drag.To(0, 0);
  EXPECT_EQ(Right->TXVertices[0].U, 10);
}

}  // namespace
