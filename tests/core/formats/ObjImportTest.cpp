#include <algorithm>
#include <tuple>

#include "model/Errors.h"
#include "formats/ObjImport.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;

namespace {

class ObjImport : public ::testing::Test {
 protected:
  // Imports the text from a file, the way the program imports one.
  TReadResult ImportText(const std::string& text) { return ImportObj(*Core.Model, Dir.Write("t.obj", text)); }
  TMesh* Import(const std::string& text) {
    EXPECT_TRUE(ImportText(text)) << text;
    return Core.Model->Nodes.Last()->Mesh.get();
  }
  static std::vector<std::pair<float, float>> Tex(const TFace* f) {
    std::vector<std::pair<float, float>> out;
    for (const TTXVertex& t : f->TXVertices) out.emplace_back(t.U, t.V);
    return out;
  }
  static std::vector<int> Corners(const TFace* f) { return TTestCore::Corners(*f); }
  const std::string Triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n";
  TTempDir Dir;
  THeadlessServices Services;
  TCore Core{Services};
};

TEST_F(ObjImport, TrianglesOfEveryCornerFormBecomeANodeWithAMeshOfDefaultFaces) {
  TMesh* mesh = Import(Triangle + "f 1/1/1 2/2/1 3/3/1\nf 1/1/ 2/2/ 3/3/\nf 1/3 2/2 3/1\nf 1 2 3\nf 3//1 2//1 1//1\n");
  ASSERT_EQ(Core.Model->Nodes.Count(), 1);
  const TNode* node = Core.Model->Nodes[0];
  EXPECT_EQ((std::tuple{node->Name, node->Mesh.get(), mesh->Name}), (std::tuple{"dHNode", mesh, "Mesh"}));
  EXPECT_EQ((std::vector<int>{mesh->GeometryMode, mesh->LightingMode, mesh->TextureMode}), (std::vector<int>{4, 3, 1}))
      << "drawn textured by the game, as its own models";
  ASSERT_EQ(mesh->Vertices.Count(), 3);
  EXPECT_EQ((std::tuple{mesh->Vertices[1]->Position.X, mesh->Vertices[2]->Position.Y}), (std::tuple{1.0, 1.0}));
  ASSERT_EQ(mesh->Surfaces.Count(), 5);
  for (const TFace* face : mesh->Surfaces) {
    EXPECT_EQ(face->Material->Name, "dflt.mat");
    EXPECT_EQ((std::vector<int>{face->FaceType, face->GeometryMode, face->LightingMode, face->TextureMode}),
              (std::vector<int>{4, 4, 3, 1}));
  }
  EXPECT_EQ(Corners(mesh->Surfaces[0]), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Corners(mesh->Surfaces[4]), (std::vector<int>{2, 1, 0}));
  const std::vector<std::vector<std::pair<float, float>>> tex = {
      {{0, 0}, {1, 0}, {0, 1}}, {{0, 0}, {1, 0}, {0, 1}}, {{0, 1}, {1, 0}, {0, 0}}, {{0, 0}, {0, 0}, {0, 0}}};
  for (size_t i = 0; i < tex.size(); ++i) EXPECT_EQ(Tex(mesh->Surfaces[static_cast<int>(i)]), tex[i]) << i;
}

// Each row: the file, whether objects become nodes, and per node its name, its vertices' x
// and its faces' corners.
TEST_F(ObjImport, ObjectsOrGroupsBecomeNodesWithTheVerticesTheyListAndUse) {
  using TNodes = std::vector<std::tuple<std::string, std::vector<double>, std::vector<std::vector<int>>>>;
  const struct { const char* Name; std::string Text; bool AsNodes; TNodes Want; } rows[] = {
      {"objects", "o hull\nv 1 0 0\nv 2 0 0\nv 3 0 0\nf 1 2 3\no wing left\nv 4 0 0\nf 4 3 -1\n", true,
       {{"hull", {1, 2, 3}, {{0, 1, 2}}}, {"wing_left", {3, 4}, {{1, 0, 1}}}}},
      {"merged", "o hull\nv 1 0 0\nv 2 0 0\nv 3 0 0\nf 1 2 3\no wing\nv 4 0 0\nf 4 3 -1\n", false,
       {{"dHNode", {1, 2, 3, 4}, {{0, 1, 2}, {3, 2, 3}}}}},
      {"groups taken up again, faces before them", "v 1 0 0\nv 2 0 0\nv 3 0 0\nf 1 2 3\ng a\nf 3 2 1\ng b\nf 1 3 2\ng a\nf 2 1 3\n",
       true, {{"dHNode", {1, 2, 3}, {{0, 1, 2}}}, {"a", {1, 2, 3}, {{2, 1, 0}, {1, 0, 2}}}, {"b", {1, 2, 3}, {{0, 2, 1}}}}},
      {"groups inside objects", "o one\ng x\nv 1 0 0\nv 2 0 0\nv 3 0 0\nf 1 2 3\ng y\nf 1 2 3\n", true,
       {{"one", {1, 2, 3}, {{0, 1, 2}, {0, 1, 2}}}}},  // one object names the one node
      {"an object without faces", "o empty\nv 9 0 0\no full\nv 1 0 0\nv 2 0 0\nv 3 0 0\nf 2 3 4\n", true,
       {{"full", {9, 1, 2, 3}, {{1, 2, 3}}}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    TTestCore t;
    ASSERT_TRUE(ImportObj(t.Model(), Dir.Write("objects.obj", row.Text), {.ObjectsAsNodes = row.AsNodes}));
    TNodes got;
    for (const TNode* node : t.Model().Nodes) {
      std::vector<double> xs;
      for (const TVertex* v : node->Mesh->Vertices) xs.push_back(v->Position.X);
      std::vector<std::vector<int>> faces;
      for (const TFace* f : node->Mesh->Surfaces) {
        faces.push_back(Corners(f));
        EXPECT_EQ(f->Mesh, node->Mesh.get()) << "a face belongs to the mesh that lists it";
      }
      got.emplace_back(node->Name, xs, faces);
      EXPECT_EQ(node->Mesh->Name, node->Name == "dHNode" ? "Mesh" : node->Name);
      EXPECT_EQ(node->Mesh->GeometryMode, 4);
    }
    EXPECT_EQ(got, row.Want);
  }
}

TEST_F(ObjImport, LineEndsAndSeparatorsOfRealFiles) {
  for (const std::string eol : {"\n", "\r\n", "\r"}) {
    for (const std::string sep : {" ", "\t", "  \t "}) {
      const std::string text = "# comment" + eol + "v" + sep + "1" + sep + "2" + sep + "3" + eol + "  v 4 5 6" + eol + eol +
                               "v 7 8 9 1.0" + eol + "vt 0.5" + sep + "0.25 0" + eol + "f" + sep + "1/1" + sep + "2/1" + sep +
                               "3/1" + sep + eol + "vn 0 0 1" + eol + "g group" + eol + "usemtl m" + eol + "s off" + eol +
                               "o obj" + eol + "mtllib x.mtl";
      TMesh* mesh = Import(text);
      SCOPED_TRACE("separator '" + sep + "'");
      ASSERT_EQ((std::tuple{mesh->Vertices.Count(), mesh->Surfaces.Count()}), (std::tuple{3, 1}));
      EXPECT_EQ((std::tuple{mesh->Vertices[0]->Position.Z, mesh->Vertices[2]->Position.X}), (std::tuple{3.0, 7.0}));
      EXPECT_EQ(Tex(mesh->Surfaces[0])[2], (std::pair<float, float>{0.5f, 0.25f}));
    }
  }
  EXPECT_EQ(Core.Model->Nodes.Count(), 9);
}

TEST_F(ObjImport, IndicesCountWithinTheFileAndNegativeOnesBackFromTheLastItemRead) {
  TMesh* mesh = Import("v 0 0 0\nv 1 0 0\nvt 0 0\nvt 1 1\nv 0 1 0\nf -3/-2 -2/-1 -1/-1\nv 5 5 5\nf -1 -2 -3\n");
  ASSERT_EQ(mesh->Surfaces.Count(), 2);
  EXPECT_EQ(Corners(mesh->Surfaces[0]), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Tex(mesh->Surfaces[0]), (std::vector<std::pair<float, float>>{{0, 0}, {1, 1}, {1, 1}}));
  EXPECT_EQ(Corners(mesh->Surfaces[1]), (std::vector<int>{3, 2, 1}));
  // Indices count within the imported file only.
  EXPECT_EQ(Import("v 9 9 9\nv 8 8 8\nv 7 7 7\nf 3 2 1\n")->Surfaces[0]->Vertices[0]->Position.X, 7);
  EXPECT_EQ(Core.Model->Nodes.Count(), 2);
}

TEST_F(ObjImport, BadContentEndsTheImportKeepingWhatWasAdded) {
  const struct { std::string Text, Message; int FacesKept; } bad[] = {
      {"v 0 0 0\nv 1 x 0\n", "'x' is not a valid floating point value", 0},
      {"v 0 0\n", "'' is not a valid floating point value", 0},
      {"v nan 0 0\n", "'nan' is not a valid floating point value", 0},
      {Triangle + "f 1 2 3\nf 1 2 4\n", "Vertex Index is out of bounds: 3", 1},
      {Triangle + "f 0 1 2\n", "Vertex Index is out of bounds: -1", 0},
      {Triangle + "f -4 1 2\n", "Vertex Index is out of bounds: -1", 0},
      {Triangle + "f 1/4 2 3\n", "Texture Vertex Index is out of bounds: 3", 0},
      {"v 0 0 0\nf 1/1 1 1\n", "Texture Vertex Index is out of bounds: 0", 0},
      {Triangle + "f 1/a 2 3\n", "'a' is not a valid integer value", 0},
      {Triangle + "f /1 2 3\n", "'' is not a valid integer value", 0},
      {Triangle + "f 1 2 99999999999\n", "'99999999999' is not a valid integer value", 0},
      {Triangle + "f 3 2 1\nf 1.5 2 3\n", "'1.5' is not a valid integer value", 1},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.Text);
    const TReadResult result = ImportText(b.Text);
    EXPECT_EQ((std::tuple{result.Ok, result.Message, Services.Errors.back()}), (std::tuple{false, b.Message, b.Message}));
    EXPECT_EQ(Core.Model->Nodes.Last()->Mesh->Surfaces.Count(), b.FacesKept);
  }
  EXPECT_EQ(Core.Model->Nodes.Last()->Mesh->Vertices.Count(), 3);
  EXPECT_EQ(Core.Model->Nodes.Count(), 12);
}

// More objects than the nodes a model should hold, the first with a face of 40 corners.
TEST_F(ObjImport, FacesKeepAtMostTwentyNineCornersAndTooManyObjectsStayOneMesh) {
  std::string text, face = "f";
  for (int i = 0; i < 40; ++i) text += "v " + std::to_string(i) + " 0 0\n";
  for (int i = 1; i <= 40; ++i) face += " " + std::to_string(i);
  for (int i = 0; i < 1100; ++i) text += "o piece" + std::to_string(i) + (i ? "" : "\n" + face) + "\nf 1 2 3\n";
  TMesh* mesh = Import(text);
  EXPECT_EQ((std::tuple{mesh->Surfaces.Count(), mesh->Surfaces[0]->Vertices.Count(), mesh->Surfaces[1]->Vertices.Count()}),
            (std::tuple{1101, 29, 3}));
  EXPECT_EQ(Core.Model->Nodes.Count(), 1);
  EXPECT_EQ(Services.Output, (std::vector<std::string>{
                                 "1 faces had more than 29 corners; only their first 29 were kept",
                                 "The file has 1100 objects, more than 1024 nodes should hold; they were imported as one mesh"}));
}

TEST_F(ObjImport, OnlyFilesAreReadEmptyTextsAndCtrlZIncluded) {
  EXPECT_EQ(ImportObj(*Core.Model, Dir.File("missing.obj")).Message,
            "Cannot open file '" + Dir.File("missing.obj") + "': No such file or directory");
  EXPECT_EQ(Core.Model->Nodes.Count(), 0);
  EXPECT_TRUE(Services.Errors.empty());
  EXPECT_EQ(Import("")->Vertices.Count(), 0);
  // A zero byte after Ctrl-Z is no part of the text.
  EXPECT_EQ(Import(std::string("v 1 2 3\n\x1Av 4 5 6\n\0", 18))->Vertices.Count(), 1);
  EXPECT_EQ(Import("f\nf \t\nvt 1 2\n")->Surfaces.Count(), 0);
}

TEST_F(ObjImport, LinesReadTheSameAcrossTheBlocksAFileIsReadIn) {
  // The file is read in blocks of 1 MiB; the first ends between the CR and LF of a line end.
  std::string text;
  for (int i = 0; text.size() < (1 << 20) - 100; ++i) text += "v " + std::to_string(i) + " 0 0\n";
  text += "#" + std::string((1 << 20) - 2 - text.size(), ' ') + "\r\n";
  for (int i = 0; i < 1000; ++i) text += "v 1 2 3" + std::string(i % 2 ? "\r\n" : "\r");
  text += "f 1 2 3\r\nf 3 2 1";
  TMesh* mesh = Import(text);
  EXPECT_EQ((std::pair<long, int>{mesh->Vertices.Count(), mesh->Surfaces.Count()}),
            (std::pair<long, int>{std::count(text.begin(), text.end(), 'v'), 2}));
}

// A Y-up file, tallest along Y; the first face uses a material that is found, the second one
// that is not.
TEST(ObjImportOptions, TurnScaleAndTakeMaterialsWithTheirTexels) {
  TTempDir dir;
  dir.Write("stone.mat", MakeTextureMat(32, 16, 8, std::string(512, '\x06')));
  const std::string obj = dir.Write("up.obj",
                                    "v 0 0 0\nv 2 0 0\nv 0 4 0\nv 0 0 -1\nvt 0.25 0.75\nvt 1 0\n"
                                    "usemtl stone\nf 1/1 2/2 3/1\nusemtl  missing \t one \nf 1/2 3/1 4/2\n");
  using TTex = std::pair<float, float>;
  const struct {
    TObjImportOptions Options;
    TVector Third, Fourth;
    const char *Material0, *Material1;
    TTex Tex0, Tex1;
  } cases[] = {
      {{}, {0, 4, 0}, {0, 0, -1}, "dflt.mat", "dflt.mat", {0.25f, 0.75f}, {1, 0}},
      {{.YUp = true}, {0, 0, 4}, {0, 1, 0}, "dflt.mat", "dflt.mat", {0.25f, 0.75f}, {1, 0}},
      {{.Fit = true}, {0, 0.1, 0}, {0, 0, -0.025}, "dflt.mat", "dflt.mat", {0.25f, 0.75f}, {1, 0}},
      {{.YUp = true, .Scale = 2}, {0, 0, 8}, {0, 2, 0}, "dflt.mat", "dflt.mat", {0.25f, 0.75f}, {1, 0}},
      // Texels from OBJ's 0..1, V up: (0.25, 1 - 0.75) x (32, 16) where the material is found,
      // (1, 1 - 0) x 64 where it is not.
      {{.Materials = true}, {0, 4, 0}, {0, 0, -1}, "stone.mat", "missing_one.mat", {8, 4}, {64, 64}},
  };
  for (const auto& c : cases) {
    TTestCore t;
    t.Model().FileName = dir.File("scene.3do");
    ASSERT_TRUE(ImportObj(t.Model(), obj, c.Options));
    const TMesh& mesh = *t.Model().Nodes[0]->Mesh;
    ExpectNear(mesh.Vertices[2]->Position, c.Third);
    ExpectNear(mesh.Vertices[3]->Position, c.Fourth);
    const TFace &f0 = *mesh.Surfaces[0], &f1 = *mesh.Surfaces[1];
    EXPECT_EQ((std::tuple{f0.Material->Name, f1.Material->Name, TTex(f0.TXVertices[0].U, f0.TXVertices[0].V),
                          TTex(f1.TXVertices[0].U, f1.TXVertices[0].V)}),
              (std::tuple{c.Material0, c.Material1, c.Tex0, c.Tex1}));
  }

  // Bad content ends the import; what stays is turned like the rest would have been.
  TTestCore t;
  EXPECT_FALSE(ImportObj(t.Model(), dir.Write("bad.obj", "v 0 1 0\nv 0 0 1\nf 1 2 3\n"), {.YUp = true}));
  ExpectNear(t.Model().Nodes[0]->Mesh->Vertices[0]->Position, {0, 0, 1});
}

TEST(ObjImportOptions, ScaleIsFitOrAFactorAboveZero) {
  const struct { const char* Text; bool Fit; double Scale; const char* Error; } cases[] = {
      {"fit", true, 1, nullptr},
      {"2.5", false, 2.5, nullptr},
      {"abc", false, 1, "'abc' is not a valid floating point value"},
      {"", false, 1, "'' is not a valid floating point value"},
      {"0", false, 1, "'0' is not a valid scale factor: it must be above 0"},
      {"-2", false, 1, "'-2' is not a valid scale factor: it must be above 0"},
  };
  for (const auto& c : cases) {
    TObjImportOptions options;
    if (c.Error) {
      ExpectThrowWhat<EConvertError>([&] { SetObjScale(options, c.Text); }, c.Error);
    } else {
      SetObjScale(options, c.Text);
    }
    EXPECT_EQ(options.Fit, c.Fit) << c.Text;
    EXPECT_EQ(options.Scale, c.Scale) << c.Text;
  }
}

}  // namespace
