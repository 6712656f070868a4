// The pictures an OBJ file's materials name ("mtllib", "newmtl", "map_Kd") made into
// materials beside the model, so that an imported mesh arrives textured.
#include <tuple>

#include "editing/FileCommands.h"
#include "editing/ObjMaterials.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/PictureFiles.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;

namespace {

class ObjPictures : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(Dir.File("pics"));
    const TPicture red = MakePicture(16, 8, [](int, int) { return std::array<uint8_t, 4>{200, 10, 10, 255}; });
    ASSERT_TRUE(WriteRgbaPng(Dir.File("pics/Hull.PNG"), red));
    ASSERT_TRUE(WriteRgbaPng(Dir.File("glass pane.png"), red));
    ASSERT_TRUE(WriteRgbaPng(Dir.File("odd.png"), MakePicture(12, 8, [](int, int) { return std::array<uint8_t, 4>{}; })));
    Dir.Write("bad.png", "not a picture");
    Dir.Write("scene.mtl",
              "# two libraries, the second missing\n"
              "newmtl hull\nKd 1 1 1\nmap_Kd -s 1 1 1 pics/hull.png\n"
              "newmtl glass  pane\nmap_Kd glass pane.png\n"
              "newmtl plain\nKd 0.5 0.5 0.5\n"
              "newmtl gone\nmap_Kd gone.png\n"
              "newmtl bad\nmap_Kd bad.png\n"
              "newmtl odd\nmap_Kd odd.png\n"
              "newmtl hull\nmap_Kd other.png\n");
    Obj = Dir.Write("scene.obj",
                    "mtllib scene.mtl\nmtllib missing.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                    "usemtl hull\nf 1/1 2/2 3/3\n");
  }
  TTempDir Dir;
  std::string Obj;
};

TEST_F(ObjPictures, EachMaterialsPictureIsFoundBesideItsLibraryOnceAndNoneWithoutOne) {
  const std::vector<std::vector<std::string>> want = {
      {"hull.mat", Dir.File("pics/Hull.PNG"), "-s 1 1 1 pics/hull.png"},
      {"glass_pane.mat", Dir.File("glass pane.png"), "glass pane.png"},
      {"gone.mat", "", "gone.png"},
      {"bad.mat", Dir.File("bad.png"), "bad.png"},
      {"odd.mat", Dir.File("odd.png"), "odd.png"},
  };
  std::vector<std::vector<std::string>> got;
  for (const TObjPicture& p : ReadObjPictures(Obj)) got.push_back({p.Material, p.Picture, p.Named});
  EXPECT_EQ(got, want);
  // A file of no libraries names no pictures, and one that is not there raises.
  EXPECT_TRUE(ReadObjPictures(Dir.Write("bare.obj", "v 0 0 0\nmtllib\n")).empty());
  EXPECT_TRUE(ReadObjPictures(Dir.Write("loop.obj", "mtllib loop.obj\n")).empty());
  EXPECT_THROW(ReadObjPictures(Dir.File("none.obj")), EZarnError);
}

TEST_F(ObjPictures, TheImportFindsTheMaterialsMadeBesideAnUntitledModelsObjFile) {
  TTestCore t;
  const std::vector<TObjPicture> pictures = ObjPicturesToMake(t.Core, Obj);
  ASSERT_EQ(pictures.size(), 5u);
  MakeObjMaterials(t.Core, Obj, pictures, 16);
  const std::vector<std::string> want = {
      "hull.mat made of '" + Dir.File("pics/Hull.PNG") + "': 16 x 8, 16 bits",
      "glass_pane.mat made of '" + Dir.File("glass pane.png") + "': 16 x 8, 16 bits",
      "gone.mat was not made: its picture 'gone.png' is nowhere",
      "bad.mat was not made: Cannot read picture '" + Dir.File("bad.png") + "': not a PNG picture",
      "odd.mat was not made: Picture 1 is 12 x 8 pixels; each side must be a power of two from 8 to 1024",
  };
  EXPECT_EQ(t.Services.Output, want);
  EXPECT_TRUE(std::filesystem::exists(Dir.File("hull.mat")));
  EXPECT_FALSE(std::filesystem::exists(Dir.File("bad.mat")));
  // Found now, they are not made again, and a second making leaves existing files alone.
  EXPECT_EQ(ObjPicturesToMake(t.Core, Obj).size(), 3u);

  ASSERT_EQ(ImportMesh(t.Core, Obj, {.Materials = true}).Outcome, TOutcome::Done);
  const TFace& face = *t.Model().Nodes[0]->Mesh->Surfaces[0];
  EXPECT_EQ((std::tuple{face.Material->Name, face.Material->Loaded}), (std::tuple{std::string("hull.mat"), true}));
  EXPECT_FLOAT_EQ(face.TXVertices[1].U, 16) << "the texture coordinates went into the material's texels";
  EXPECT_FLOAT_EQ(face.TXVertices[2].V, 0);
}

}  // namespace
