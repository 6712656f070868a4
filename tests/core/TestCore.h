#pragma once

#include "document/MaterialLookup.h"
#include "document/PlainNodeTree.h"
#include "services/HeadlessServices.h"
#include "tests/core/ChangeCounter.h"
#include "tests/core/TestSupport.h"

// Headless services that keep the lines of every dialog as it opened.
class TRecordingServices : public THeadlessServices {
 public:
  bool QueryValues(const std::string& caption, std::vector<std::string>& lines) override {
    Shown.push_back(lines);
    return THeadlessServices::QueryValues(caption, lines);
  }
  std::vector<std::vector<std::string>> Shown;
};

// A core answered by recording services, as every headless test needs one, with helpers to
// build small meshes by hand.
struct TTestCore {
  TTestCore() { InstallMaterialLoader(Core); }

  // Corner k of the face as an index into its mesh's vertex list.
  static std::vector<int> Corners(const TFace& face) {
    std::vector<int> out;
    for (const TVertex* v : face.Vertices) out.push_back(face.Mesh->Vertices.IndexOf(v));
    return out;
  }

  TModel& Model() { return *Core.Model; }
  TNode* AddMeshNode(const std::string& name, std::initializer_list<TVector> points = {}) {
    return ::AddMeshNode(Model(), name, points);
  }
  void RefillTree() { FillNodeTree(Model(), Tree); }

  TRecordingServices Services;
  TCore Core{Services};
  TChangeCounter Changes{Core};
  TPlainNodeTree Tree;
};

// The same core as the fixture of TEST_F tests.
class CoreFixture : public ::testing::Test, public TTestCore {};

// A small well-formed 3DO text: one triangle mesh under a root node and a child without mesh.
inline std::string TriangleModelText() {
  return "# MODEL 'tri.3do'\r\n"
         "SECTION: HEADER\r\n3DO 2.1\r\n\r\n"
         "SECTION: MODELRESOURCE\r\nMATERIALS 2\r\n0:  stone.mat\r\n1:  metal.mat\r\n\r\n"
         "SECTION: GEOMETRYDEF\r\nRADIUS 9\r\nINSERT OFFSET 0.5 0 -1\r\nGEOSETS 1\r\nGEOSET 0\r\nMESHES 1\r\n\r\n"
         "MESH 0\r\nNAME tri\r\nRADIUS 1\r\nGEOMETRYMODE 4\r\nLIGHTINGMODE 3\r\nTEXTUREMODE 0\r\n\r\n"
         "VERTICES 3\r\n0:  0 0 0 0\r\n1:  1 0 0 0\r\n2:  0 1 0 0\r\n\r\n"
         "TEXTURE VERTICES 3\r\n0:  0 0\r\n1:  16 0\r\n2:  0 16\r\n\r\n"
         "VERTEX NORMALS\r\n0:  0 0 1\r\n1:  0 0 1\r\n2:  0 0 1\r\n\r\n"
         "FACES 1\r\n0:  1 0x4 4 3 1 0.5 3 0, 0 1, 1 2, 2 \r\n\r\n"
         "FACE NORMALS\r\n0:  0 0 1\r\n\r\n"
         "SECTION: HIERARCHYDEF\r\nHIERARCHY NODES 2\r\n"
         "0:  0x0 0x10 0 -1 1 -1 1 0 0 0 0 0 0 0 0 0 root\r\n"
         "1:  0x0 0x1 -1 0 -1 -1 0 0 0 1 0 0 0 0 0 0 child\r\n";
}

// The text with the first occurrence of `from` replaced, which must be there.
inline std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}
