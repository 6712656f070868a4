#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <cstdlib>

#include "tests/gui/GuiFixture.h"
#include "model/VersionInfo.h"

int CountPixels(const QImage& image, QRgb colour, int tolerance) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (std::abs(qRed(p) - qRed(colour)) <= tolerance && std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
          std::abs(qBlue(p) - qBlue(colour)) <= tolerance)
        ++count;
    }
  return count;
}

namespace {

TEST_F(TWindowTest, StartsUntitledWithTheBannerAndOpensTheFirstArgument) {
  StartWindow(Sample());
  EXPECT_EQ(Window->windowTitle().toStdString(), GetProductName() + " - " + Sample());
  QListWidget* output = Window->OutputList();
  ASSERT_GE(output->count(), 1);
  const std::string banner = output->item(0)->text().toStdString();
  EXPECT_EQ(banner.rfind(GetProductName() + " Version " + GetVersionString(VersionParts) + " (", 0), 0u) << banner;
  EXPECT_EQ(banner.back(), ')');
  EXPECT_GT(Core->Model->Nodes.Count(), 1);

  // The wireframe of the sample is drawn in the geometry colour on the black top view.
  const QImage frame = Shot("window_sample_top");
  EXPECT_GT(CountPixels(frame, qRgb(204, 204, 204)), 200);
  ShotWindow("window_sample");
}

TEST_F(TWindowTest, NoArgumentLeavesAnUntitledEmptyModel) {
  StartWindow();
  EXPECT_EQ(Window->windowTitle().toStdString(), GetProductName() + " - Untitled.3do");
  EXPECT_EQ(Core->Model->Nodes.Count(), 0);
  EXPECT_DOUBLE_EQ(Camera().Z, -0.5);
}

}  // namespace
