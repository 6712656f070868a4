// The Mesh menu and the File menu's new entries in the window: Fit to Game Limits cuts a
// scan into nodes the game loads, Reduce lowers it, New Material writes a material of a
// picture, Save to Container packs the model; each through its menu entry.

#include "formats/ObjImport.h"
#include "editing/GameCheck.h"
#include "formats/Gob.h"
#include "tests/gui/GuiFixture.h"

namespace {

class MeshMenu : public TWindowTest {
 protected:
  // A flat scan of side x side quads in one mesh, saved as a model.
  std::string Scan(int side) {
    std::string obj;
    for (int y = 0; y <= side; ++y)
      for (int x = 0; x <= side; ++x) obj += "v " + std::to_string(x * 0.002) + " " + std::to_string(y * 0.002) + " 0\n";
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const int a = y * (side + 1) + x + 1;
        obj += "f " + std::to_string(a) + " " + std::to_string(a + 1) + " " + std::to_string(a + side + 2) + " " +
               std::to_string(a + side + 1) + "\n";
      }
    THeadlessServices services;
    TCore core(services);
    EXPECT_TRUE(ImportObj(*core.Model, Write("scan.obj", obj)));
    Save3DOFile(*core.Model, Path("scan.3do"));
    return Path("scan.3do");
  }
};

TEST_F(MeshMenu, FitToGameLimitsCutsAScanIntoNodesTheGameLoadsAndUndoTakesItBack) {
  StartWindow(Scan(40));
  EXPECT_EQ(Entries("&Mesh").join("|").toStdString(), "Fit to Game Limits|Reduce...");
  ASSERT_EQ(Core->Model->Nodes.Count(), 1);
  const QImage before = Shot("mesh_scan_before_fit");
  Window->Action("actFitGameLimits")->trigger();
  EXPECT_GE(Core->Model->Nodes.Count(), 9);
  EXPECT_EQ(CheckForGame(*Core->Model, nullptr), std::vector<std::string>{});
  // The pieces lie where the mesh lay: the picture is the same.
  const QImage after = Shot("mesh_scan_after_fit");
  EXPECT_EQ(after, before);
  Window->Action("actEditUndo")->trigger();
  EXPECT_EQ(Core->Model->Nodes.Count(), 1);

  Services.Answers = {{"Faces", "300"}};
  Window->Action("actMeshReduce")->trigger();
  EXPECT_LE(Core->Model->Nodes[0]->Mesh->Surfaces.Count(), 300);
}

TEST_F(MeshMenu, NewMaterialAndSaveToContainerWriteTheirFiles) {
  StartWindow(Sample());
  const QStringList file = Entries("&File");
  EXPECT_EQ(file.indexOf("Save to Container..."), file.indexOf("Save As...") + 1);
  EXPECT_EQ(file.indexOf("New Material..."), file.indexOf("Export...") + 2) << "after a separator";

  ASSERT_TRUE(WriteRgbaPng(Path("p.png"), MakePicture(32, 32, [](int x, int y) {
                             return std::array<uint8_t, 4>{static_cast<uint8_t>(x * 8), static_cast<uint8_t>(y * 8), 64, 255};
                           })));
  Services.Answers = {{"Depth", "16"}};
  Run("actFileNewMaterial", {Path("p.png"), Path("p.mat")});
  EXPECT_EQ(Services.Errors, std::vector<std::string>{});
  EXPECT_EQ(ReadWholeFile(Path("p.mat")).substr(0, 4), "MAT ");
  EXPECT_EQ(Services.YesNoAsked, std::vector<std::string>{"Add p.mat to the model's materials?"});
  EXPECT_EQ(Core->Model->Materials.Find("p.mat"), nullptr) << "answered No";

  Run("actFileSaveToContainer", {Path("out.gob")});
  EXPECT_EQ(Services.Errors, std::vector<std::string>{});
  TGob gob;
  ASSERT_TRUE(gob.LoadFromFile(Path("out.gob")));
  EXPECT_EQ(gob.Entry(0).Name, "3do\\fighter.3do");
  EXPECT_EQ(gob.Count(), 5) << "the model and the four materials beside it";
  EXPECT_FALSE(Core->History.Modified());

  // Answered Yes, the material joins the model in the command's one step.
  Services.YesNoAnswer = true;
  Run("actFileNewMaterial", {Path("p.png"), Path("q.mat")});
  ASSERT_NE(Core->Model->Materials.Find("q.mat"), nullptr);
  EXPECT_EQ(Core->History.UndoCaption(), "New Material");
  Window->Action("actEditUndo")->trigger();
  EXPECT_EQ(Core->Model->Materials.Find("q.mat"), nullptr);
}

}  // namespace
