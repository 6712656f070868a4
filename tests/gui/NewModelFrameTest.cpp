// A new model in the window (File > Open, New, Revert) costs one frame, drawn with the
// cameras fitted to it: every setting the window applies on the way would draw a big mesh
// again.
#include <QImage>

#include "tests/gui/GuiFixture.h"

namespace {

class TNewModelFrameTest : public TWindowTest {
 protected:
  void SetUp() override {
    StartWindow();
    Render = Frame().glaMain->OnRender;
    Frame().glaMain->OnRender = [this] {
      ++Frames;
      Render();
    };
  }
  std::function<void()> Render;
  int Frames = 0;
};

TEST_F(TNewModelFrameTest, OpenNewAndRevertDrawOnce) {
  const struct { const char* Name; std::function<void()> Run; } commands[] = {
      {"open", [this] { Window->OpenFile(Sample()); }},
      {"revert", [this] { Window->Action("acnFileRevert")->trigger(); }},
      {"new", [this] { Window->Action("actFileNew")->trigger(); }},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.Name);
    Frames = 0;
    const int rebuilds = Frame().Rebuilds;
    c.Run();
    EXPECT_EQ(Frames, 1);
    EXPECT_EQ(Frame().Rebuilds, rebuilds + 1) << "the one frame shows the new model";
  }
}

// The one frame shows the whole model with the Top camera fitted to it.
TEST_F(TNewModelFrameTest, TheFrameShowsTheOpenedModel) {
  Window->OpenFile(Sample());
  const QImage shot = Shot("new_model_frame_open");
  // Wireframe in the model's colour (0.8 grey) in every quarter of the middle of the view.
  const int w = shot.width(), h = shot.height();
  int quarters = 0;
  for (int q = 0; q < 4; ++q) {
    const QImage part = shot.copy(w / 4 + (q % 2) * w / 4, h / 4 + (q / 2) * h / 4, w / 4, h / 4);
    quarters += CountPixels(part, qRgb(204, 204, 204), 8) > 20;
  }
  EXPECT_EQ(quarters, 4);
}

// A file that does not read leaves the picture as it was, without a frame.
TEST_F(TNewModelFrameTest, AFailedOpenDrawsNothing) {
  Window->OpenFile(Sample());
  Frames = 0;
  Window->OpenFile(Write("bad.3do", "not a model"));
  EXPECT_EQ(Frames, 0);
  EXPECT_GT(Core->Model->Nodes.Count(), 0) << "the model open before stays";
}

}  // namespace
