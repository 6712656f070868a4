// Nested nodes placed as the game places them (MathTest turns single points); the expected
// numbers were worked out by hand with column vectors, R = Rz(yaw) * Rx(pitch) * Ry(roll).

#include "formats/FileIO.h"
#include "formats/ObjExport.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;

namespace {

// Three nested nodes, each with a mesh: torso (yaw 90) > arm (pitch 30, yaw 60, pivot) >
// hand (pitch 45, roll 90, pivot), like a limb of a character in mid-animation.
std::string LimbModelText() {
  auto mesh = [](int index, const char* name, const char* vertices, int count) {
    return "MESH " + std::to_string(index) + "\nNAME " + name +
           "\nRADIUS 1\nGEOMETRYMODE 4\nLIGHTINGMODE 3\nTEXTUREMODE 0\n\nVERTICES " + std::to_string(count) + "\n" +
           vertices + "\nTEXTURE VERTICES 0\n\nVERTEX NORMALS\n" +
           (count == 2 ? "0: 0 0 1\n1: 0 0 1\n" : "0: 0 0 1\n") + "\nFACES 0\n\nFACE NORMALS\n\n";
  };
  return "SECTION: HEADER\n3DO 2.1\n\nSECTION: MODELRESOURCE\nMATERIALS 0\n\n"
         "SECTION: GEOMETRYDEF\nRADIUS 1\nINSERT OFFSET 0 0 0\nGEOSETS 1\nGEOSET 0\nMESHES 3\n\n" +
         mesh(0, "torso", "0: 0.1 0 0 0\n", 1) + mesh(1, "arm", "0: 0 0 0 0\n1: 0.1 0 0 0\n", 2) +
         mesh(2, "hand", "0: 0 0 0.02 0\n1: 0 0 0 0\n", 2) +
         "SECTION: HIERARCHYDEF\nHIERARCHY NODES 3\n"
         "0: 0x0 0x1 0 -1 1 -1 1 0 0 0.1 0 90 0 0 0 0 torso\n"
         "1: 0x0 0x1 1 0 2 -1 1 0.05 0 0 30 60 0 0.02 0 0 arm\n"
         "2: 0x0 0x1 2 1 -1 -1 0 0.1 0 0 45 0 90 0 0.01 0 hand\n";
}

const std::vector<TVector> kLimbWorld = {
    {0, 0.1, 0.1},                             // torso
    {-0.017321, 0.06, 0.1},                    // arm
    {-0.103923, 0.11, 0.1},                    //
    {-0.105217, 0.107759, 0.109659},           // hand
    {-0.087897, 0.097759, 0.109659},           //
};

// Read from a file, exported to OBJ and written again by zarn-cli.
TEST(NestedNodes, ArePlacedAsTheGamePlacesThemWhileTheFileKeepsItsNumbers) {
  const TTempDir dir;
  const std::string in = dir.Write("limb.3do", LimbModelText());
  TTestCore t;
  ASSERT_TRUE(Load3DOFile(t.Model(), in));
  std::vector<TVector> world;
  for (const TNode* node : t.Model().Nodes)
    for (const TVertex* v : node->Mesh->Vertices) world.push_back(v->World);
  ExpectNear(world, kLimbWorld);
  // The hand's origin: the arm's turn and position carried through the torso.
  ExpectNear(t.Model().NodeWorldPosition(*t.Model().Nodes[2]), {-0.086603, 0.1, 0.1});

  const TCliRun run = RunCli({"export", in, dir.File("limb.obj")});
  ASSERT_EQ(run.Status, 0) << run.Out;
  const std::string obj = ReadWholeFile(dir.File("limb.obj"));
  for (const char* line : {"v 0 0.1 0.1\n", "v -0.017321 0.06 0.1\n", "v -0.103923 0.11 0.1\n",
                           "v -0.105217 0.107759 0.109659\n", "v -0.087897 0.097759 0.109659\n"})
    EXPECT_NE(obj.find(line), std::string::npos) << line << obj;
  ASSERT_EQ(RunCli({"convert", in, dir.File("again.3do")}).Status, 0);
  const std::string again = ReadWholeFile(dir.File("again.3do"));
  EXPECT_NE(again.find("1:  0x0 0x1 1 0 2 -1 1 0.05 0 0 30 60 0 0.02 0 0 arm\r\n"), std::string::npos) << again;
}

}  // namespace
