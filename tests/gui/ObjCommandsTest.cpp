// File > Export and the questions File > Import asks of an OBJ file.
#include <QRadioButton>

#include "tests/gui/SettingsFixture.h"

namespace {

class TObjCommandsTest : public TSettingsTest {
 protected:
  // Imports the file, answering the dialog with `answer`.
  void Import(const std::string& path, std::function<void(TObjImportDialog&)> answer) {
    Services.FileNames = {path};
    WhenModalShown<TObjImportDialog>(std::move(answer));
    Window->Action("actFileImport")->trigger();
  }
  TVector LastPosition(int vertex) { return Core->Model->Nodes.Last()->Mesh->Vertices[vertex]->Position; }
  // The dialog's answers as "Y fit materials nodes" or "Z x2".
  static std::string Answers(const TObjImportDialog& d) {
    return std::string(d.rbnUpY->isChecked() ? "Y" : d.rbnUpZ->isChecked() ? "Z" : "?") +
           (d.rbnFit->isChecked() ? " fit" : d.rbnFactor->isChecked() ? " x" + d.edtFactor->text().toStdString() : "") +
           (d.chkMaterials->isChecked() ? " materials" : "") + (d.chkObjectsAsNodes->isChecked() ? " nodes" : "");
  }
};

TEST_F(TObjCommandsTest, ExportFollowsImportOnTheFileMenuAndWritesTheModelAsShown) {
  StartWindow(Sample());
  const QStringList entries = Entries("&File");
  EXPECT_EQ(entries.indexOf("Export..."), entries.indexOf("Import...") + 1);

  // Y up at first, as the import's first answer: the model's Z becomes the file's Y. An answer
  // is the import's next answer too.
  const struct { const char *Up, *File; std::string Error, Line; const char* Kept; } rows[] = {
      {nullptr, "fighter.obj", "", "\no hull\nv -0.04 -0.015 0.08\n", nullptr},
      {"z", "fighter.obj", "", "\no hull\nv -0.04 -0.08 -0.015\n", "Z"},
      {"up", "other.obj", "The up axis is Y or Z, not 'up'", "", nullptr},
      {"Z", "none/fighter.obj", "Cannot create file '" + Path("none/hull.png") + "': No such file or directory", "",
       nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.File);
    if (row.Up) Services.Answers["Up_axis"] = row.Up;
    Run("actFileExport", {Path(row.File)});
    EXPECT_EQ(Services.Queries.back(), "Export OBJ");
    EXPECT_EQ(Services.Errors.empty() ? "" : Services.Errors.back(), row.Error);
    EXPECT_EQ(std::filesystem::exists(Path(row.File)), row.Error.empty());
    EXPECT_TRUE(row.Line.empty() || ReadWholeFile(Path(row.File)).find(row.Line) != std::string::npos);
    EXPECT_TRUE(!row.Kept || QSettings().value("ObjImport/UpAxis").toString() == row.Kept);
  }
  for (const char* name : {"fighter.mtl", "hull.png", "glass.png", "engine.png", "dflt.png"})
    EXPECT_TRUE(std::filesystem::exists(Path(name))) << name;
  EXPECT_FALSE(Core->History.Modified());  // a look at the model makes no step
}

TEST_F(TObjCommandsTest, ImportAsksOnceAndTheSettingsKeepTheAnswers) {
  StartWindow();
  const std::string obj = Write("up.obj", "v 0 0 0\nv 2 0 0\nv 0 4 0\nf 1 2 3\n");
  // The first time: Y up, fitted to 0.1, with materials.
  Import(obj, [](TObjImportDialog& d) {
    EXPECT_EQ(Answers(d), "Y fit materials nodes");
    SaveScreenshot(&d, "obj_import_dialog");
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
  ASSERT_EQ(Core->Model->Nodes.Count(), 1);
  ExpectNear(LastPosition(2), {0, 0, 0.1});

  Import(obj, [](TObjImportDialog& d) {
    d.rbnUpZ->click();
    d.edtFactor->selectAll();
    QTest::keyClicks(d.edtFactor, "2");  // typing a factor chooses it
    d.chkMaterials->click();
    d.chkObjectsAsNodes->click();
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
  ASSERT_EQ(Core->Model->Nodes.Count(), 2);
  ExpectNear(LastPosition(2), {0, 8, 0});
  EXPECT_EQ(QSettings().value("ObjImport/UpAxis").toString(), "Z");
  EXPECT_EQ(QSettings().value("ObjImport/Factor").toString(), "2");

  // The next import opens with those answers; a factor that is no number imports nothing.
  Import(obj, [](TObjImportDialog& d) {
    EXPECT_EQ(Answers(d), "Z x2");
    d.edtFactor->selectAll();
    QTest::keyClicks(d.edtFactor, "abc");
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
  EXPECT_EQ(Services.Errors, std::vector<std::string>{"'abc' is not a valid floating point value"});
  EXPECT_EQ(QSettings().value("ObjImport/Factor").toString(), "2");
  Import(obj, [](TObjImportDialog& d) { QTest::mouseClick(d.btnCancel, Qt::LeftButton); });
  EXPECT_EQ(Core->Model->Nodes.Count(), 2);
}

TEST_F(TObjCommandsTest, ImportWithMaterialsMakesThemOfTheFilesPicturesOnceAsked) {
  StartWindow();
  ASSERT_TRUE(WriteRgbaPng(Path("hull.png"), MakePicture(16, 16, [](int x, int) {
                             return std::array<uint8_t, 4>{static_cast<uint8_t>(x * 16), 0, 0, 255};
                           })));
  Write("ship.mtl", "newmtl hull\nmap_Kd hull.png\n");
  const std::string obj = Write("ship.obj", "mtllib ship.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                                            "usemtl hull\nf 1/1 2/2 3/3\n");
  Services.Answers["Depth"] = "sixteen";
  Import(obj, [](TObjImportDialog& d) { QTest::mouseClick(d.btnOK, Qt::LeftButton); });
  EXPECT_EQ(Services.Errors.back(), "The depth is 8 or 16 bits, not 'sixteen'; no material was made");
  EXPECT_FALSE(std::filesystem::exists(Path("hull.mat")));
  ASSERT_EQ(Core->Model->Nodes.Count(), 1) << "the mesh came in all the same";

  Services.Answers["Depth"] = "16";
  Import(obj, [](TObjImportDialog& d) { QTest::mouseClick(d.btnOK, Qt::LeftButton); });
  EXPECT_EQ(Services.Queries.back(), "Make 1 material of the OBJ file's pictures");
  const std::string made = "hull.mat made of '" + Path("hull.png") + "': 16 x 16, 16 bits";
  EXPECT_NE(std::find(Services.Output.begin(), Services.Output.end(), made), Services.Output.end());
  const TFace& face = *Core->Model->Nodes.Last()->Mesh->Surfaces[0];
  EXPECT_TRUE(face.Material->Loaded);
  EXPECT_FLOAT_EQ(face.TXVertices[1].U, 16);
  // Found now: the next import asks nothing.
  const size_t asked = Services.Queries.size();
  Import(obj, [](TObjImportDialog& d) { QTest::mouseClick(d.btnOK, Qt::LeftButton); });
  EXPECT_EQ(Services.Queries.size(), asked);
}

}  // namespace
