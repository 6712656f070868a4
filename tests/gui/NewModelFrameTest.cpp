// A new model in the window (File > Open, New, Revert) costs one frame, drawn with the
// cameras fitted to it: every setting the window applies on the way would draw a big mesh
// again.
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

// A file that does not read leaves the picture and the model as they were, without a frame.
TEST_F(TNewModelFrameTest, OpenNewAndRevertDrawOnceAndAFailedOpenNotAtAll) {
  const struct { const char* Name; std::function<void()> Run; int Frames; } commands[] = {
      {"open", [this] { Window->OpenFile(Sample()); }, 1},
      {"failed open", [this] { Window->OpenFile(Write("bad.3do", "not a model")); }, 0},
      {"revert", [this] { Window->Action("actFileRevert")->trigger(); }, 1},
      {"new", [this] { Window->Action("actFileNew")->trigger(); }, 1},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.Name);
    Frames = 0;
    const int rebuilds = Frame().Rebuilds;
    c.Run();
    EXPECT_EQ(Frames, c.Frames);
    EXPECT_EQ(Frame().Rebuilds, rebuilds + c.Frames) << "the one frame shows the new model";
    EXPECT_EQ(Core->Model->Nodes.Count() > 0, c.Name != std::string("new")) << "the model open before stays";
  }
  // The one frame shows the whole model with the Top camera fitted to it: wireframe in the
  // model's colour (0.8 grey) in every quarter of the middle of the view.
  Window->OpenFile(Sample());
  const QImage shot = Shot("new_model_frame_open");
  const int w = shot.width(), h = shot.height();
  int quarters = 0;
  for (int q = 0; q < 4; ++q)
    quarters += CountPixels(shot.copy(w / 4 + (q % 2) * w / 4, h / 4 + (q / 2) * h / 4, w / 4, h / 4),
                            qRgb(204, 204, 204), 8) > 20;
  EXPECT_EQ(quarters, 4);
}

}  // namespace
