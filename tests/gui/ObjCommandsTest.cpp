// File > Export and the questions File > Import asks of an OBJ file.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <filesystem>

#include "app/ObjImportDialog.h"
#include "formats/FileIO.h"
#include "tests/core/TestSupport.h"
#include "tests/gui/DialogTestHelpers.h"
#include "tests/gui/SettingsFixture.h"

namespace {

class TObjCommandsTest : public TSettingsTest {
 protected:
  // Imports the file, answering the dialog with `answer`.
  void Import(const std::string& path, std::function<void(TfrmObjImport&)> answer) {
    Services.FileNames = {path};
    WhenModalShown<TfrmObjImport>(std::move(answer));
    Window->Action("actFileImport")->trigger();
  }
  TVector LastPosition(int vertex) { return Core->Model->Nodes.Last()->Mesh->Vertices[vertex]->Position; }
};

TEST_F(TObjCommandsTest, ExportFollowsImportOnTheFileMenuAndWritesTheModelAsShown) {
  StartWindow(Sample());
  QMenu* file = nullptr;
  for (QMenu* menu : Window->menuBar()->findChildren<QMenu*>())
    if (menu->title() == "&File") file = menu;
  ASSERT_NE(file, nullptr);
  const QList<QAction*> entries = file->actions();
  EXPECT_EQ(entries.indexOf(Window->Action("actFileExport")), entries.indexOf(Window->Action("actFileImport")) + 1);

  Services.FileNames = {Path("fighter.obj")};
  Window->Action("actFileExport")->trigger();
  EXPECT_TRUE(Services.Errors.empty());
  EXPECT_NE(ReadWholeFile(Path("fighter.obj")).find("\no hull\nv -0.04 -0.08 -0.015\n"), std::string::npos);
  for (const char* name : {"fighter.mtl", "hull.png", "glass.png", "engine.png", "dflt.png"})
    EXPECT_TRUE(std::filesystem::exists(Path(name))) << name;
  EXPECT_FALSE(Core->History.Modified());  // a look at the model makes no step

  Services.FileNames = {Path("none/fighter.obj")};
  Window->Action("actFileExport")->trigger();
  ASSERT_FALSE(Services.Errors.empty());
  EXPECT_EQ(Services.Errors.back(), "Cannot create file '" + Path("none/hull.png") + "': No such file or directory");
}

TEST_F(TObjCommandsTest, ImportAsksOnceAndTheSettingsKeepTheAnswers) {
  StartWindow();
  const std::string obj = Write("up.obj", "v 0 0 0\nv 2 0 0\nv 0 4 0\nf 1 2 3\n");
  // The first time: Y up, fitted to 0.1, with materials.
  Import(obj, [](TfrmObjImport& d) {
    EXPECT_TRUE(d.rbnUpY->isChecked());
    EXPECT_TRUE(d.rbnFit->isChecked());
    EXPECT_TRUE(d.chkMaterials->isChecked());
    SaveScreenshot(&d, "obj_import_dialog");
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
  ASSERT_EQ(Core->Model->Nodes.Count(), 1);
  ExpectNear(LastPosition(2), {0, 0, 0.1});

  Import(obj, [](TfrmObjImport& d) {
    d.rbnUpZ->click();
    d.edtFactor->selectAll();
    QTest::keyClicks(d.edtFactor, "2");  // typing a factor chooses it
    d.chkMaterials->click();
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
  ASSERT_EQ(Core->Model->Nodes.Count(), 2);
  ExpectNear(LastPosition(2), {0, 8, 0});
  EXPECT_EQ(QSettings().value("ObjImport/UpAxis").toString(), "Z");
  EXPECT_EQ(QSettings().value("ObjImport/Factor").toString(), "2");

  // The next import opens with those answers; a factor that is no number imports nothing.
  Import(obj, [](TfrmObjImport& d) {
    EXPECT_TRUE(d.rbnUpZ->isChecked());
    EXPECT_TRUE(d.rbnFactor->isChecked());
    EXPECT_EQ(d.edtFactor->text(), "2");
    EXPECT_FALSE(d.chkMaterials->isChecked());
    d.edtFactor->selectAll();
    QTest::keyClicks(d.edtFactor, "abc");
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
  ASSERT_FALSE(Services.Errors.empty());
  EXPECT_EQ(Services.Errors.back(), "'abc' is not a valid floating point value");
  EXPECT_EQ(QSettings().value("ObjImport/Factor").toString(), "2");
  Import(obj, [](TfrmObjImport& d) { QTest::mouseClick(d.btnCancel, Qt::LeftButton); });
  EXPECT_EQ(Core->Model->Nodes.Count(), 2);
}

}  // namespace
