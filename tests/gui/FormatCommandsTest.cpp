#include <QProgressBar>
#include <QScreen>
#include <QTabBar>
#include <chrono>
#include <thread>

#include "tests/gui/GuiFixture.h"

namespace {

class TFormatCommandsTest : public TWindowTest {
 protected:
  void SetUp() override { StartWindow({}, 640, 560); }
  // The free view, textured.
  void FreeViewTextured() {
    Frame().tacCameras->setCurrentIndex(3);
    Window->Action("actViewTextured")->trigger();
  }
};

TEST_F(TFormatCommandsTest, MaterialsBesideTheModelAreDrawnAsTextures) {
  Window->OpenFile(Sample());
  ASSERT_EQ(Core->Model->Materials.Count(), 4);
  for (const TMaterial* m : Core->Model->Materials) EXPECT_TRUE(m->Loaded) << m->Name;
  EXPECT_TRUE(Services.Output.empty() || Services.Output.back().find("not found") == std::string::npos);
  Frame().tacCameras->setCurrentIndex(3);
  Window->Action("actViewShaded")->trigger();
  const QImage shaded = Shot("fighter_shaded");
  FreeViewTextured();
  const QImage textured = Shot("fighter_textured");
  for (const TMaterial* m : Core->Model->Materials) EXPECT_GE(m->TextureName, 0) << m->Name;
  EXPECT_NE(shaded, textured);
  // The hull's panels, seams and rivets and the engines' glow give far more colours than
  // flat shading does.
  EXPECT_GT(DistinctColours(textured), DistinctColours(shaded));

  // Later frames and material additions reuse the textures made: each is uploaded once.
  std::vector<int> names;
  for (const TMaterial* m : Core->Model->Materials) names.push_back(m->TextureName);
  Core->Model->Materials.FindOrAdd("missing.mat");
  Frame().Redraw(true);
  Shot("fighter_textured_again");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Core->Model->Materials.Get(i)->TextureName, names[static_cast<size_t>(i)]);
  EXPECT_LT(Core->Model->Materials.Get(4)->TextureName, 0);  // not found: drawn untextured
}

TEST_F(TFormatCommandsTest, OpenedObjFilesStartAnUntitledModelAndImportedOnesJoinIt) {
  Window->OpenFile(Sample());
  const std::string obj = Write("tri.OBJ", "v 0 0 0\r\nv 0.1 0 0\r\nv 0 0.1 0\r\nf 1 2 3\r\n");
  Window->OpenFile(obj);
  EXPECT_EQ(Core->Model->Nodes.Count(), 1);
  EXPECT_TRUE(Core->Model->FileName.empty());
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - Untitled.3do");

  Services.FileNames = {obj};
  AcceptObjImport();
  Window->Action("actFileImport")->trigger();
  EXPECT_EQ(Core->Model->Nodes.Count(), 2);

  // Bad content ends the import with the error box and adds nothing.
  Services.FileNames = {Write("bad.obj", "v 0 0 0\nf 1 2 9\n")};
  AcceptObjImport();
  Window->Action("actFileImport")->trigger();
  // The second corner already.
  EXPECT_EQ(Services.Errors, std::vector<std::string>{"Vertex Index is out of bounds: 1"});
  EXPECT_EQ(Core->Model->Nodes.Count(), 2);
}

// A big import shows the bar and the busy pointer while it runs, and paints the window
// meanwhile: a window closed just before leaves no picture of itself behind.
TEST_F(TFormatCommandsTest, BigImportsShowTheirProgressAndPaintTheWindow) {
  std::string text;  // 300,000 vertices and faces: 11 MB
  for (int i = 0; i < 300000; ++i) text += "v " + std::to_string(i % 547) + " " + std::to_string(i / 547) + " 0\n";
  for (int i = 1; i < 299000; ++i) text += "f " + std::to_string(i) + " " + std::to_string(i + 1) + " " + std::to_string(i + 547) + "\n";
  Services.FileNames = {Write("big.obj", text)};
  QWidget cover(nullptr, Qt::X11BypassWindowManagerHint);
  cover.setStyleSheet("background: magenta");
  cover.setGeometry(QRect(Window->mapToGlobal(QPoint(0, 0)), Window->size()));
  cover.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
  cover.hide();
  const auto screen = [] { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); };
  ASSERT_GT(CountPixels(screen(), qRgb(255, 0, 255)), 10000);  // the server has not been told to repaint it yet
  QImage shot;
  Services.OnProgressStep = [&] {
    const QProgressBar* bar = Window->Progress().Bar();
    if (!shot.isNull()) return;
    // The bar waits for work that lasts; a slow disk stands in for a fast machine's speed.
    if (!bar->isVisible()) return std::this_thread::sleep_for(std::chrono::milliseconds(60));
    shot = Saved(screen(), "progress_bar_during_import");
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  };
  AcceptObjImport();
  Window->Action("actFileImport")->trigger();
  ASSERT_FALSE(shot.isNull()) << "the bar never showed";
  EXPECT_EQ(CountPixels(shot, qRgb(255, 0, 255)), 0);
  EXPECT_FALSE(Window->Progress().Bar()->isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Core->Model->Nodes[0]->Mesh->Surfaces.Count(), 298999);
}

TEST_F(TFormatCommandsTest, ModelsOpenFromAContainerWithTheirMaterials) {
  std::vector<fmt_test::TEntrySpec> entries = SampleMaterials();
  entries.insert(entries.begin(), {"3do\\fighter.3do", ReadWholeFile(Sample())});
  const std::string gob = Write("res.GOB", fmt_test::MakeGob(entries));
  PickContainerEntry();
  Window->OpenFile(gob);
  EXPECT_EQ(Core->Model->FileName, gob + " > 3do\\fighter.3do");
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - " + gob + " > 3do\\fighter.3do");
  EXPECT_EQ(Core->Model->Nodes.Count(), 6);
  for (const TMaterial* m : Core->Model->Materials) EXPECT_TRUE(m->Loaded) << m->Name;
  EXPECT_TRUE(Core->ResourceList.empty());

  // A cancelled dialog keeps the model.
  WhenModalShown([](QWidget* w) { QTest::mouseClick(qobject_cast<TGobDialog*>(w)->btnCancel, Qt::LeftButton); });
  Window->OpenFile(gob);
  EXPECT_EQ(Core->Model->Nodes.Count(), 6);

  // Something that is no container is reported and changes nothing.
  const std::string fake = Write("fake.goo", "plain text");
  Run("actFileOpen", {fake});
  EXPECT_EQ(Services.Errors, std::vector<std::string>{"Failed to load GOB/GOO '" + fake + "'"});
  EXPECT_EQ(Core->Model->Nodes.Count(), 6);
}

}  // namespace
