// View > Texture Coordinates: the selected faces over their material, dragged by the mouse.

#include "app/TextureWindow.h"
#include "tests/gui/GuiFixture.h"

namespace {

class TextureWindow : public TWindowTest {
 protected:
  // The sample opened, the hull's first face selected in `mode`, the window shown at zoom 4
  // with texel (0, 0) at pixel (8, 8).
  TFace* Open(TEditMode mode) {
    StartWindow(Sample(), 900, 600);
    TFace* face = Core->Model->Nodes[0]->Mesh->Surfaces[0];
    Frame().SetEditMode(mode);
    if (mode == emSurface) Core->ToggleSurface(face);
    else
      for (TVertex* v : face->Vertices)
        if (!Core->Vertices.Contains(v)) Core->ToggleVertex(v);
    Window->Action("actViewTexCoords")->trigger();
    Texture = Window->findChild<TTextureWindow*>("frmTexture");
    EXPECT_NE(Texture, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Texture));
    Opened = Texture->View();
    Saved(Texture->grab().toImage(), "texture_window_fitted");
    Texture->View() = TTexelView{4, 8, 8};
    Texture->Refresh();
    return face;
  }
  QPoint PixelOf(double u, double v) {
    const TTexelView& view = Texture->View();
    return QPoint(static_cast<int>(std::lround(view.X(u))), static_cast<int>(std::lround(view.Y(v))));
  }
  void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::MouseButton button = Qt::NoButton) {
    QWidget* canvas = Texture->Canvas();
    QMouseEvent e(type, at, canvas->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &e);
  }
  void DragOnCanvas(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    Send(QEvent::MouseButtonPress, from, button, button);
    for (int i = 1; i <= 4; ++i) Send(QEvent::MouseMove, from + (to - from) * i / 4, button);
    Send(QEvent::MouseButtonRelease, to, Qt::NoButton, button);
  }
  static std::vector<std::pair<float, float>> Coordinates(const TFace& face) {
    std::vector<std::pair<float, float>> uv;
    for (const TTXVertex& t : face.TXVertices) uv.emplace_back(t.U, t.V);
    return uv;
  }
  static std::vector<std::pair<float, float>> Moved(std::vector<std::pair<float, float>> uv, float du, float dv,
                                                    std::vector<int> which) {
    for (int k : which) uv[static_cast<size_t>(k)] = {uv[static_cast<size_t>(k)].first + du, uv[static_cast<size_t>(k)].second + dv};
    return uv;
  }
  TTextureWindow* Texture = nullptr;
  TTexelView Opened;  // as the window opened
};

TEST_F(TextureWindow, DraggingAFaceMovesItsCornersByTexelsInOneUndoStepAndLookingChangesNothing) {
  TFace* face = Open(emSurface);
  const auto before = Coordinates(*face);
  double u = 0, v = 0;
  for (const auto& [cu, cv] : before) u += cu / before.size(), v += cv / before.size();
  const int rebuilds = Frame().Rebuilds;
  // 40 pixels right and 20 up at 4 pixels a texel: 10 texels along u, -5 along v.
  DragOnCanvas(PixelOf(u, v), PixelOf(u, v) + QPoint(40, -20));
  EXPECT_EQ(Coordinates(*face), Moved(before, 10, -5, {0, 1, 2, 3}));
  QCoreApplication::processEvents();
  EXPECT_GT(Frame().Rebuilds + Changes->Rebuilds, rebuilds) << "the views show the change at once";
  EXPECT_EQ(Core->History.UndoCaption(), "Move Texture Coordinates");
  Window->Action("actEditUndo")->trigger();
  EXPECT_EQ(Coordinates(*face), before);
  EXPECT_FALSE(Core->History.CanUndo()) << "the whole drag was one step";
  EXPECT_TRUE(Texture->windowTitle().endsWith("hull.mat")) << Texture->windowTitle().toStdString();

  // It opened with the whole material in the middle, as large as 8 pixels of margin allow; the
  // wheel zooms at the pointer and a right drag pans, changing nothing.
  const QSize canvas = Texture->Canvas()->size();
  const double left = Opened.X(0), right = canvas.width() - Opened.X(face->Material->Width);
  const double top = Opened.Y(0), bottom = canvas.height() - Opened.Y(face->Material->Height);
  EXPECT_DOUBLE_EQ(left, right);
  EXPECT_DOUBLE_EQ(top, bottom);
  EXPECT_DOUBLE_EQ(std::min(left, top), 8);
  const QPoint at(108, 48);  // texel (25, 10)
  QWheelEvent wheel(at, Texture->Canvas()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(Texture->Canvas(), &wheel);
  EXPECT_DOUBLE_EQ(Texture->View().Zoom, 5);
  EXPECT_DOUBLE_EQ(Texture->View().U(108), 25);
  EXPECT_DOUBLE_EQ(Texture->View().V(48), 10);
  DragOnCanvas(QPoint(100, 100), QPoint(130, 90), Qt::RightButton);
  EXPECT_DOUBLE_EQ(Texture->View().U(138), 25);
  EXPECT_DOUBLE_EQ(Texture->View().V(38), 10);
  EXPECT_FALSE(Core->History.CanUndo()) << "looking changes nothing";
}

TEST_F(TextureWindow, VertexModeDragsOneCornerAndARectanglePicksSeveral) {
  TFace* face = Open(emVertex);
  const auto before = Coordinates(*face);
  DragOnCanvas(PixelOf(before[0].first, before[0].second), PixelOf(before[0].first, before[0].second) + QPoint(-8, 12));
  EXPECT_EQ(Coordinates(*face), Moved(before, -2, 3, {0}));
  // A band from the picture's top left over the whole face picks every corner; a drag from
  // one of them moves them all.
  const auto now = Coordinates(*face);
  DragOnCanvas(QPoint(1, 1), PixelOf(200, 200));
  DragOnCanvas(PixelOf(now[2].first, now[2].second), PixelOf(now[2].first, now[2].second) + QPoint(4, 4));
  EXPECT_EQ(Coordinates(*face), Moved(now, 1, 1, {0, 1, 2, 3}));
}

TEST_F(TextureWindow, FacesOfOtherMaterialsAreListedNotDrawn) {
  StartWindow(Sample(), 900, 600);
  Frame().SetEditMode(emNode);
  Window->Action("actSelAll")->trigger();
  Window->Action("actViewTexCoords")->trigger();
  auto* texture = Window->findChild<TTextureWindow*>("frmTexture");
  ASSERT_NE(texture, nullptr);
  texture->Refresh();
  EXPECT_TRUE(texture->OtherFaces()->text().startsWith("Not drawn: ")) << texture->OtherFaces()->text().toStdString();
  Saved(texture->grab().toImage(), "texture_window_whole_model");
}

}  // namespace
