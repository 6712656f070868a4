#include <filesystem>
#include <map>

#include "editing/Actions.h"
#include "editing/Primitives.h"
#include "tests/core/CliRunner.h"
#include "tests/core/TestCore.h"

namespace {

using Primitives = CoreFixture;

struct TShape {
  const char* Name;
  TNode* (*Build)(TModel&);
  int Vertices, Surfaces;
  std::vector<std::pair<int, TVector>> Points;  // vertex index and position
  int Face;
  std::vector<int> Corners;  // of that face
  bool Closed;  // every face faces away from the middle; else all face +z
};

const TShape kShapes[] = {
    {"Cube", [](TModel& m) { return BuildCube(m, 0.02f); }, 8, 6,
     {{0, {-0.01, -0.01, -0.01}}, {6, {0.01, 0.01, 0.01}}}, 4, {2, 7, 6, 3}, true},
    {"Plane", [](TModel& m) { return BuildPlane(m, 2, 1, 1.0f); }, 6, 2,
     {{0, {-0.5, 0.5, 0}}, {1, {0, 0.5, 0}}, {5, {0.5, -0.5, 0}}}, 0, {1, 0, 3, 4}, false},
    // The top ring follows the bottom cap's corner order before the flip: v3 v2 v1 v0.
    {"Cylinder", [](TModel& m) { return BuildCylinder(m, 4, 2.0f, 1.0f); }, 8, 6,
     {{0, {0, 1, -1}}, {1, {1, 0, -1}}, {3, {-1, 0, -1}}, {4, {-1, 0, 1}}}, 0, {0, 1, 2, 3}, true},
    // Centred on the average of all corners, the apex's included.
    {"Cone", [](TModel& m) { return BuildCone(m, 3, 1.0f, 0.03f); }, 4, 4,
     {{0, {0, 0.03, -0.25}}, {3, {0, 0, 0.75}}}, 1, {2, 1, 3}, true},
    // From the top pole down, ring by ring: -sin 60 degrees is -0.866025.
    {"Sphere", [](TModel& m) { return BuildSphere(m, 4, 3, 1.0f); }, 10, 12,
     {{0, {0, 0, 1}}, {2, {-0.866025403784, 0, 0.5}}}, 5, {2, 6, 7, 3}, true},
};

TEST_F(Primitives, ShapesHaveTheirCornersAndOutwardTexturedFacesAndZeroSidesGiveEmptySurfaces) {
  for (const TShape& shape : kShapes) {
    SCOPED_TRACE(shape.Name);
    TMesh& mesh = *shape.Build(Model())->Mesh;
    ASSERT_EQ(mesh.Vertices.Count(), shape.Vertices);
    ASSERT_EQ(mesh.Surfaces.Count(), shape.Surfaces);
    for (const auto& [i, p] : shape.Points) ExpectNear(mesh.Vertices[i]->Position, p);
    EXPECT_EQ(Corners(*mesh.Surfaces[shape.Face]), shape.Corners);
    for (TFace* f : mesh.Surfaces) {
      EXPECT_EQ(f->TXVertices.Count(), f->Vertices.Count());
      EXPECT_EQ(f->Material->Name, "dflt.mat");
      const TVector n = f->GetNormal();
      TVector middle{};
      for (const TVertex* v : f->Vertices) AddVector(middle, v->Position);
      if (shape.Closed)
        EXPECT_GT(n.X * middle.X + n.Y * middle.Y + n.Z * middle.Z, 0) << "face " << mesh.Surfaces.IndexOf(f);
      else
        ExpectNear(n, 0, 0, 1);
    }
  }
  // Zero sides give empty surfaces.
  TMesh& cylinder = *BuildCylinder(Model(), 0, 1, 1)->Mesh;
  EXPECT_EQ(cylinder.Vertices.Count(), 0);
  ASSERT_EQ(cylinder.Surfaces.Count(), 2);
  EXPECT_EQ(cylinder.Surfaces[0]->Vertices.Count(), 0);
  TMesh& cone = *BuildCone(Model(), 0, 1, 1)->Mesh;
  ASSERT_EQ(cone.Vertices.Count(), 1);
  ExpectNear(cone.Vertices[0]->Position, 0, 0, 0, 0);
}

TEST_F(Primitives, CommandsAskSelectAndRefreshButDummyAndEmptyMeshAreNotSelected) {
  TNode* before = Model().AddNode();
  Core.ToggleNode(before);
  Services.Answers = {{"Size", "2"}};
  actPrimCube(Core);
  ASSERT_EQ(Model().Nodes.Count(), 2);
  EXPECT_EQ(Services.Queries, std::vector<std::string>{"Create Cube"});
  TNode* cube = Model().Nodes[1];
  EXPECT_EQ(Core.Nodes.Items(), (std::vector<TNode*>{before, cube})) << "the new cube joins the selection";
  EXPECT_EQ(cube->Name, "Cube");
  EXPECT_EQ(cube->Mesh->Name, "Cube");
  ExpectNear(cube->Mesh->Vertices[6]->World, 1, 1, 1);
  EXPECT_GT(Model().Radius, 1.7);
  EXPECT_EQ(Changes.TreeFills, 1);
  EXPECT_EQ(Changes.MaterialListFills, 1);
  EXPECT_EQ(Changes.Rebuilds, 1);
  // A dummy and an empty mesh ask nothing and are not selected.
  actPrimDummy(Core);
  actPrimEmptyMesh(Core);
  ASSERT_EQ(Model().Nodes.Count(), 4);
  EXPECT_EQ(Model().Nodes[2]->Name, "$$dummy");
  EXPECT_EQ(Model().Nodes[2]->Mesh, nullptr);
  EXPECT_EQ(Model().Nodes[3]->Mesh->Name, "Empty");
  EXPECT_EQ(Model().Nodes[3]->Mesh->Vertices.Count(), 0);
  EXPECT_EQ(Core.Nodes.Items(), (std::vector<TNode*>{before, cube}));
  EXPECT_EQ(Changes.TreeFills, 3);
  EXPECT_EQ(Services.Queries, std::vector<std::string>{"Create Cube"});
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

// A cancelled dialog, a value that is no number, no shape or too much: nothing is made.
TEST_F(Primitives, CancelBadNumbersAndValuesThatMakeNoShapeOrTooMuchCreateNothing) {
  Services.CancelQueries = true;
  actPrimPlane(Core);
  Services.CancelQueries = false;
  Services.Answers = {{"Size", "abc"}};
  ExpectThrowWhat<EConvertError>([&] { actPrimCylind(Core); }, "'abc' is not a valid floating point value");
  Services.Answers = {{"Sides", "7.5"}};
  EXPECT_THROW(actPrimCone(Core), EConvertError);
  Services.Answers = {{"Subdivide_X", ""}};
  EXPECT_THROW(actPrimPlane(Core), EConvertError);
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

// A mesh a command makes is drawn by the game as imported meshes are: textured, gouraud lit,
// perspective-corrected. The game skips a mesh of geometry mode 0 whole.
TEST_F(Primitives, MadeMeshesAreDrawnByTheGame) {
  Core.EditMode = emVertex;
  for (TVertex* v : AddMeshNode("m", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})->Mesh->Vertices) Core.ToggleVertex(v);
  for (const char* action : {"actPrimCube", "actPrimPlane", "actPrimCylind", "actPrimCone", "actPrimSphere",
                             "actPrimEmptyMesh", "actEditMakeSurface"}) {
    SCOPED_TRACE(action);
    FindEditAction(action)->Run(Core);
    const TMesh& made = *Model().Nodes.Last()->Mesh;
    EXPECT_EQ((std::vector{made.GeometryMode, made.LightingMode, made.TextureMode}), (std::vector{4, 3, 1}));
  }
  EXPECT_EQ(Model().Nodes.Count(), 8);
}

}  // namespace
