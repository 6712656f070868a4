#include <QImage>

#include "tests/gui/GuiFixture.h"

namespace {

class TSelectionOverlayTest : public TWindowTest {
 protected:
  void SetUp() override { StartWindow(Sample()); }
  int MeshCount() {
    int meshes = 0;
    for (TNode* n : Core->Model->Nodes) meshes += n->Mesh != nullptr;
    return meshes;
  }
};

// Pixels that the selection turned redder by a clear step: the outlines and the tint.
int Reddened(const QImage& before, const QImage& after) {
  int count = 0;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) count += qRed(after.pixel(x, y)) >= qRed(before.pixel(x, y)) + 30;
  return count;
}

// The selected faces are outlined in the selection colour and tinted with it in every view
// mode, the Game mode included; selecting uploads nothing.
TEST_F(TSelectionOverlayTest, SelectedFacesAreOutlinedAndTintedInEveryMode) {
  const struct { const char *Action, *Name; } modes[] = {
      {"acnViewWireframe", "wireframe"}, {"acnViewShaded", "solid"}, {"acnViewTextured", "textured"},
      {"acnViewGame", "game"}};
  Frame().actEMFace->trigger();
  for (const auto& m : modes) {
    SCOPED_TRACE(m.Name);
    Window->Action(m.Action)->trigger();
    Window->Action("actSelClear")->trigger();
    const QImage none = Shot(std::string("overlay_") + m.Name + "_none");
    EXPECT_LT(CountPixels(none, qRgb(255, 0, 0), 0), 100) << "nothing selected, nothing red but the X axis";
    const int uploads = Frame().Buffers.Uploads;
    Window->Action("actSelAll")->trigger();
    const QImage all = Shot(std::string("overlay_") + m.Name + "_all");
    EXPECT_EQ(Frame().Buffers.Uploads, uploads) << "selecting uploads no mesh";
    EXPECT_GT(CountPixels(all, qRgb(255, 0, 0), 0), 500) << "outlines in the selection colour";
    // The tint covers the faces' insides, far more than their outlines.
    EXPECT_GT(Reddened(none, all), 2 * CountPixels(all, qRgb(255, 0, 0), 0));
  }
}

// A change to one mesh uploads that mesh alone; a new context uploads them all again.
TEST_F(TSelectionOverlayTest, AChangedMeshUploadsOnlyItself) {
  ASSERT_GT(MeshCount(), 1);
  TMesh* mesh = nullptr;
  for (TNode* n : Core->Model->Nodes)
    if (n->Mesh && n->Mesh->Vertices.Count() > 0) mesh = n->Mesh.get();
  ASSERT_NE(mesh, nullptr);
  int uploads = Frame().Buffers.Uploads;
  mesh->Vertices[0]->Position.X += 0.01;
  mesh->TouchVertices();
  Core->Model->Update();
  Core->Changed(chGeometry);
  EXPECT_EQ(Frame().Buffers.Uploads, uploads + 1);

  uploads = Frame().Buffers.Uploads;
  Core->Changed(chGeometry);  // nothing changed: nothing goes to GL
  EXPECT_EQ(Frame().Buffers.Uploads, uploads);

  // Moving a node moves its mesh (and its children's) without touching any mesh's revision.
  TNode* root = Core->Model->Nodes[0];
  root->Position.X += 0.05;
  Core->Model->Update();
  Core->Changed(chGeometry);
  EXPECT_GT(Frame().Buffers.Uploads, uploads) << "a moved node's meshes are drawn where they now are";
}

}  // namespace
