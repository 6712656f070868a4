#include <QTabBar>
#include <iterator>

#include "tests/gui/GuiFixture.h"
#include "view/GLRoutines.h"

namespace {

class TViewportTest : public TWindowTest {
 protected:
  void SetUp() override { StartWindow(Sample()); }
  void Key(Qt::Key key) { QTest::keyClick(Surface(), key); }
  QPoint Centre() { return {Surface()->width() / 2, Surface()->height() / 2}; }
  // Every vertex of the model in a rectangle of the whole drawing area, in the current mode.
  void SelectEverything() {
    Drag({1, 1}, {Surface()->width() - 2, Surface()->height() - 2});
    ASSERT_FALSE(Core->Vertices.Empty() && Core->Surfaces.Empty() && Core->Nodes.Empty());
  }
  std::vector<TVector> Positions() { return VertexValues(&TVertex::Position); }
};

// Pixels that the selection turned redder by a clear step: the outlines and the tint.
int Reddened(const QImage& before, const QImage& after) {
  int count = 0;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) count += qRed(after.pixel(x, y)) >= qRed(before.pixel(x, y)) + 30;
  return count;
}

// Each camera gesture moves only its own part of the camera, by the pointer's way in pixels
// (scaled by the distance for pan and zoom), replays the display list and selects nothing.
TEST_F(TViewportTest, CameraGesturesMoveOnlyTheirPartOfTheCamera) {
  const auto positions = Positions();
  const struct { Qt::Key View; Qt::KeyboardModifiers Mods; QPoint To; int Steps; double Move[5]; } cases[] = {
      {Qt::Key_1, Qt::ControlModifier, {160, 120}, 4, {60, -20, 0, 0, 0}},
      {Qt::Key_1, Qt::ControlModifier | Qt::AltModifier, {110, 100}, 1, {0, 0, 10, 0, 0}},
      {Qt::Key_1, Qt::AltModifier, {110, 130}, 4, {0, 0, 0, 0, 0}},  // only the free camera turns
      {Qt::Key_4, Qt::AltModifier, {110, 100}, 1, {0, 0, 0, 0, 10}},
      {Qt::Key_4, Qt::AltModifier, {100, 130}, 3, {0, 0, 0, 30, 0}},
  };
  double TCameraRec::*const fields[] = {&TCameraRec::X, &TCameraRec::Y, &TCameraRec::Z, &TCameraRec::RotX, &TCameraRec::RotZ};
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    Key(cases[i].View);
    const TCameraRec before = Camera();
    const double scale[5] = {std::fabs(before.Z) / 1000, std::fabs(before.Z) / 1000, std::fabs(before.Z) / 1000, 1, 1};
    const int rebuilds = Frame().Rebuilds;
    Drag({100, 100}, cases[i].To, cases[i].Mods, Qt::LeftButton, cases[i].Steps);
    for (int f = 0; f < 5; ++f) EXPECT_NEAR(Camera().*fields[f], before.*fields[f] + cases[i].Move[f] * scale[f], 1e-12) << f;
    EXPECT_EQ(Frame().Rebuilds, rebuilds) << "a camera move must only replay the display list";
    EXPECT_EQ(Positions(), positions);
    EXPECT_TRUE(Core->Nodes.Empty()) << "the release of a camera drag selects nothing";
  }
  // Ctrl at the press decides the gesture: without it later moves change nothing at all.
  const TCameraRec before = Camera();
  Hover({100, 100}, Qt::ControlModifier);
  QTest::mousePress(Surface(), Qt::LeftButton, Qt::ControlModifier, {100, 100});
  Hover({140, 100});
  QTest::mouseRelease(Surface(), Qt::LeftButton, {}, {140, 100});
  EXPECT_EQ(Camera().X, before.X);
  EXPECT_EQ(Positions(), positions);
}

// Each camera's own mode through the menu: TWindowHabitsTest.
TEST_F(TViewportTest, DigitKeysSwitchCamerasEachKeepingItsViewMode) {
  Window->Action("actViewShaded")->trigger();
  const QImage shaded = Shot("top_shaded");
  Key(Qt::Key_2);
  EXPECT_EQ(Camera().Name, "Front");
  EXPECT_EQ(Frame().tacCameras->currentIndex(), 1);
  EXPECT_EQ(Camera().ViewMode, 0) << "the front camera keeps its own mode";
  Key(Qt::Key_5);
  EXPECT_EQ(Camera().Name, "Front");
  Key(Qt::Key_1);
  Window->Action("actViewWireframe")->trigger();
  const QImage wire = Shot("top_wireframe");
  // Filled faces cover far more of the black background than their outlines.
  EXPECT_GT(CountPixels(wire, qRgb(0, 0, 0), 2), CountPixels(shaded, qRgb(0, 0, 0), 2) + 5000);

  const int rebuilds = Frame().Rebuilds;
  Key(Qt::Key_4);
  EXPECT_GT(Frame().Rebuilds, rebuilds);
  EXPECT_EQ(Frame().glaMain->Color(), Core->Color3D);
  const QImage free = Shot("free_shaded");
  // The free view clears to the 3D background and draws lit, filled faces.
  EXPECT_EQ(free.pixel(free.width() - 3, 3), qRgb(0, 111, 221));
  EXPECT_GT(free.width() * free.height() - CountPixels(free, qRgb(0, 111, 221), 2), 20000);
}

TEST_F(TViewportTest, RectangleSelectionTogglesAndRefreshesPropertiesOncePerGesture) {
  Frame().actEMVert->trigger();
  const int updates = Changes->PropertyUpdates;
  SelectEverything();
  EXPECT_EQ(Core->Vertices.Count(), static_cast<int>(Positions().size()));
  EXPECT_EQ(Changes->PropertyUpdates, updates + 1);
  const QImage picked = Shot("vertices_selected");
  EXPECT_GT(CountPixels(picked, qRgb(255, 0, 0), 2), 9 * 4);
  Drag({1, 1}, {Surface()->width() - 2, Surface()->height() - 2});
  EXPECT_TRUE(Core->Vertices.Empty()) << "a second drag over the same vertices deselects them";
  // The menu's Select All and Invert draw the marks again, without recompiling the model.
  const int rebuilds = Frame().Rebuilds;
  Window->Action("actSelAll")->trigger();
  const int all = CountPixels(Shot("vertices_all_by_menu"), qRgb(255, 0, 0), 2);
  Window->Action("actSelInvert")->trigger();
  EXPECT_GT(all, CountPixels(Shot("vertices_none_by_menu"), qRgb(255, 0, 0), 2) + 9 * 4);
  EXPECT_EQ(Frame().Rebuilds, rebuilds);

  Frame().actEMNode->trigger();
  SelectEverything();
  int meshes = 0;
  for (TNode* n : Core->Model->Nodes) meshes += n->Mesh && n->Mesh->Surfaces.Count() > 0;
  EXPECT_EQ(Core->Nodes.Count(), meshes);
  const QImage nodes = Shot("nodes_selected");
  EXPECT_GT(CountPixels(nodes, qRgb(255, 0, 0), 2), 200);
}

TEST_F(TViewportTest, MoveToolFollowsThePointerAndHonoursLocks) {
  Frame().actEMVert->trigger();
  SelectEverything();
  Frame().actTMMove->trigger();
  const auto before = Positions();
  Frame().glaMain->MakeCurrent();
  SetupCamera(Camera(), Frame().glaMain->ClientWidth(), Frame().glaMain->ClientHeight());
  const TVector a = ScreenToWorld(100, 100), b = ScreenToWorld(140, 100);
  Drag({100, 100}, {140, 100});
  std::vector<TVector> moved = before;
  for (TVector& p : moved) p.X += b.X - a.X;
  const std::vector<TVector> after = Positions();
  ExpectNear(after, moved, 1e-9);

  // Locked X and Y leave only Z, which a top-view drag cannot reach.
  Frame().actLockX->trigger();
  Frame().actLockY->trigger();
  Drag({100, 100}, {160, 150});
  EXPECT_EQ(Positions(), after);
}

TEST_F(TViewportTest, ToolDragsChangeTheSelectionAndAMoveIsOneUndoStep) {
  SelectEverything();  // node mode: every node with geometry
  Frame().actTMRotate->trigger();
  Drag({100, 100}, {130, 100});
  double turned = 0;
  for (TNode* n : Core->Nodes) turned += std::fabs(n->Rotation.X) + std::fabs(n->Rotation.Y) + std::fabs(n->Rotation.Z);
  EXPECT_GT(turned, 0);

  Frame().actTMScale->trigger();
  QAction* const locks[] = {Frame().actLockX, Frame().actLockY, Frame().actLockZ};
  for (QAction* lock : locks) lock->trigger();
  const auto before = Positions();
  Drag({100, 100}, {160, 140});
  ExpectNear(Positions(), before, 1e-12);
  for (QAction* lock : locks) lock->trigger();
  Drag({100, 100}, {160, 140});
  EXPECT_NE(Positions(), before);

  Frame().actTMMove->trigger();
  Core->ResetHistory();
  const TVector position = Core->Model->Nodes[0]->Position;
  Drag({100, 100}, {140, 120}, {}, Qt::LeftButton, 6);
  ASSERT_NE(Core->Model->Nodes[0]->Position, position);
  EXPECT_EQ(Core->History.Count(), 1u);
  EXPECT_EQ(Core->History.UndoCaption(), "Move");
  Activate();
  Surface()->setFocus();
  QTest::keyClick(Surface(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Core->Model->Nodes[0]->Position, position);
  EXPECT_EQ(Core->History.RedoCaption(), "Move");
}

TEST_F(TViewportTest, GridSpacingEntryAddsSortedItemAndRejectsText) {
  QComboBox* box = Frame().cbxGridEvery;
  box->setFocus();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), "0.2");
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  EXPECT_DOUBLE_EQ(Core->Grid.LineEvery, 0.2);
  ASSERT_GE(box->findText("0.2"), 0);
  EXPECT_EQ(box->findText("0.2"), box->findText("0.15") + 1);
  EXPECT_EQ(box->findText("1"), box->findText("0.2") + 1);

  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), "abc");
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  EXPECT_DOUBLE_EQ(Core->Grid.LineEvery, 0.2);
  EXPECT_EQ(Services.Errors, (std::vector<std::string>{"'abc' is not a valid floating point value"}));
  EXPECT_EQ(box->currentText(), "0.2");

  // A spacing of zero hides the grid: only the model's lines stay.
  Frame().SetLineEvery(0);
  const QImage bare = Shot("grid_off");
  EXPECT_EQ(CountPixels(bare, qRgb(64, 64, 64), 3), 0);
}

TEST_F(TViewportTest, EachFrameKeepsTheViewItDrewForPicking) {
  for (int camera = 0; camera < 4; ++camera) {
    SCOPED_TRACE(camera);
    Frame().Cameras->SetCurrent(camera);
    Frame().tacCamerasChange();
    Camera().X = 0.013;
    Camera().Y = -0.007;
    Frame().Redraw(false);
    const TViewTransform headless =
        MakeViewTransform(Camera(), Frame().glaMain->ClientWidth(), Frame().glaMain->ClientHeight());
    const TViewTransform& drawn = Frame().LastView;
    EXPECT_TRUE(std::equal(drawn.Viewport, drawn.Viewport + 4, headless.Viewport));
    EXPECT_TRUE(std::equal(drawn.Projection, drawn.Projection + 16, headless.Projection));
    EXPECT_TRUE(std::equal(drawn.ModelView, drawn.ModelView + 16, headless.ModelView));
  }
}

TEST_F(TViewportTest, TurnedFreeCameraShowsTheTexturedModelFromAbove) {
  Key(Qt::Key_4);
  Window->Action("actViewTextured")->trigger();
  Camera().RotX = -55;
  Camera().RotZ = -35;
  Frame().Redraw(false);
  const QImage frame = Shot("free_turned_textured");
  // The hull's top and the engines' sides are both in sight: grey and orange texels.
  EXPECT_GT(CountPixels(frame, [](QRgb p) {
              return qAbs(qRed(p) - qGreen(p)) < 8 && qAbs(qGreen(p) - qBlue(p)) < 8 && qRed(p) > 60;
            }),
            4000);
  EXPECT_GT(CountPixels(frame, [](QRgb p) { return qRed(p) > 150 && qGreen(p) > 60 && qGreen(p) < 200 && qBlue(p) < 80; }),
            200);
}

TEST_F(TViewportTest, ShiftMoveShiftsTheNodeOriginButNotItsChildren) {
  // The first node with a child: its origin moves, its children's positions compensate.
  TNode* parent = nullptr;
  for (TNode* n : Core->Model->Nodes)
    if (n->Child) parent = n;
  ASSERT_NE(parent, nullptr);
  Core->Nodes.Add(parent);
  Frame().actTMMove->trigger();
  const TVector position = parent->Position, pivot = parent->Pivot, child = parent->Child->Position;
  Drag({100, 100}, {140, 100}, Qt::ShiftModifier);
  const double dx = parent->Position.X - position.X;
  EXPECT_GT(dx, 0);
  EXPECT_DOUBLE_EQ(parent->Pivot.X, pivot.X - dx);
  EXPECT_DOUBLE_EQ(parent->Child->Position.X, child.X - dx);
  EXPECT_GT(Changes->PropertyUpdates, 0) << "the release refreshes the properties";
}

TEST_F(TViewportTest, ZoomPastTheCameraClampsOnTheNextMove) {
  const double z = Camera().Z;
  Hover({0, 100}, Qt::ControlModifier | Qt::AltModifier);
  QTest::mousePress(Surface(), Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, {0, 100});
  QTest::mouseEvent(QTest::MouseMove, Surface(), Qt::NoButton, Qt::ControlModifier | Qt::AltModifier, {1100, 100});
  EXPECT_NEAR(Camera().Z, z + 1100 * std::fabs(z) / 1000, 1e-12);
  EXPECT_GE(Camera().Z, 0);
  QTest::mouseEvent(QTest::MouseMove, Surface(), Qt::NoButton, Qt::ControlModifier | Qt::AltModifier, {1101, 100});
  EXPECT_EQ(Camera().Z, -0.000005);
  QTest::mouseRelease(Surface(), Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, {1101, 100});
}

TEST_F(TViewportTest, RightClickInSelectModeTogglesWhatIsUnderThePointer) {
  Frame().actEMVert->trigger();
  ASSERT_TRUE(Core->Model->Nodes[0]->Mesh);
  TVertex* target = Core->Model->Nodes[0]->Mesh->Vertices.Get(0);
  const QPoint at = Pixel(target->World);
  Hover(at);
  QTest::mousePress(Surface(), Qt::RightButton, {}, at);
  QTest::mouseRelease(Surface(), Qt::RightButton, {}, at);
  EXPECT_TRUE(Core->Vertices.Contains(target));
  for (TVertex* v : Core->Vertices) EXPECT_EQ(Pixel(v->World), at);
}

// The selected faces are outlined in the selection colour and tinted with it in every view
// mode, the Game mode included; selecting uploads nothing.
TEST_F(TViewportTest, SelectedFacesAreOutlinedAndTintedInEveryMode) {
  const struct { const char *Action, *Name; } modes[] = {
      {"actViewWireframe", "wireframe"}, {"actViewShaded", "solid"}, {"actViewTextured", "textured"},
      {"actViewGame", "game"}};
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
TEST_F(TViewportTest, AChangedMeshUploadsOnlyItself) {
  TMesh* mesh = nullptr;
  int meshes = 0;
  for (TNode* n : Core->Model->Nodes)
    if (n->Mesh && n->Mesh->Vertices.Count() > 0) mesh = n->Mesh.get(), ++meshes;
  ASSERT_GT(meshes, 1);
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
