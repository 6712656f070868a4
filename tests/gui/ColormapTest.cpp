// View > Colormap...: the list of colormaps a model can be seen with, the materials decoded
// through the chosen one, the choice kept across a restart, and a container's own colormap.
#include <QInputDialog>

#include "tests/gui/SettingsFixture.h"

using namespace fmt_test;

namespace {

namespace fs = std::filesystem;

class Colormap : public TSettingsTest {
 protected:
  void SetUp() override {
    TSettingsTest::SetUp();
    fs::create_directories(Path("Misc/CMP"));
    Write("ship.3do", Read(Sample()));  // its hull.mat here an 8-bit texture of two texels of index 6
    Write("hull.mat", MakeTextureMat(2, 1, 8, std::string(2, '\x06')));
    Write("Misc/CMP/dark.cmp", MakeCmp(0, 42));
    Write("level.cmp", MakeCmp(0, 7));
  }
  std::vector<uint8_t> SixPixels() { return Core->Model->Materials.Find("hull.mat")->Pixels; }
  // Opens View > Colormap..., records its rows and picks the row ending in `suffix`.
  std::vector<std::string> ChooseFromMenu(const std::string& suffix) {
    std::vector<std::string> rows;
    WhenModalShown<QInputDialog>([&rows, suffix](QInputDialog& dialog) {
      auto* box = dialog.findChild<QComboBox*>();
      for (int i = 0; box && i < box->count(); ++i) {
        rows.push_back(box->itemText(i).toStdString());
        if (rows.back().ends_with(suffix)) box->setCurrentIndex(i);
      }
      dialog.accept();
    });
    if (QAction* entry = MenuAction("&View", "actViewColormap")) entry->trigger();
    return rows;
  }
};

TEST_F(Colormap, ChosenInTheViewMenuDecodesTheMaterialsAndIsKeptAcrossARestart) {
  StartWindow();
  Window->OpenFile(Path("ship.3do"));
  const std::vector<uint8_t> builtIn = SixPixels();
  ASSERT_EQ(builtIn.size(), 6u);
  EXPECT_NE(builtIn[1], 249);

  EXPECT_EQ(ChooseFromMenu("dark.cmp"),
            (std::vector<std::string>{"Built-in", Path("level.cmp"), Path("Misc/CMP/dark.cmp")}));
  EXPECT_EQ(SixPixels(), (std::vector<uint8_t>{6, 249, 42, 6, 249, 42}));
  Shot("colormap-dark");

  Restart(Path("ship.3do"));
  EXPECT_EQ(SixPixels(), (std::vector<uint8_t>{6, 249, 42, 6, 249, 42}));
  ChooseFromMenu("Built-in");
  EXPECT_EQ(SixPixels(), builtIn);
  Restart(Path("ship.3do"));
  EXPECT_EQ(SixPixels(), builtIn);
}

TEST_F(Colormap, AModelFromAContainerWithColormapsStartsWithItsFirst) {
  const std::string gob = Write("res.gob", MakeGob({{"3do\\ship.3do", Read(Sample())},
                                                    {"mat\\hull.mat", MakeTextureMat(2, 1, 8, std::string(2, '\x06'))},
                                                    {"misc\\cmp\\first.cmp", MakeCmp(0, 11)},
                                                    {"misc\\cmp\\second.cmp", MakeCmp(0, 22)}}));
  StartWindow();
  PickContainerEntry();
  Window->OpenFile(gob);
  EXPECT_EQ(Colormaps(*Window)->Current(), gob + ":misc\\cmp\\first.cmp");
  EXPECT_EQ(SixPixels(), (std::vector<uint8_t>{6, 249, 11, 6, 249, 11}));

  // The colormap in use is listed, and chosen, though not in a listed container.
  EXPECT_EQ(ChooseFromMenu("none"), (std::vector<std::string>{"Built-in", gob + ":misc\\cmp\\first.cmp", Path("level.cmp"),
                                                               Path("Misc/CMP/dark.cmp")}));
  EXPECT_EQ(SixPixels(), (std::vector<uint8_t>{6, 249, 11, 6, 249, 11}));
  Core->ResourceList = {gob};
  EXPECT_EQ(ChooseFromMenu("second.cmp").size(), 5u);
  EXPECT_EQ(SixPixels(), (std::vector<uint8_t>{6, 249, 22, 6, 249, 22}));

  // A damaged colormap is reported and leaves the one in use.
  EXPECT_FALSE(Colormaps(*Window)->Use(Write("bad.cmp", "CMP too short")));
  EXPECT_EQ(Services.Output.back(),
            "Colormap: bad.cmp: not a colormap (13 bytes, shorter than the 17216 of a palette and light table)");
  EXPECT_EQ(SixPixels(), (std::vector<uint8_t>{6, 249, 22, 6, 249, 22}));
}

}  // namespace
