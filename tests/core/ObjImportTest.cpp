#include <gtest/gtest.h>

#include "formats/ObjImport.h"
#include "model/Core.h"
#include "model/Errors.h"
#include "model/HeadlessServices.h"
#include "tests/core/FormatBytes.h"

using namespace fmt_test;

namespace {

class ObjImport : public ::testing::Test {
 protected:
  TMesh* Import(const std::string& text) {
    ImportObjText(*Core.Model, text);
    return Core.Model->Nodes.Last()->Mesh.get();
  }
  static std::vector<std::pair<float, float>> Tex(const TFace* f) {
    std::vector<std::pair<float, float>> out;
    for (const TTXVertex& t : f->TXVertices) out.emplace_back(t.U, t.V);
    return out;
  }
  static std::vector<int> Corners(const TFace* f) {
    std::vector<int> out;
    for (const TVertex* v : f->Vertices) out.push_back(f->Mesh->Vertices.IndexOf(v));
    return out;
  }
  const std::string Triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n";
  THeadlessServices Services;
  TCore Core{Services};
};

TEST_F(ObjImport, OneTriangleBecomesANodeWithAMeshOfDefaultFaces) {
  TMesh* mesh = Import(Triangle + "f 1/1/1 2/2/1 3/3/1\n");
  ASSERT_EQ(Core.Model->Nodes.Count(), 1);
  const TNode* node = Core.Model->Nodes[0];
  EXPECT_EQ(node->Name, "dHNode");
  EXPECT_EQ(node->Mesh.get(), mesh);
  EXPECT_EQ(mesh->Name, "Mesh");
  ASSERT_EQ(mesh->Vertices.Count(), 3);
  EXPECT_EQ(mesh->Vertices[1]->Position.X, 1);
  EXPECT_EQ(mesh->Vertices[2]->Position.Y, 1);
  ASSERT_EQ(mesh->Surfaces.Count(), 1);
  const TFace* face = mesh->Surfaces[0];
  EXPECT_EQ(Corners(face), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Tex(face), (std::vector<std::pair<float, float>>{{0, 0}, {1, 0}, {0, 1}}));
  EXPECT_EQ(face->Material->Name, "dflt.mat");
  EXPECT_EQ(face->FaceType, 4);
  EXPECT_EQ(face->GeometryMode, 4);
  EXPECT_EQ(face->LightingMode, 3);
  EXPECT_EQ(face->TextureMode, 1);
}

TEST_F(ObjImport, EveryCornerFormReads) {
  TMesh* mesh = Import(Triangle + "f 1/1/ 2/2/ 3/3/\nf 1/3 2/2 3/1\nf 1 2 3\nf 3//1 2//1 1//1\n");
  ASSERT_EQ(mesh->Surfaces.Count(), 4);
  EXPECT_EQ(Tex(mesh->Surfaces[0]), (std::vector<std::pair<float, float>>{{0, 0}, {1, 0}, {0, 1}}));
  EXPECT_EQ(Tex(mesh->Surfaces[1]), (std::vector<std::pair<float, float>>{{0, 1}, {1, 0}, {0, 0}}));
  EXPECT_EQ(Tex(mesh->Surfaces[2]), (std::vector<std::pair<float, float>>{{0, 0}, {0, 0}, {0, 0}}));
  EXPECT_EQ(Corners(mesh->Surfaces[3]), (std::vector<int>{2, 1, 0}));
}

TEST_F(ObjImport, LineEndsAndSeparatorsOfRealFiles) {
  for (const std::string eol : {"\n", "\r\n", "\r"}) {
    for (const std::string sep : {" ", "\t", "  \t "}) {
      const std::string text = "# comment" + eol + "v" + sep + "1" + sep + "2" + sep + "3" + eol + "  v 4 5 6" + eol + eol +
                               "v 7 8 9 1.0" + eol + "vt 0.5" + sep + "0.25 0" + eol + "f" + sep + "1/1" + sep + "2/1" + sep +
                               "3/1" + sep + eol + "vn 0 0 1" + eol + "g group" + eol + "usemtl m" + eol + "s off" + eol +
                               "o obj" + eol + "mtllib x.mtl";
      TMesh* mesh = Import(text);
      ASSERT_EQ(mesh->Vertices.Count(), 3) << "separator '" << sep << "'";
      EXPECT_EQ(mesh->Vertices[0]->Position.Z, 3);
      EXPECT_EQ(mesh->Vertices[2]->Position.X, 7);
      ASSERT_EQ(mesh->Surfaces.Count(), 1);
      EXPECT_EQ(Tex(mesh->Surfaces[0])[2], (std::pair<float, float>{0.5f, 0.25f}));
    }
  }
  EXPECT_EQ(Core.Model->Nodes.Count(), 9);
}

TEST_F(ObjImport, NegativeIndicesCountBackFromTheLastItemRead) {
  TMesh* mesh = Import("v 0 0 0\nv 1 0 0\nvt 0 0\nvt 1 1\nv 0 1 0\nf -3/-2 -2/-1 -1/-1\nv 5 5 5\nf -1 -2 -3\n");
  ASSERT_EQ(mesh->Surfaces.Count(), 2);
  EXPECT_EQ(Corners(mesh->Surfaces[0]), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Tex(mesh->Surfaces[0]), (std::vector<std::pair<float, float>>{{0, 0}, {1, 1}, {1, 1}}));
  EXPECT_EQ(Corners(mesh->Surfaces[1]), (std::vector<int>{3, 2, 1}));
}

TEST_F(ObjImport, IndicesCountWithinTheImportedFileOnly) {
  Import(Triangle + "f 1 2 3\n");
  TMesh* second = Import("v 9 9 9\nv 8 8 8\nv 7 7 7\nf 3 2 1\n");
  EXPECT_EQ(Core.Model->Nodes.Count(), 2);
  EXPECT_NE(Core.Model->Nodes[0]->Mesh.get(), second);
  EXPECT_EQ(second->Surfaces[0]->Vertices[0]->Position.X, 7);
}

void ExpectError(TModel& model, const std::string& text, const std::string& message, int facesKept) {
  try {
    ImportObjText(model, text);
    ADD_FAILURE() << "no error for " << text;
  } catch (const EZarnError& e) {
    EXPECT_EQ(e.what(), message);
  }
  const TMesh* mesh = model.Nodes.Last()->Mesh.get();
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->Surfaces.Count(), facesKept) << text;
}

TEST_F(ObjImport, BadContentEndsTheImportKeepingWhatWasAdded) {
  TModel& m = *Core.Model;
  ExpectError(m, "v 0 0 0\nv 1 x 0\n", "'x' is not a valid floating point value", 0);
  EXPECT_EQ(m.Nodes.Last()->Mesh->Vertices.Count(), 1);
  ExpectError(m, "v 0 0\n", "'' is not a valid floating point value", 0);
  ExpectError(m, "v nan 0 0\n", "'nan' is not a valid floating point value", 0);
  ExpectError(m, Triangle + "f 1 2 3\nf 1 2 4\n", "Vertex Index is out of bounds: 3", 1);
  ExpectError(m, Triangle + "f 0 1 2\n", "Vertex Index is out of bounds: -1", 0);
  ExpectError(m, Triangle + "f -4 1 2\n", "Vertex Index is out of bounds: -1", 0);
  ExpectError(m, Triangle + "f 1/4 2 3\n", "Texture Vertex Index is out of bounds: 3", 0);
  ExpectError(m, "v 0 0 0\nf 1/1 1 1\n", "Texture Vertex Index is out of bounds: 0", 0);
  ExpectError(m, Triangle + "f 1/a 2 3\n", "'a' is not a valid integer value", 0);
  ExpectError(m, Triangle + "f /1 2 3\n", "'' is not a valid integer value", 0);
  ExpectError(m, Triangle + "f 1 2 99999999999\n", "'99999999999' is not a valid integer value", 0);
  ExpectError(m, Triangle + "f 3 2 1\nf 1.5 2 3\n", "'1.5' is not a valid integer value", 1);
  EXPECT_EQ(m.Nodes.Count(), 12);
}

TEST_F(ObjImport, FacesKeepAtMostTwentyNineCorners) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "v " + std::to_string(i) + " 0 0\n";
  text += "f";
  for (int i = 1; i <= 40; ++i) text += " " + std::to_string(i);
  TMesh* mesh = Import(text + "\nf 1 2 3\n");
  EXPECT_EQ(mesh->Surfaces[0]->Vertices.Count(), 29);
  EXPECT_EQ(mesh->Surfaces[1]->Vertices.Count(), 3);
  EXPECT_EQ(Services.Output.back(), "1 faces had more than 29 corners; only their first 29 were kept");
}

TEST_F(ObjImport, EmptyTextsAndCtrlZ) {
  TMesh* mesh = Import("");
  EXPECT_EQ(mesh->Vertices.Count(), 0);
  mesh = Import(std::string("v 1 2 3\n\x1Av 4 5 6\n"));
  EXPECT_EQ(mesh->Vertices.Count(), 1);
  mesh = Import("f\nf \t\nvt 1 2\n");
  EXPECT_EQ(mesh->Surfaces.Count(), 0);
}

TEST_F(ObjImport, FilesAreReadOnlyWhenTheyExist) {
  TTempDir dir;
  EXPECT_FALSE(Core.Model->ImportObj(dir.File("missing.obj")));
  EXPECT_FALSE(Core.Model->ImportObj(dir.Path));
  EXPECT_EQ(Core.Model->Nodes.Count(), 0);
  EXPECT_TRUE(Core.Model->ImportObj(dir.Write("t.obj", Triangle + "f 1 2 3\r\n")));
  EXPECT_TRUE(Core.Model->ImportObj(dir.Write("empty.obj", "")));
  ASSERT_EQ(Core.Model->Nodes.Count(), 2);
  EXPECT_EQ(Core.Model->Nodes[0]->Mesh->Surfaces.Count(), 1);
}

}  // namespace
