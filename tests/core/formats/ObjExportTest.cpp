#include <sstream>
#include <tuple>

#include "model/Text.h"
#include "formats/FileIO.h"
#include "formats/ObjImport.h"
#include "formats/ObjExport.h"
#include "formats/ObjMaterialNames.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;

namespace {

// A texture of `width` x `height` texels of colour index 6.
std::string Texture(int width, int height) {
  return MakeTextureMat(width, height, 8, std::string(static_cast<size_t>(width * height), '\x06'));
}

class ObjExport : public ::testing::Test, protected TTestCore {
 protected:
  TTempDir Dir;
};

// The triangle model with a second face, of a material that is found, and a third that
// shares the second one's texture vertices, under a root that is moved and turned; the first
// face's material, named in capitals, is nowhere and counts as 64 x 64 texels.
TEST_F(ObjExport, WritesWorldPositionsTexturesInOBJsUnitsNormalsAndMaterials) {
  Dir.Write("stone.mat", Texture(32, 16));
  std::string text = Replace(TriangleModelText(), "FACES 1\r\n", "FACES 3\r\n");
  text = Replace(text, "metal.mat", "Metal.MAT");
  text = Replace(text, "2, 2 \r\n", "2, 2 \r\n1:  0 0x4 4 3 1 0 3 2, 2 1, 1 0, 0\r\n2:  0 0x4 4 3 1 0 3 0, 0 2, 2 1, 1\r\n");
  text = Replace(text, "0:  0 0 1\r\n\r\nSECTION", "0:  0 0 1\r\n1:  0 0 -1\r\n2:  0 0 -1\r\n\r\nSECTION");
  text = Replace(text, "1 0 0 0 0 0 0 0 0 0 root", "1 1 2 3 0 90 0 0 0 0 root");
  const TCliRun run = RunCliApart({"export", Dir.Write("tri.3do", text), Dir.File("tri.obj")});
  EXPECT_EQ((std::tuple{run.Status, run.Err}), (std::tuple{0, "zarn-cli: material not found: Metal.MAT\n"}));

  EXPECT_EQ(ReadWholeFile(Dir.File("tri.obj")),
            "# Written by ZARN\nmtllib tri.mtl\no root\nv 1 2 3\nv 1 3 3\nv 0 2 3\n"
            "vt 0 1\nvt 0.25 1\nvt 0 0.75\nvn 0 0 1\nusemtl Metal\nf 1/1/1 2/2/1 3/3/1\n"
            "vt 0 0\nvt 0.5 1\nvt 0 1\nvn 0 0 -1\nusemtl stone\nf 3/4/2 2/5/2 1/6/2\n"
            "vn 0 0 -1\nf 1/6/3 3/4/3 2/5/3\n");
  EXPECT_EQ(ReadWholeFile(Dir.File("tri.mtl")),
            "# Written by ZARN\n\nnewmtl Metal\nKd 0.5 0.5 0.5\n\nnewmtl stone\nKd 1 1 1\nmap_Kd stone.png\n");
  const std::string png = ReadWholeFile(Dir.File("stone.png"));
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x20\0\0\0\x10", 8));  // 32 x 16
  EXPECT_FALSE(std::filesystem::exists(Dir.File("Metal.png")));  // not found: grey, no picture
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path), {}), 5);  // no temporary file left

  // A folder that is not there: nothing is written, and the error names the file.
  const TCliRun nowhere = RunCliApart({"export", Dir.File("tri.3do"), Dir.File("none/tri.obj")});
  EXPECT_EQ(nowhere.Status, 1);
  EXPECT_EQ(nowhere.Err, "zarn-cli: Cannot create file '" + Dir.File("none/stone.png") +
                             "': No such file or directory\nzarn-cli: material not found: Metal.MAT\n");
}

// The model as the views show it, compared number by number at six decimals.
struct TShown {
  std::vector<std::string> Names, Positions, Texels, Materials;
  std::vector<int> Corners;

  TShown(TModel& model, int firstNode) {
    model.UpdateWorld();
    int base = 0;
    for (int i = firstNode; i < model.Nodes.Count(); ++i) {
      TMesh* mesh = model.Nodes[i]->Mesh.get();
      if (!mesh) continue;
      Names.push_back(model.Nodes[i]->Name);
      mesh->IndexVertices();
      for (const TVertex* v : mesh->Vertices) Positions.push_back(Six(v->World.X) + " " + Six(v->World.Y) + " " + Six(v->World.Z));
      for (const TFace* f : mesh->Surfaces) {
        Materials.push_back(f->Material->Name);
        Corners.push_back(-1);  // between faces
        for (int k = 0; k < f->Vertices.Count(); ++k) {
          Corners.push_back(base + mesh->IndexOfVertex(f->Vertices[k]));
          Texels.push_back(Six(f->TXVertices[k].U) + " " + Six(f->TXVertices[k].V));
        }
      }
      base += mesh->Vertices.Count();
    }
  }
  static std::string Six(double value) {
    const std::string text = FormatFloat6(value);
    return text == "-0" ? "0" : text;
  }
};

// Three nodes deep, moved, turned and pivoted, with texels of many digits on materials of
// sizes that are no powers of two, one named in capitals and one that is nowhere.
void WriteGeneratedModel(const TTempDir& dir) {
  dir.Write("odd.mat", Texture(48, 20));
  dir.Write("Mat/pow.mat", Texture(64, 64));
  dir.Write("Caps.MAT", Texture(3, 7));
  TTestCore made;
  TModel& model = made.Model();
  TNode* parent = nullptr;
  const char* materials[] = {"odd.mat", "pow.mat", "Caps.MAT", "gone.mat"};
  for (int n = 0; n < 3; ++n) {
    TNode* node = AddMeshNode(model, "part" + std::to_string(n));
    node->Parent = parent;
    node->Position = {0.01 * n, -0.02, 0.003 * n};
    node->Rotation = {10.0 * n, -35, 7.5};
    node->Pivot = {0.001, 0, -0.002 * n};
    TMesh& mesh = *node->Mesh;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) mesh.AddVertex()->Position = {0.0123 * x, 0.0071 * y, 0.0005 * x * y - 0.001};
    for (int y = 0; y + 1 < 4; ++y)
      for (int x = 0; x + 1 < 5; ++x) {
        const int a = y * 5 + x;
        TFace* f = (x + y) % 3 ? AddFace(mesh, {a, a + 1, a + 6, a + 5}) : AddFace(mesh, {a + 5, a + 1, a});
        f->Material = model.Materials.FindOrAdd(materials[(x + 2 * y + n) % 4]);
        for (int k = 0; k < f->Vertices.Count(); ++k)
          f->TXVertices[k] = {13.3f * x + 0.123457f * k, 47.9f - 3.25f * y + 0.000001f * n};
      }
    parent = node;
  }
  Save3DOFile(model, dir.File("gen.3do"));
}

TEST_F(ObjExport, ImportedAsExportedGivesTheSameModelBack) {
  WriteGeneratedModel(Dir);
  for (const std::string& source : {std::string(ZARN_SAMPLES_DIR) + "/fighter.3do", Dir.File("gen.3do")})
  for (const bool yUp : {false, true}) {
    SCOPED_TRACE(source + (yUp ? " Y up" : " Z up"));
    TTestCore t;
    ASSERT_TRUE(Load3DOFile(t.Model(), source));
    const TShown before(t.Model(), 0);
    ExportObj(t.Model(), Dir.File("out.obj"), yUp);
    // Imported into the model, where its materials are found: a node and mesh per node.
    const int nodes = t.Model().Nodes.Count();
    TObjImportOptions options = TObjImportOptions::AsExported();
    options.YUp = yUp;
    ASSERT_TRUE(ImportObj(t.Model(), Dir.File("out.obj"), options));
    const TShown after(t.Model(), nodes);
    EXPECT_EQ(std::tie(after.Names, after.Positions, after.Texels, after.Materials),
              std::tie(before.Names, before.Positions, before.Texels, before.Materials));
    EXPECT_EQ(after.Corners, before.Corners);
  }
}

TEST(ObjMaterialNames, ComeBackAsTheyWentAndPicturesStayInTheirFolder) {
  const struct { const char *Material, *Obj, *Picture; } names[] = {
      {"hull.mat", "hull", "hull.png"},         {"a.MAT", "a", "a.png"},
      {"a.mat.mat", "a.mat.mat", "a.mat.mat.png"}, {".mat", ".mat", "_.mat.png"},
      {"..\\up/x.mat", "..\\up/x", "_.._up_x.png"},
  };
  for (const auto& n : names) {
    EXPECT_EQ(ObjMaterialName(n.Material), n.Obj);
    EXPECT_TRUE(SameText(MaterialFromObjName(n.Obj), n.Material)) << n.Material;  // the same material to the game
    EXPECT_EQ(ObjPictureName(n.Obj), n.Picture);
  }
}

// The positions of the "v" lines of an OBJ text.
std::vector<TVector> Positions(const std::string& text) {
  std::vector<TVector> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("v ", 0) == 0) {
      std::istringstream v(line.substr(2));
      TVector p;
      v >> p.X >> p.Y >> p.Z;
      out.push_back(p);
    }
  return out;
}

// Export with the up axis a modelling program wants, and back with the same import setting.
TEST(ObjUpAxis, AYUpExportImportedWithYUpGivesTheSamePositionsBack) {
  const fmt_test::TTempDir dir;
  const std::string sample = ZARN_SAMPLES_DIR "/fighter.3do";
  ASSERT_EQ(RunCli({"export", sample, dir.File("z.obj")}).Status, 0);
  ASSERT_EQ(RunCli({"export", "--up", "y", sample, dir.File("y.obj")}).Status, 0);
  const std::vector<TVector> z = Positions(ReadWholeFile(dir.File("z.obj")));
  const std::vector<TVector> y = Positions(ReadWholeFile(dir.File("y.obj")));
  ASSERT_EQ(y.size(), z.size());
  ASSERT_GT(z.size(), 50u);
  std::vector<TVector> turned;
  for (const TVector& p : z) turned.push_back({p.X, p.Z, -p.Y});
  ExpectNear(y, turned);

  ASSERT_EQ(RunCli({"convert", dir.File("y.obj"), dir.File("back.3do"), "--up", "y"}).Status, 0);
  ASSERT_EQ(RunCli({"export", dir.File("back.3do"), dir.File("back.obj")}).Status, 0);
  ExpectNear(Positions(ReadWholeFile(dir.File("back.obj"))), z);

  EXPECT_EQ(RunCli({"export", "--up", "x", sample, dir.File("x.obj")}).Out, "zarn-cli: --up takes y or z, not 'x'\n");
}

}  // namespace
