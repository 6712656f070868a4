#include <QFontDatabase>

#include "tests/gui/GuiFixture.h"

namespace {

TEST_F(TWindowTest, StartsWithTheBannerOpensTheFirstArgumentAndRestartsItsDrawing) {
  StartWindow(Sample());
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - " + Sample());
  QListWidget* output = Window->OutputList();
  ASSERT_GE(output->count(), 1);
  const std::string banner = output->item(0)->text().toStdString();
  EXPECT_TRUE(std::regex_match(banner, std::regex(R"(ZARN Version \d+\.\d+\.\d+ \(.+\))"))) << banner;
  EXPECT_GT(Core->Model->Nodes.Count(), 1);
  // A face the desktop lacks would be replaced by any face at all; its UI font stands in.
  const QFont font = Window->font();
  EXPECT_TRUE(QFontDatabase::families().contains(font.family()) ||
              font == QFontDatabase::systemFont(QFontDatabase::GeneralFont))
      << font.family().toStdString();

  // The wireframe of the sample is drawn in the geometry colour on the black top view.
  const QImage frame = Shot("window_sample_top");
  EXPECT_GT(CountPixels(frame, qRgb(204, 204, 204)), 200);
  ShotWindow("window_sample");

  // Restart makes a fresh context; an inactive area shows a crossed placeholder.
  TGLArea& area = *Frame().glaMain;
  area.SetActive(true);  // already active: no second context
  EXPECT_TRUE(area.Active());
  QWidget* surface = area.Surface();

  const int rebuilds = Frame().Rebuilds;
  Window->Action("actViewRestartGL")->trigger();
  EXPECT_TRUE(area.Active());
  EXPECT_NE(area.Surface(), surface);
  EXPECT_GT(Frame().Rebuilds, rebuilds) << "the new context compiles the model again";
  EXPECT_EQ(Window->OutputList()->count(), 1) << "no \"OpenGL failed\"";
  EXPECT_GT(CountPixels(Shot("after_restart"), qRgb(204, 204, 204)), 200);

  area.SetActive(false);
  area.SetActive(false);
  EXPECT_EQ(area.Surface(), nullptr);
  const QImage placeholder = Saved(area.grab().toImage(), "inactive_placeholder");
  // Black background and a black cross: the corners and the centre are black, nothing else
  // is drawn.
  EXPECT_EQ(CountPixels(placeholder, qRgb(0, 0, 0), 0), placeholder.width() * placeholder.height());
  Frame().SetViewKind(3);
  const QImage blue = Saved(area.grab().toImage(), "inactive_placeholder_free");
  EXPECT_EQ(blue.pixel(blue.width() / 2, blue.height() / 2), qRgb(0, 0, 0));
  EXPECT_EQ(blue.pixel(blue.width() / 2, 5), qRgb(0, 111, 221));

  // Restart does nothing while the area is inactive.
  Window->Action("actViewRestartGL")->trigger();
  EXPECT_FALSE(area.Active());
}

}  // namespace
