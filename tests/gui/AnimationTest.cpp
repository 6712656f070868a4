// Animation > Open Animation... and the timeline bar: the sample fighter banks through its
// animation in the views, File > Export writes the pose shown, and closing the animation
// brings back the rest pose with the model never changed.

#include "tests/gui/GuiFixture.h"

namespace {

class Animation : public TWindowTest {
 protected:
  // Through the menu bar, as a user finds it.
  QAction* MenuEntry(const char* name) { return MenuAction("&Animation", name); }
  static std::string Key() { return std::string(ZARN_SAMPLES_DIR) + "/fighter-bank.key"; }
  std::vector<TVector> Worlds() { return VertexValues(&TVertex::World); }
};

TEST_F(Animation, PlaysTheSampleAndTheViewsShowEachFrame) {
  StartWindow(Sample(), 900, 700);
  Frame().SetViewMode(1);
  // The menu comes before Help.
  QStringList bar;
  for (const QAction* menu : Window->menuBar()->actions()) bar << menu->text();
  ASSERT_EQ(bar.indexOf("&Help"), bar.indexOf("&Animation") + 1);
  ASSERT_FALSE(MenuEntry("actAnimationClose")->isEnabled());
  EXPECT_FALSE(Bar().isVisible());
  const std::vector<TVector> rest = Worlds();
  const std::string saved = SavedText(*Core->Model);
  QTest::qWait(50);
  const QImage restShot = Shot("animation_rest");

  Services.FileNames = {Key()};
  MenuEntry("actAnimationOpen")->trigger();
  ASSERT_TRUE(Services.Errors.empty()) << Services.Errors.front();
  ASSERT_TRUE(Bar().isVisible());
  EXPECT_TRUE(MenuEntry("actAnimationClose")->isEnabled());
  EXPECT_EQ(Bar().sldFrame->maximum(), 39);
  EXPECT_EQ(Bar().lblFrame->text(), "Frame 0.0 / 40");
  // The sample's nodes the animation leaves alone are named in the output.
  EXPECT_EQ(Window->OutputList()->item(Window->OutputList()->count() - 1)->text(),
            "fighter-bank.key: model node 4 'engine_r' is not in the animation and keeps its rest pose");
  QTest::qWait(50);
  const QImage first = Shot("animation_frame_0");

  // Frame 0 is the sample's rest pose.
  ExpectNear(Worlds(), rest, 1e-12);
  // Frame 10: the hull rolled 15 degrees and risen 0.005, the fin turned to yaw 15.
  Bar().sldFrame->setValue(10);
  EXPECT_EQ(Bar().Frame(), 10);
  EXPECT_EQ(Bar().lblFrame->text(), "Frame 10.0 / 40");
  QTest::qWait(50);
  const QImage tenth = Shot("animation_frame_10");
  EXPECT_NE(first, tenth);
  EXPECT_EQ(SavedText(*Core->Model), saved);  // posing changed nothing the file holds

  // Selection picks what is drawn: a click on the turned fin's first corner selects it, far
  // from where that corner stands at rest.
  Frame().actEMVert->trigger();
  TMesh& fin = *Core->Model->Nodes[5]->Mesh;
  const QPoint corner = Pixel(fin.Vertices[0]->World);
  EXPECT_GT((corner - Pixel(rest[rest.size() - static_cast<size_t>(fin.Vertices.Count())])).manhattanLength(), 10);
  Hover(corner);
  QTest::mouseClick(Surface(), Qt::LeftButton, {}, corner);
  EXPECT_TRUE(Core->Vertices.Contains(fin.Vertices[0]));
  EXPECT_EQ(Core->Vertices.Count(), 1);
  Window->Action("actSelClear")->trigger();
  Frame().actEMNode->trigger();
  EXPECT_FALSE(Core->History.Modified());

  // File > Export writes the pose shown: the hull's first vertex (-0.04, -0.08, -0.015) rolled
  // 15 degrees about y and lifted 0.005, with z up.
  Services.FileNames = {Path("posed.obj")};
  Services.Answers["Up_axis"] = "z";
  Window->Action("actFileExport")->trigger();
  EXPECT_NE(ReadWholeFile(Path("posed.obj")).find("\no hull\nv -0.042519 -0.08 0.000864\n"), std::string::npos);
  // A glTF export asks nothing and holds the open animation, named after its file.
  Services.Answers.clear();
  Run("actFileExport", {Path("banked.glb")});
  const std::string glb = ReadWholeFile(Path("banked.glb"));
  EXPECT_EQ(glb.substr(0, 4), "glTF");
  EXPECT_NE(glb.find("\"animations\":[{\"channels\""), std::string::npos);
  EXPECT_NE(glb.find("\"name\":\"fighter-bank\""), std::string::npos);

  // Playing moves on by the time that passes; the step buttons pause and move one frame.
  QTest::mouseClick(Bar().btnPlay, Qt::LeftButton);
  EXPECT_TRUE(Bar().Playing());
  QTest::qWait(300);
  EXPECT_GT(Bar().Frame(), 12);  // 20 frames a second from frame 10: about 16
  QTest::mouseClick(Bar().btnBack, Qt::LeftButton);
  EXPECT_FALSE(Bar().Playing());
  Bar().SetPlaying(true);
  QTest::mousePress(Bar().sldFrame, Qt::LeftButton, {}, Bar().sldFrame->rect().center());
  EXPECT_FALSE(Bar().Playing());  // the frame taken in hand
  QTest::mouseRelease(Bar().sldFrame, Qt::LeftButton, {}, Bar().sldFrame->rect().center());
  QTest::mouseClick(Bar().btnBack, Qt::LeftButton);
  const double stepped = Bar().Frame();
  EXPECT_EQ(stepped, std::floor(stepped));
  QTest::mouseClick(Bar().btnForward, Qt::LeftButton);
  EXPECT_EQ(Bar().Frame(), stepped + 1 < 40 ? stepped + 1 : 0);
  // Past the end a loop starts again; without loop the last frame stays.
  Bar().SetSpeed(4);
  EXPECT_EQ(Bar().spnSpeed->value(), 4);
  Bar().SetFrame(39);
  Bar().Advance(0.1);  // two frames at 20 a second, at 4x eight
  EXPECT_NEAR(Bar().Frame(), 7, 1e-9);
  QTest::mouseClick(Bar().chkLoop, Qt::LeftButton);
  Bar().SetFrame(38);
  Bar().SetPlaying(true);
  Bar().Advance(1);
  EXPECT_EQ(Bar().Frame(), 39);
  EXPECT_FALSE(Bar().Playing());

  MenuEntry("actAnimationClose")->trigger();
  EXPECT_FALSE(Bar().isVisible());
  EXPECT_FALSE(MenuEntry("actAnimationClose")->isEnabled());
  ExpectNear(Worlds(), rest);
  QTest::qWait(50);
  EXPECT_EQ(Shot("animation_closed"), restShot);
}

TEST_F(Animation, AContainersAnimationIsChosenInTheContainerDialog) {
  StartWindow(Sample());
  ASSERT_NE(MenuEntry("actAnimationOpen"), nullptr);
  const std::string gob =
      Write("res.gob", fmt_test::MakeGob({{"3do\\fighter.3do", "x"},
                                          {"3do\\key\\bank.key", ReadWholeFile(Key())},
                                          {"3do\\key\\cut.key", "SECTION: HEADER\n"}}));
  std::vector<std::string> rows;
  QString details, broken;
  WhenModalShown<TGobDialog>([&](TGobDialog& d) {
    rows = Rows(*d.lbxFiles);
    auto* text = d.findChild<QPlainTextEdit*>("memKeyDetails");
    d.lbxFiles->setCurrentRow(1);
    broken = text->toPlainText();
    d.lbxFiles->setCurrentRow(0);
    details = text->toPlainText();
    SaveScreenshot(&d, "animation_container_dialog");
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
  Services.FileNames = {gob};
  MenuEntry("actAnimationOpen")->trigger();
  EXPECT_EQ(rows, (std::vector<std::string>{"bank.key", "cut.key"}));
  EXPECT_EQ(broken, "cut.key: the header lacks FRAMES");
  EXPECT_TRUE(details.startsWith("flags: 0x0000\ntype: 0x0000\nframes: 40\nfps: 20\njoints: 6\nmarkers: 1\n"
                                 "  frame 20 type 0\nnodes: 2\n  0 hull: 2 entries\n  5 fin: 3 entries\n"))
      << details.toStdString();
  EXPECT_TRUE(Bar().isVisible());
  EXPECT_EQ(Bar().Animation()->Frames, 40);

  // A damaged animation is refused with its reason and leaves the open one playing.
  Services.FileNames = {Write("bad.key", "SECTION: HEADER\nFRAMES 4\n")};
  MenuEntry("actAnimationOpen")->trigger();
  ASSERT_EQ(Services.Errors.size(), 1u);
  EXPECT_EQ(Services.Errors[0], "bad.key: the header lacks FPS");
  EXPECT_EQ(Bar().Animation()->Frames, 40);
}

// An animation belongs to the model it was opened on: every way of putting another model in
// its place closes it with one line (the core's ReplaceModel checks the selections and modes).
TEST_F(Animation, ClosesWhenAnotherModelTakesThePlaceOfItsModel) {
  StartWindow(Sample(), 900, 700);
  const std::string copy = Write("copy.3do", ReadWholeFile(Sample()));
  const std::string gob = Write("res.gob", fmt_test::MakeGob({{"3do\\fighter.3do", ReadWholeFile(Sample())}}));
  const struct { const char *Way, *Action; std::string File; } rows[] = {
      {"open", "actFileOpen", copy}, {"import", "actFileImport", copy}, {"new", "actFileNew", ""},
              {"revert", "actFileRevert", ""}, {"container", "actFileOpen", gob}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Way);
    Run("actFileOpen", {Sample()});
    const std::vector<TVector> rest = Worlds();
    Services.FileNames = {Key()};
    MenuEntry("actAnimationOpen")->trigger();
    Bar().sldFrame->setValue(10);
    ASSERT_FALSE(Core->Pose.empty());

    if (std::string(row.Way) == "container") PickContainerEntry();
    Run(row.Action, {row.File});

    EXPECT_FALSE(Bar().isVisible());
    EXPECT_FALSE(MenuEntry("actAnimationClose")->isEnabled());
    EXPECT_TRUE(Core->Pose.empty());
    if (Core->Model->Nodes.Count() > 0) ExpectNear(Worlds(), rest);
    int closed = 0;
    for (int i = 0; i < Window->OutputList()->count(); ++i)
      closed += Window->OutputList()->item(i)->text() == "Animation fighter-bank.key closed: another model was opened";
    EXPECT_EQ(closed, 1);
    Window->OutputList()->clear();
  }
}

}  // namespace
