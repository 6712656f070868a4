// The materials dialog and the options as a user meets them: a materials dialog that grows,
// remembers its size, fits a large picture and offers the model's own container; options
// whose Cancel takes everything back, whose resource list takes only containers that read,
// and whose OK writes the settings file at once.

#include <QScrollArea>

#include "tests/gui/SettingsFixture.h"

namespace {

class TDialogHabitsTest : public TSettingsTest {
 protected:
  // Opens View > Materials..., runs `act` in it and closes it with OK.
  void RunMaterials(std::function<void(TMaterialsDialog&)> act) {
    WhenModalShown<TMaterialsDialog>([act = std::move(act)](TMaterialsDialog& d) {
      act(d);
      QTest::mouseClick(d.btnOK, Qt::LeftButton);
    });
    Window->Action("actViewMaterials")->trigger();
  }
};

TEST_F(TDialogHabitsTest, TheMaterialsDialogGrowsRemembersItsSizeAndFitsALargePicture) {
  // A 256 x 128 texture in stripes, and the model read from a container of its own.
  std::string pixels;
  for (int y = 0; y < 128; ++y) pixels += std::string(128, '\1') + std::string(128, '\2');
  const std::string wide = fmt_test::MakeTextureMat(256, 128, 8, pixels);
  const std::string gob = Write("own.gob", fmt_test::MakeGob({{"3do\\tri.3do", TriangleModelText()},
                                                              {"mat\\a_material_with_a_long_name.mat", wide}}));
  StartWindow();
  Core->ResourceList = {Write("other.gob", fmt_test::MakeGob({{"mat\\x.mat", fmt_test::MakeColourMat(3)}}))};
  PickContainerEntry();
  Window->OpenFile(gob);
  ASSERT_EQ(Core->Model->FileName, gob + " > 3do\\tri.3do");

  RunMaterials([&](TMaterialsDialog& d) {
    EXPECT_EQ(Rows(*d.lbxCatResMat),
              (std::vector<std::string>{"[Project Dir]", "[Project Dir]/Mat", gob, Core->ResourceList[0]}));
    ClickItem(*d.lbxCatResMat, QString::fromStdString(gob));
    EXPECT_EQ(Rows(*d.lbxResMat), std::vector<std::string>{"a_material_with_a_long_name.mat"});
    ClickItem(*d.lbxResMat, "a_material_with_a_long_name.mat");
    ASSERT_TRUE(QTest::qWaitFor([&] { return d.lblName->text() == "a_material_with_a_long_name.mat"; }, 2000));
    const QSize room = d.ScrollBox1->maximumViewportSize();
    const QSize shown = d.imgPreview->size();
    EXPECT_TRUE(shown.width() <= room.width() && shown.height() <= room.height())
        << shown.width() << "x" << shown.height() << " in " << room.width() << "x" << room.height();
    EXPECT_NEAR(shown.width(), 2 * shown.height(), 2) << "the picture's proportions";
    EXPECT_EQ(d.lblSize->text(), "Size 256x128");
    // The name shows whole.
    EXPECT_GE(d.lblName->width(), d.lblName->fontMetrics().horizontalAdvance(d.lblName->text()));
    const QRect row = d.lbxResMat->visualItemRect(d.lbxResMat->item(0));
    EXPECT_GE(row.width(), d.lbxResMat->fontMetrics().horizontalAdvance("a_material_with_a_long_name.mat"));
    SaveScreenshot(&d, "materials_fitted");
    QTest::mouseClick(d.btnZoom, Qt::LeftButton);
    EXPECT_EQ(d.imgPreview->size(), QSize(256, 128));
    d.resize(900, 620);
    QTest::qWait(20);
  });
  RunMaterials([&](TMaterialsDialog& d) { EXPECT_EQ(d.size(), QSize(900, 620)); });
}

// A yes or no is ticked, one of a few values picked from a list, and a worked-out number
// shows short, in the dialogs the menus open.
TEST_F(TDialogHabitsTest, DialogsTickYesOrNoPickFromAFewAndShowNumbersShort) {
  StartWindow(Sample());
  Services.RealQueryDialog = true;
  Window->Action("actSelAll")->trigger();
  const struct { const char *Action, *Field, *Kind, *Shown; } rows[] = {
      {"actFileNewMaterial", "Transparent", "QCheckBox", "0"}, {"actFileNewMaterial", "Dither", "QCheckBox", "0"},
      {"actFileNewMaterial", "Depth", "QComboBox", "8"},       {"actFileExport", "Up_axis", "QComboBox", "Y"},
      {"actTexMapBox", "Density", "QLineEdit", "387.879"},     {"actTexMapView", "View", "QComboBox", "Top"},
  };
  for (const auto& row : rows) {
    Services.FileNames = {Path("out.obj")};
    std::string kind, shown;
    WhenModalShown<TQueryDialog>([&](TQueryDialog& query) {
      const QWidget* field = query.findChild<QWidget*>(row.Field);
      ASSERT_TRUE(field);
      kind = field->metaObject()->className();
      if (const auto* box = qobject_cast<const QCheckBox*>(field)) shown = box->isChecked() ? "1" : "0";
      if (const auto* list = qobject_cast<const QComboBox*>(field)) shown = list->currentText().toStdString();
      if (const auto* edit = qobject_cast<const QLineEdit*>(field)) shown = edit->text().toStdString();
      SaveScreenshot(&query, row.Action);
      QTest::mouseClick(query.btnCancel, Qt::LeftButton);
    });
    Window->Action(row.Action)->trigger();
    EXPECT_EQ(kind, row.Kind) << row.Field;
    EXPECT_EQ(shown, row.Shown) << row.Field;
  }
}

TEST_F(TDialogHabitsTest, OptionsCancelTakesBackEveryChangeAndOkWritesTheSettingsAtOnce) {
  StartWindow();
  const unsigned background = Core->Color2D;
  const std::string gob = Write("res.gob", fmt_test::MakeGob({{"mat\\x.mat", fmt_test::MakeColourMat(3)}}));
  const std::string damaged = Write("damaged.gob", "GOB damaged");
  WhenModalShown<TOptionsDialog>([&](TOptionsDialog& options) {
    PickColour(options, 0, Qt::white);
    SetShortcut(options, "actFileOpen", "");
    options.edtRes->setText(QString::fromStdString(gob));
    QTest::mouseClick(options.btnResAdd, Qt::LeftButton);
    EXPECT_EQ(options.lbxRes->count(), 1);
    EXPECT_EQ(Core->Color2D, 0xFFFFFFu) << "at once while the dialog is open";
    QTest::mouseClick(options.btnCancel, Qt::LeftButton);
  });
  Window->Action("actViewOption")->trigger();
  EXPECT_EQ(Core->Color2D, background);
  EXPECT_EQ(Window->Action("actFileOpen")->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_TRUE(Core->ResourceList.empty());

  // The resource list takes only containers that read.
  RunOptions([&](TOptionsDialog& options) {
    for (const std::string& bad : {Path("missing.gob"), damaged, Path("")}) {
      options.edtRes->setText(QString::fromStdString(bad));
      const size_t errors = Services.Errors.size();
      QTest::mouseClick(options.btnResAdd, Qt::LeftButton);
      EXPECT_EQ(options.lbxRes->count(), 0) << bad;
      ASSERT_EQ(Services.Errors.size(), errors + 1) << bad;
      EXPECT_NE(Services.Errors.back().find("The resource list takes only containers that read."), std::string::npos)
          << Services.Errors.back();
      EXPECT_EQ(options.edtRes->text().toStdString(), bad) << "kept to be mended";
    }
    options.edtRes->setText(QString::fromStdString(gob));
    QTest::mouseClick(options.btnResAdd, Qt::LeftButton);
    EXPECT_EQ(Rows(*options.lbxRes), std::vector<std::string>{gob});
    EXPECT_EQ(options.edtRes->text(), "") << "\"+\" empties the field";
    SetShortcut(options, "actHelpAbout", "Shift+F12");
  });
  EXPECT_EQ(Core->ResourceList, std::vector<std::string>{gob});
  // Written at once: another program reading the file (zarn-cli) finds them now.
  QSettings file;
  EXPECT_EQ(file.value("Resources/Res0").toString().toStdString(), gob);
  EXPECT_EQ(file.value("Shortcuts/actHelpAbout").toString().toStdString(), "Shift+F12");
}

}  // namespace
