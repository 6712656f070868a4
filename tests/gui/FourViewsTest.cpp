
#include "camera/ViewPanes.h"
#include "tests/gui/SettingsFixture.h"

namespace {

constexpr QRgb kFrame = qRgb(255, 178, 38);  // the active pane's band
constexpr QRgb kBack2D = qRgb(0, 0, 0);      // the Top, Front and Side cameras' background
constexpr QRgb kBack3D = qRgb(0, 111, 221);  // the Free camera's

class TFourViewsTest : public TSettingsTest {
 protected:
  void ShowFour() {
    StartWindow(Sample());
    Window->Action("actViewFourViews")->trigger();
    ASSERT_TRUE(Frame().FourViews());
  }
  TViewPane PaneOf(int index) {
    return FourViewPane(index, Frame().glaMain->ClientWidth(), Frame().glaMain->ClientHeight());
  }
  QPoint Centre(int index) {
    const TViewPane p = PaneOf(index);
    return {p.Left + p.Width / 2, p.Top + p.Height / 2};
  }
  static QImage Part(const QImage& image, const TViewPane& p) { return image.copy(p.Left, p.Top, p.Width, p.Height); }
};

// Every camera draws the model in its own quarter, on its own background, with its name; the
// band marks the current camera alone and follows the press into another pane.
TEST_F(TFourViewsTest, EachCameraDrawsInItsQuarterAndTheActiveOneIsFramed) {
  ShowFour();
  const QImage top = Shot("four_views_top_active");
  for (int i = 0; i < PaneCount; ++i) {
    SCOPED_TRACE(i);
    const QImage part = Part(top, PaneOf(i));
    const int area = part.width() * part.height();
    const int background = CountPixels(part, i == 3 ? kBack3D : kBack2D, 4);
    EXPECT_GT(background, area / 2) << "the pane's own background";
    EXPECT_GT(area - background, area / 50) << "the model drawn in it";
    EXPECT_GT(DistinctColours(part), 4);
    EXPECT_EQ(CountPixels(part, kFrame, 4) > 0, i == 0) << "only the Top camera is framed";
  }
  Drag(Centre(3), Centre(3), Qt::ControlModifier | Qt::AltModifier);  // a zoom that goes nowhere
  EXPECT_EQ(Frame().CurrentCamera(), 3);
  const QImage free = Shot("four_views_free_active");
  for (int i = 0; i < PaneCount; ++i)
    EXPECT_EQ(CountPixels(Part(free, PaneOf(i)), kFrame, 4) > 0, i == 3) << i;

  // The selection shows in every pane, whatever its camera's mode.
  Window->Action("actViewGame")->trigger();
  Frame().actEMFace->trigger();
  Window->Action("actSelAll")->trigger();
  const QImage selected = Shot("four_views_selected");
  for (int i = 0; i < PaneCount; ++i)
    EXPECT_GT(CountPixels(Part(selected, PaneOf(i)), qRgb(255, 0, 0), 0), 200) << i;
}

// A rectangle dragged over the whole Side pane takes every face in through that camera; the
// same drag in the Front pane's left half takes only some.
TEST_F(TFourViewsTest, ARectangleSelectsAndTheWheelZoomsThroughThePaneUnderThePointer) {
  ShowFour();
  Frame().actEMFace->trigger();
  const int faces = FaceCount();
  const TViewPane side = PaneOf(2);
  Drag({side.Left + 3, side.Top + 3}, {side.Left + side.Width - 4, side.Top + side.Height - 4});
  EXPECT_EQ(Frame().CurrentCamera(), 2);
  EXPECT_EQ(Core->Surfaces.Count(), faces);

  Window->Action("actSelClear")->trigger();
  const TViewPane front = PaneOf(1);
  Drag({front.Left + 3, front.Top + 3}, {front.Left + front.Width / 2, front.Top + front.Height - 4});
  EXPECT_EQ(Frame().CurrentCamera(), 1);
  EXPECT_GT(Core->Surfaces.Count(), 0);
  EXPECT_LT(Core->Surfaces.Count(), faces);

  // The wheel zooms the camera of the pane under the pointer, keeping the point under it, and
  // leaves the other cameras alone.
  double before[PaneCount];
  for (int i = 0; i < PaneCount; ++i) before[i] = Frame().Cameras->Get(i).Rec.Z;
  const TViewPane free = PaneOf(3);
  const QPoint at(free.Left + free.Width / 3, free.Top + free.Height / 3);
  Hover(at);
  Wheel(at, 120);
  ASSERT_EQ(Frame().CurrentCamera(), 3);
  const TVector under = ScreenToWorld(Frame().LastView, at.x() - free.Left + 0.5, at.y() - free.Top + 0.5);
  Wheel(at, 120);
  EXPECT_EQ(Pixel(under) + QPoint(free.Left, free.Top), at);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Frame().Cameras->Get(i).Rec.Z, before[i]) << i;
  EXPECT_NE(Frame().Cameras->Get(3).Rec.Z, before[3]);
}

// The layout is kept between runs, and the menu shows it; turned off, one camera fills the area.
TEST_F(TFourViewsTest, TheLayoutIsRemembered) {
  ShowFour();
  Restart(Sample());
  EXPECT_TRUE(Frame().FourViews());
  EXPECT_TRUE(Window->Action("actViewFourViews")->isChecked());
  Window->Action("actViewFourViews")->trigger();
  EXPECT_FALSE(Frame().FourViews());
  const QImage one = Shot("four_views_off");
  EXPECT_EQ(CountPixels(one, kFrame, 4), 0);
  EXPECT_EQ(CountPixels(one, kBack3D, 4), 0) << "the Top camera alone";
  Restart();
  EXPECT_FALSE(Frame().FourViews());
}

}  // namespace
