// Levels of detail in the window: the View menu's choice, the tool bar's drop-down and the
// status panel follow the model's sets; the views show the chosen set and commands edit it.

#include "tests/core/LevelsOfDetailModel.h"
#include "tests/gui/GuiFixture.h"

namespace {

class LevelOfDetail : public TWindowTest {
 protected:
  // The sample saved with four sets, the third one a quarter of the first's size so that it
  // cannot be mistaken for it.
  std::string FourSets() {
    THeadlessServices services;
    TCore core(services);
    EXPECT_TRUE(Load3DOFile(*core.Model, Sample()));
    MakeLevelsOfDetail(*core.Model, 4);
    for (TNode* n : core.Model->Nodes)
      if (TMesh* mesh = core.Model->GeosetMesh(*n, 2))
        for (TVertex* v : mesh->Vertices) v->Position = {v->Position.X / 3, v->Position.Y / 3, v->Position.Z / 3};
    Save3DOFile(*core.Model, Path("four.3do"));
    return Path("four.3do");
  }
  QComboBox* Box() { return Window->findChild<QComboBox*>("cbxLod"); }
  QLabel* Panel() { return Window->findChild<QLabel*>("stbMainLod"); }
  // The drop-down (its tool bar entry shows and hides it) and the status panel, as
  // "box 3/4, LOD 3 of 4" or "no box, no panel".
  std::string Look() {
    QApplication::processEvents();
    return (Box()->isVisibleTo(Window.get()) ? "box " + std::to_string(Box()->currentIndex() + 1) + "/" +
                                                   std::to_string(Box()->count())
                                             : "no box") +
           ", " + (Panel()->isVisibleTo(Window.get()) ? Panel()->text().toStdString() : "no panel");
  }
};

TEST_F(LevelOfDetail, TheThirdSetIsShownChosenAndEditedAloneAndOneSetHidesTheChoice) {
  StartWindow(FourSets());
  ASSERT_EQ(Core->Model->GeosetCount(), 4);
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Look(), "box 1/4, LOD 1 of 4");
  auto* menu = Window->findChild<QMenu*>("mnuLod");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Entries(menu).join("|").toStdString(),
            "LOD 1|LOD 2|LOD 3|LOD 4|-|Add Level of Detail|Copy Level of Detail...|Delete Level of Detail|Generate Levels of Detail...");

  const QImage first = Shot("lod_first_of_four");
  // The drop-down as a user picks from it.
  Box()->setFocus();
  Box()->showPopup();
  QTest::keyClick(Box()->view(), Qt::Key_Down);
  QTest::keyClick(Box()->view(), Qt::Key_Down);
  QTest::keyClick(Box()->view(), Qt::Key_Return);
  ASSERT_EQ(Core->Model->CurrentGeoset(), 2);
  EXPECT_EQ(Look(), "box 3/4, LOD 3 of 4");
  EXPECT_TRUE(Window->findChild<QAction*>("actLod3")->isChecked());
  const QImage third = Shot("lod_third_of_four");
  // The third set is a third of the size: its wires cover far fewer pixels.
  EXPECT_LT(CountPixels(third, qRgb(204, 204, 204)), CountPixels(first, qRgb(204, 204, 204)) / 2);

  const std::vector<int> before = FacesPerSet(*Core->Model);
  Frame().actEMFace->trigger();
  Window->Action("actSelAll")->trigger();
  Window->Action("actEditDelete")->trigger();
  EXPECT_EQ(FacesPerSet(*Core->Model), (std::vector<int>{before[0], before[1], 0, before[3]}));
  Window->Action("actEditUndo")->trigger();
  EXPECT_EQ(FacesPerSet(*Core->Model), before);

  // The menu's choice, and a set command followed by undo.
  Window->findChild<QAction*>("actLod4")->trigger();
  EXPECT_EQ(Look(), "box 4/4, LOD 4 of 4");
  Window->Action("actViewLodDelete")->trigger();
  EXPECT_EQ(Look(), "box 3/3, LOD 3 of 3");
  Window->Action("actEditUndo")->trigger();
  EXPECT_EQ(Look(), "box 3/4, LOD 3 of 4");

  // One set shows neither drop-down nor panel.
  StartWindow(Sample());
  EXPECT_EQ(Look(), "no box, no panel");
  Window->Action("actViewLodAdd")->trigger();
  EXPECT_EQ(Look(), "box 2/2, LOD 2 of 2");
  Window->Action("actViewLodDelete")->trigger();
  EXPECT_EQ(Look(), "no box, no panel");
}

}  // namespace
