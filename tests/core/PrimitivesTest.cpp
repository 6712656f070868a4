#include <filesystem>
#include <map>

#include "editing/Actions.h"
#include "editing/Primitives.h"
#include "tests/core/CliRunner.h"
#include "tests/core/EditFixture.h"

namespace {

using Primitives = EditFixture;

TEST_F(Primitives, CubeHasEightCornersAndOutwardQuads) {
  TMesh& mesh = *BuildCube(Model(), 0.02f)->Mesh;
  ASSERT_EQ(mesh.Vertices.Count(), 8);
  ASSERT_EQ(mesh.Surfaces.Count(), 6);
  const float h = 0.02f / 2;
  ExpectNear(mesh.Vertices[0]->Position, -h, -h, -h, 0);
  ExpectNear(mesh.Vertices[6]->Position, h, h, h, 0);
  EXPECT_EQ(Corners(*mesh.Surfaces[4]), (std::vector<int>{2, 7, 6, 3}));
  const TVector outward[6] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
  for (int i = 0; i < 6; ++i) {
    const TVector n = mesh.Surfaces[i]->GetNormal();
    ExpectNear(n, outward[i].X, outward[i].Y, outward[i].Z);
    EXPECT_EQ(mesh.Surfaces[i]->TXVertices.Count(), 4);
  }
  EXPECT_EQ(mesh.Surfaces[0]->Material->Name, "dflt.mat");
}

TEST_F(Primitives, PlaneIsCentredAndFacesUp) {
  TMesh& mesh = *BuildPlane(Model(), 2, 1, 1.0f)->Mesh;
  ASSERT_EQ(mesh.Vertices.Count(), 6);
  ASSERT_EQ(mesh.Surfaces.Count(), 2);
  ExpectNear(mesh.Vertices[0]->Position, -0.5, 0.5, 0);
  ExpectNear(mesh.Vertices[1]->Position, 0, 0.5, 0);
  ExpectNear(mesh.Vertices[5]->Position, 0.5, -0.5, 0);
  EXPECT_EQ(Corners(*mesh.Surfaces[0]), (std::vector<int>{1, 0, 3, 4}));
  ExpectNear(mesh.Surfaces[1]->GetNormal(), 0, 0, 1);
}

TEST_F(Primitives, CylinderRingsCapsAndSides) {
  TMesh& mesh = *BuildCylinder(Model(), 4, 2.0f, 1.0f)->Mesh;
  ASSERT_EQ(mesh.Vertices.Count(), 8);
  ASSERT_EQ(mesh.Surfaces.Count(), 6);
  ExpectNear(mesh.Vertices[0]->Position, 0, 1, -1);
  ExpectNear(mesh.Vertices[1]->Position, 1, 0, -1);
  ExpectNear(mesh.Vertices[3]->Position, -1, 0, -1);
  // The top ring follows the bottom cap's corner order before the flip: v3 v2 v1 v0.
  ExpectNear(mesh.Vertices[4]->Position, -1, 0, 1);
  EXPECT_EQ(Corners(*mesh.Surfaces[0]), (std::vector<int>{0, 1, 2, 3}));
  ExpectNear(mesh.Surfaces[0]->GetNormal(), 0, 0, -1);
  ExpectNear(mesh.Surfaces[1]->GetNormal(), 0, 0, 1);
  for (int s = 2; s < 6; ++s) {
    const TVector n = mesh.Surfaces[s]->GetNormal();
    const TVector c = mesh.Surfaces[s]->Vertices[0]->Position;
    const TVector d = mesh.Surfaces[s]->Vertices[1]->Position;
    EXPECT_GT(n.X * (c.X + d.X) + n.Y * (c.Y + d.Y), 0) << "side " << s << " faces inward";
  }
}

TEST_F(Primitives, ConeAverageIncludesApex) {
  TMesh& mesh = *BuildCone(Model(), 3, 1.0f, 0.03f)->Mesh;
  ASSERT_EQ(mesh.Vertices.Count(), 4);
  ASSERT_EQ(mesh.Surfaces.Count(), 4);
  EXPECT_NEAR(mesh.Vertices[0]->Position.Z, -0.25, 1e-7);
  EXPECT_NEAR(mesh.Vertices[3]->Position.Z, 0.75, 1e-7);
  ExpectNear(mesh.Surfaces[0]->GetNormal(), 0, 0, -1);
}

TEST_F(Primitives, ZeroSidesGiveEmptySurfaces) {
  TMesh& cylinder = *BuildCylinder(Model(), 0, 1, 1)->Mesh;
  EXPECT_EQ(cylinder.Vertices.Count(), 0);
  ASSERT_EQ(cylinder.Surfaces.Count(), 2);
  EXPECT_EQ(cylinder.Surfaces[0]->Vertices.Count(), 0);
  TMesh& cone = *BuildCone(Model(), 0, 1, 1)->Mesh;
  ASSERT_EQ(cone.Vertices.Count(), 1);
  ExpectNear(cone.Vertices[0]->Position, 0, 0, 0, 0);
}

TEST_F(Primitives, CommandAsksSelectsAndRefreshes) {
  TNode* before = Model().AddNode();
  Core.ToggleNode(before);
  Services.Answers = {{"Size", "2"}};
  actPrimCube(Core);
  ASSERT_EQ(Model().Nodes.Count(), 2);
  EXPECT_EQ(Services.Queries, std::vector<std::string>{"Create Cube"});
  EXPECT_EQ(Core.Nodes.Count(), 2) << "the new cube joins the selection";
  TNode* cube = Model().Nodes[1];
  EXPECT_EQ(cube->Name, "Cube");
  EXPECT_EQ(cube->Mesh->Name, "Cube");
  EXPECT_TRUE(Core.Nodes.Contains(cube));
  ExpectNear(cube->Mesh->Vertices[6]->World, 1, 1, 1);
  EXPECT_GT(Model().Radius, 1.7);
  EXPECT_EQ(Services.TreeFills, 1);
  EXPECT_EQ(Services.MaterialListFills, 1);
  EXPECT_EQ(Services.Rebuilds, 1);
}

TEST_F(Primitives, CancelAndBadNumbersCreateNothing) {
  Services.CancelQueries = true;
  actPrimPlane(Core);
  EXPECT_EQ(Model().Nodes.Count(), 0);
  Services.CancelQueries = false;
  Services.Answers = {{"Size", "abc"}};
  try {
    actPrimCylind(Core);
    FAIL() << "no conversion error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
  Services.Answers = {{"Sides", "7.5"}};
  EXPECT_THROW(actPrimCone(Core), EConvertError);
  Services.Answers = {{"Subdivide_X", ""}};
  EXPECT_THROW(actPrimPlane(Core), EConvertError);
  EXPECT_EQ(Model().Nodes.Count(), 0);
  EXPECT_EQ(Model().Materials.Count(), 0);
}

// Values that make no shape, too many vertices, or a shape beyond what a 3DO file holds.
struct TRefusal {
  const char* Action;
  std::map<std::string, std::string> Answers;
  const char* Message;  // a part of the error text, naming the value
  bool ThroughCli;
};

const TRefusal kRefusals[] = {
    {"actPrimCube", {{"Size", "0"}}, "Size=0 makes no shape", true},
    {"actPrimCube", {{"Size", "1e-50"}}, "Size=1e-50 makes no shape", false},
    {"actPrimPlane", {{"Size", "-2"}}, "Size=-2 makes no shape", false},
    {"actPrimPlane", {{"Subdivide_X", "-1"}, {"Subdivide_Y", "2147483647"}}, "Subdivide_X=-1", true},
    {"actPrimPlane", {{"Subdivide_Y", "0"}}, "Subdivide_Y=0", false},
    {"actPrimPlane", {{"Subdivide_X", "2000000000"}, {"Subdivide_Y", "2000000000"}}, "at most 1000000", false},
    {"actPrimPlane", {{"Size", "3.4028e38"}, {"Subdivide_X", "502"}}, "beyond the range a 3DO file", true},
    {"actPrimCylind", {{"Sides", "2"}}, "Sides=2 makes no shape: at least 3", true},
    {"actPrimCylind", {{"Radius", "0"}}, "Radius=0", false},
    {"actPrimCylind", {{"Size", "-0.2"}}, "Size=-0.2", false},
    {"actPrimCylind", {{"Sides", "2147483647"}}, "at most 1000000", false},
    {"actPrimCone", {{"Sides", "-5"}}, "Sides=-5", false},
    {"actPrimCone", {{"Radius", "-0.03"}}, "Radius=-0.03", false},
    {"actPrimCone", {{"Size", "0"}}, "Size=0", false},
};

TEST_F(Primitives, ValuesThatMakeNoShapeOrTooMuchAreRefused) {
  for (const TRefusal& r : kRefusals) {
    SCOPED_TRACE(r.Message);
    Services.Errors.clear();
    Services.Answers = r.Answers;
    FindEditAction(r.Action)->Run(Core);
    ASSERT_EQ(Services.Errors.size(), 1u);
    EXPECT_NE(Services.Errors[0].find(r.Message), std::string::npos) << Services.Errors[0];
    if (!r.ThroughCli) continue;
    const std::string out = testing::TempDir() + "zarn-refused.3do";
    std::vector<std::string> args = {"edit", ZARN_SAMPLES_DIR "/fighter.3do", out, r.Action};
    for (const auto& [name, value] : r.Answers) args.push_back(name + "=" + value);
    const TCliRun run = RunCli(args);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find(r.Message), std::string::npos) << run.Out;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  EXPECT_EQ(Model().Nodes.Count(), 0);
  EXPECT_EQ(Model().Materials.Count(), 0);
}

TEST_F(Primitives, DummyAndEmptyMeshAreNotSelected) {
  actPrimDummy(Core);
  actPrimEmptyMesh(Core);
  ASSERT_EQ(Model().Nodes.Count(), 2);
  EXPECT_EQ(Model().Nodes[0]->Name, "$$dummy");
  EXPECT_EQ(Model().Nodes[0]->Mesh, nullptr);
  EXPECT_EQ(Model().Nodes[1]->Mesh->Name, "Empty");
  EXPECT_EQ(Model().Nodes[1]->Mesh->Vertices.Count(), 0);
  EXPECT_TRUE(Core.Nodes.Empty());
  EXPECT_EQ(Services.TreeFills, 2);
  EXPECT_TRUE(Services.Queries.empty());
}

}  // namespace
