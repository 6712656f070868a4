#include <tuple>

#include "tests/core/TestCore.h"
#include "formats/FileIO.h"
#include "tests/core/PieceSource.h"

namespace {

// The text with each CR LF line end replaced by `eol`.
std::string WithLineEnds(const std::string& text, const std::string& eol) {
  std::string out;
  for (size_t at = 0, end; at < text.size(); at = end + 2) {
    end = std::min(text.find("\r\n", at), text.size());
    out.append(text, at, end - at).append(eol);
  }
  return out;
}

TEST(Reader, ReadsEveryColumnOfTheTriangleModel) {
  TTestCore t;
  Parse3DO(t.Model(), TriangleModelText());
  ASSERT_TRUE(t.Services.Errors.empty()) << t.Services.Errors[0];
  TModel& m = t.Model();
  ASSERT_EQ(m.Nodes.Count(), 2);
  TNode *root = m.Nodes[0], *child = m.Nodes[1];
  EXPECT_EQ((std::tuple{root->Name, root->NodeType, root->Child, root->NumChildren, child->Parent, child->Position.Z}),
            (std::tuple{"root", 10, child, 1, root, 1.0}));
  EXPECT_EQ(child->Mesh, nullptr);
  ASSERT_NE(root->Mesh, nullptr);
  TMesh& mesh = *root->Mesh;
  EXPECT_EQ((std::tuple{mesh.Name, mesh.Node, mesh.GeometryMode}), (std::tuple{"tri", root, 4}));
  ASSERT_EQ(mesh.Surfaces.Count(), 1);
  TFace& f = *mesh.Surfaces[0];
  EXPECT_EQ((std::vector<int>{f.FaceType, f.GeometryMode, f.LightingMode, f.TextureMode}), (std::vector<int>{4, 4, 3, 1}));
  EXPECT_FLOAT_EQ(f.ExtraLight, 0.5f);
  ASSERT_EQ(f.Vertices.Count(), 3);
  EXPECT_EQ((std::tuple{f.Vertices[2], f.TXVertices[1].U}), (std::tuple{mesh.Vertices[2], 16.0f}));
  // Every material the file names stays in its order, used or not, and no other.
  ASSERT_EQ(m.Materials.Count(), 2);
  EXPECT_EQ((std::tuple{m.Materials.Get(0)->Name, m.Materials.Get(0)->ByDefault, f.Material, f.Material->Name}),
            (std::tuple{"stone.mat", false, m.Materials.Get(1), "metal.mat"}));
  EXPECT_EQ(m.InsertOffset, (TVector{0.5, 0, -1}));
  EXPECT_DOUBLE_EQ(m.Radius, 1);  // computed, not the file's 9
  EXPECT_EQ(t.Services.Status.back(), "");
  EXPECT_NE(std::find(t.Services.Status.begin(), t.Services.Status.end(), "Loading Mesh 0, Surfaces..."),
            t.Services.Status.end());
}

TEST(Reader, MergedRowsShiftPastExistingNodesHexFieldsLoseTheirPrefixAndNamesAreOneField) {
  TTestCore t;
  for (int i = 0; i < 5; ++i) t.Model().AddNode();
  std::string text = Replace(TriangleModelText(), "0:  0x0 0x10", "0:  0x00001 0x0000");
  text = Replace(text, "0 0 0 0 0 0 0 0 0 root", "0 0 0 0 0 0 0 0 0 big root node");
  Parse3DO(t.Model(), Replace(text, "NAME tri", "NAME box0xlid"));
  ASSERT_TRUE(t.Services.Errors.empty());
  ASSERT_EQ(t.Model().Nodes.Count(), 7);
  const TNode* root = t.Model().Nodes[5];
  EXPECT_EQ((std::tuple{t.Model().Nodes[6]->Parent, root->Flags, root->NodeType, root->Name, root->Mesh->Name}),
            (std::tuple{root, 1, 0, "big", "boxlid"}));
}

TEST(Reader, FilesFromTheWildOpen) {
  // LF and CR line ends, tabs, numbers without a leading zero, negative zero, a comment
  // between sections, a glued material label, an untextured face naming texture vertex 0, and
  // keywords and hexadecimal in any case, as the game lower-cases each line.
  std::string text = Replace(TriangleModelText(), "0:  0x0 0x10", "0:  0X0 0X10");
  text = Replace(text, "0:  stone.mat", "0:STONE.MAT");
  text = Replace(text, "MESHES 1", "meshes\t1");
  text = Replace(text, "INSERT OFFSET", "Insert Offset");
  text = Replace(text, "HIERARCHYDEF\r\nHIERARCHY NODES", "hierarchydef\r\nhierarchy nodes");
  text = Replace(text, "1:  1 0 0 0", "1:  .665207 -0.000000 0 0");
  text = Replace(text, "SECTION: hierarchydef", "# the hierarchy follows\r\nSECTION: hierarchydef");
  text = Replace(text, "TEXTURE VERTICES 3\r\n0:  0 0\r\n1:  16 0\r\n2:  0 16", "TEXTURE VERTICES 0");
  text = Replace(text, "0:  1 0x4 4 3 1 0.5 3 0, 0 1, 1 2, 2", "0:  0 0X4 4 3 1 0.5 3 0, 0 1, 0 2, 0");
  for (const char* eol : {"\n", "\r"}) {
    TTestCore t;
    Parse3DO(t.Model(), WithLineEnds(text, eol));
    ASSERT_TRUE(t.Services.Errors.empty()) << t.Services.Errors[0];
    TMesh& mesh = *t.Model().Nodes[0]->Mesh;
    EXPECT_DOUBLE_EQ(mesh.Vertices[1]->Position.X, 0.665207);
    EXPECT_EQ((std::tuple{mesh.Surfaces[0]->Material->Name, mesh.Surfaces[0]->TXVertices[2].U, mesh.Surfaces[0]->FaceType,
                          t.Model().Nodes[0]->NodeType}),
              (std::tuple{"STONE.MAT", 0.0f, 4, 10}));
    EXPECT_EQ(t.Model().InsertOffset, (TVector{0.5, 0, -1}));
  }
  TTestCore bad;
  Parse3DO(bad.Model(), Replace(text, "1, 0 2, 0", "1, 1 2, 0"));
  EXPECT_EQ(bad.Services.Errors, std::vector<std::string>{"line 37: the row names texture vertex 1, but there are 0"});
}

TEST(Reader, EmptyMeshesAndFacesOfTwentyFourCorners) {
  std::string face = "0:  0 0x4 4 3 1 0 24", verts = "VERTICES 24\r\n";
  for (int i = 0; i < 24; ++i) {
    face += " " + std::to_string(i) + ", 0";
    verts += std::to_string(i) + ":  " + std::to_string(i) + " 0 0 0\r\n";
  }
  std::string text = Replace(TriangleModelText(), "0:  1 0x4 4 3 1 0.5 3 0, 0 1, 1 2, 2", face);
  text = Replace(text, "VERTICES 3\r\n0:  0 0 0 0\r\n1:  1 0 0 0\r\n2:  0 1 0 0\r\n", verts);
  text = Replace(text, "MESHES 1", "MESHES 2");
  text = Replace(text, "SECTION: HIERARCHYDEF",
                 "MESH 1\r\nNAME empty\r\nGEOMETRYMODE 0\r\nLIGHTINGMODE 0\r\nTEXTUREMODE 0\r\n"
                 "VERTICES 0\r\nTEXTURE VERTICES 0\r\nFACES 0\r\n\r\nSECTION: HIERARCHYDEF");
  text = Replace(text, "0x1 -1 0", "0x1 1 0");
  TTestCore t;
  Parse3DO(t.Model(), text);
  ASSERT_TRUE(t.Services.Errors.empty()) << t.Services.Errors[0];
  EXPECT_EQ(t.Model().Nodes[0]->Mesh->Surfaces[0]->Vertices.Count(), 24);
  EXPECT_EQ(t.Model().Nodes[1]->Mesh->Vertices.Count(), 0);
}

TEST(Reader, MissingFileReportsOnce) {
  TTestCore t;
  const TReadResult result = Load3DOFile(t.Model(), "/nonexistent/model.3do");
  const std::string says = "Cannot open file '/nonexistent/model.3do': No such file or directory";
  EXPECT_EQ(t.Services.Errors, std::vector<std::string>{says});
  EXPECT_EQ((std::tuple{result.Ok, result.Message, t.Model().FileName}), (std::tuple{false, says, "/nonexistent/model.3do"}));
}

TEST(Reader, TextArrivingInPiecesReadsAsFromMemoryAndCountsLinesPastTheIntegerRange) {
  const std::string sample = ReadWholeFile(ZARN_SAMPLES_DIR "/fighter.3do");
  TTestCore whole;
  Parse3DO(whole.Model(), sample);
  for (const char* eol : {"\r\n", "\n", "\r"}) {
    const std::string text = WithLineEnds(sample, eol);
    for (const size_t piece : {1, 2, 3, 1000}) {
      TPieceSource source(text, [piece](size_t) { return piece; });
      TLineCursor lines(source);
      TTestCore t;
      ASSERT_TRUE(Parse3DO(t.Model(), lines)) << piece;
      EXPECT_EQ(SavedText(t.Model()), SavedText(whole.Model())) << piece;
    }
  }
  // Line numbers go past the integer range.
  TPieceSource source("head\nMODELRESOURCE\nMATERIALS x\n", [](size_t) { return 4; });
  TLineCursor lines(source, int64_t{1} << 31);
  TTestCore t;
  const TReadResult result = Parse3DO(t.Model(), lines);
  EXPECT_EQ(result.Message, "line 2147483651: expected \"MATERIALS n\", found \"MATERIALS x\"");
}


}  // namespace

// Two nodes naming one mesh each get a mesh of their own in every set, and the copy is told
// once for the node, with one set or two.
TEST(Reader, ASharedMeshIsCopiedInEverySetAndToldOnce) {
  const std::string one = Replace(TriangleModelText(), "0x1 -1 0 -1", "0x1 0 0 -1");
  const size_t at = one.find("MESH 0\r\n");
  const std::string mesh = one.substr(at, one.find("SECTION: HIERARCHYDEF") - at);
  const std::string two = Replace(Replace(one, "GEOSETS 1", "GEOSETS 2"), "SECTION: HIERARCHYDEF",
                                  "GEOSET 1\r\nMESHES 1\r\n\r\n" + mesh + "SECTION: HIERARCHYDEF");
  for (const std::string& text : {one, two}) {
    TTestCore t;
    ASSERT_TRUE(Parse3DO(t.Model(), text));
    std::vector<std::string> told;
    for (const std::string& line : t.Services.Output)
      if (line.find("shares mesh") != std::string::npos) told.push_back(line);
    EXPECT_EQ(told, std::vector<std::string>{"Node 1 shares mesh 0 with another node; it was given its own copy"});
    for (int set = 0; set < t.Model().GeosetCount(); ++set) {
      SCOPED_TRACE(set);
      const TMesh* root = t.Model().GeosetMesh(*t.Model().Nodes[0], set);
      const TMesh* child = t.Model().GeosetMesh(*t.Model().Nodes[1], set);
      ASSERT_TRUE(root && child);
      EXPECT_NE(root, child);
      EXPECT_EQ((std::tuple{child->Vertices.Count(), child->Surfaces.Count()}), (std::tuple{3, 1}));
    }
  }
}
