// Mesh > Reduce and View > Level of Detail > Generate: fewer faces, the borders, seams and
// materials kept, every corner's texture coordinates one the face had.

#include <cmath>
#include <set>

#include "editing/GameCheck.h"
#include "editing/GenerateLevelsOfDetail.h"
#include "editing/ReduceMesh.h"
#include "editing/Step.h"
#include "tests/core/TestCore.h"

namespace {

// A flat grid of side x side quads, 0.01 apart; the left half "stone.mat", the right half
// "metal.mat" with texture coordinates 100 further on, so that the middle column is a seam.
TMesh& AddSeamedGrid(TModel& model, int side) {
  TNode* node = AddMeshNode(model, "grid");
  TMesh& mesh = *node->Mesh;
  for (int y = 0; y <= side; ++y)
    for (int x = 0; x <= side; ++x) mesh.AddVertex()->Position = {x * 0.01, y * 0.01, 0};
  TMaterial* stone = model.Materials.FindOrAdd("stone.mat");
  TMaterial* metal = model.Materials.FindOrAdd("metal.mat");
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const int a = y * (side + 1) + x;
      TFace* f = AddFace(mesh, {a, a + 1, a + side + 2, a + side + 1});
      const bool right = x >= side / 2;
      f->Material = right ? metal : stone;
      for (int k = 0; k < 4; ++k) {
        const TVector& p = f->Vertices[k]->Position;
        f->TXVertices[k] = {static_cast<float>(p.X * 100 + (right ? 100 : 0)), static_cast<float>(p.Y * 100)};
      }
    }
  return mesh;
}

// A closed ring of rings (a torus) of n x m quads, texture coordinates around it.
TMesh& AddTorus(TModel& model, int n, int m) {
  TMesh& mesh = *AddMeshNode(model, "torus")->Mesh;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m; ++j) {
      const double u = 2 * M_PI * i / n, v = 2 * M_PI * j / m;
      mesh.AddVertex()->Position = {(1 + 0.3 * std::cos(v)) * std::cos(u), (1 + 0.3 * std::cos(v)) * std::sin(u), 0.3 * std::sin(v)};
    }
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m; ++j) {
      const int c[4][2] = {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}};
      TFace* f = mesh.AddFace();
      for (const auto& [a, b] : c)
        f->TXVertices[f->AddVertex(mesh.Vertices[(a % n) * m + b % m])] = {static_cast<float>(a), static_cast<float>(b)};
    }
  return mesh;
}

TEST(ReduceMesh, FewerFacesKeepingBordersSeamsAndMaterials) {
  TTestCore core;
  TMesh& mesh = AddSeamedGrid(core.Model(), 20);  // 441 vertices, 400 quads
  const int left = ReduceMesh(mesh, 200);
  EXPECT_LE(left, 200);
  EXPECT_GE(left, 100);
  std::set<std::pair<double, double>> kept;
  for (const TVertex* v : mesh.Vertices) kept.insert({v->Position.X, v->Position.Y});
  for (int i = 0; i <= 20; ++i) {
    SCOPED_TRACE(i);
    for (const auto& border : {std::pair{i * 0.01, 0.0}, std::pair{i * 0.01, 0.2}, std::pair{0.0, i * 0.01}, std::pair{0.2, i * 0.01}})
      EXPECT_TRUE(kept.count(border)) << "border vertex " << border.first << "," << border.second;
  }
  for (const TFace* f : mesh.Surfaces) {
    ASSERT_EQ(f->Vertices.Count(), 3);
    const double centre = (f->Vertices[0]->Position.X + f->Vertices[1]->Position.X + f->Vertices[2]->Position.X) / 3;
    EXPECT_EQ(f->Material->Name, centre < 0.1 ? "stone.mat" : "metal.mat");
    for (int k = 0; k < 3; ++k)  // the seam stays where it was: no face reaches over it
      EXPECT_TRUE(centre < 0.1 ? f->Vertices[k]->Position.X <= 0.1 + 1e-9 : f->Vertices[k]->Position.X >= 0.1 - 1e-9);
    for (int k = 0; k < 3; ++k) {
      const TVector& p = f->Vertices[k]->Position;
      EXPECT_FLOAT_EQ(f->TXVertices[k].U, static_cast<float>(p.X * 100 + (centre < 0.1 ? 0 : 100)));
      EXPECT_FLOAT_EQ(f->TXVertices[k].V, static_cast<float>(p.Y * 100));
    }
  }
  EXPECT_EQ(ReduceMesh(mesh, 100000), left) << "never more faces";
}

TEST(ReduceMesh, TheMenuCommandReducesTheSelectedNodesAndIsOneUndoStep) {
  TTestCore core;
  AddTorus(core.Model(), 24, 12);  // 288 quads
  AddTorus(core.Model(), 24, 12);
  core.Core.Nodes.Add(core.Model().Nodes[1]);
  core.Core.ResetHistory();
  const std::string before = SavedText(core.Model());
  core.Services.Answers = {{"Faces", "100"}};
  RunStep(core.Core, "Reduce", [&] { actMeshReduce(core.Core); });
  EXPECT_EQ(core.Model().Nodes[0]->Mesh->Surfaces.Count(), 288) << "not selected";
  EXPECT_LE(core.Model().Nodes[1]->Mesh->Surfaces.Count(), 100);
  EXPECT_GE(core.Model().Nodes[1]->Mesh->Surfaces.Count(), 80);
  core.Core.Undo();
  EXPECT_EQ(SavedText(core.Model()), before);

  core.Services.Answers = {{"Faces", "0"}};
  actMeshReduce(core.Core);
  EXPECT_EQ(core.Services.Errors.back(), "Faces=0 must be 1 or more");
}

TEST(GenerateLevelsOfDetail, SetsTwoToFourHoldReducedCopiesOfTheFirst) {
  TTestCore core;
  TModel& model = core.Model();
  AddTorus(model, 16, 10);  // 160 quads, 640 corners
  actViewLodGenerate(core.Core);
  ASSERT_EQ(model.GeosetCount(), 4);
  EXPECT_EQ(model.CurrentGeoset(), 0);
  const TNode& node = *model.Nodes[0];
  EXPECT_EQ(model.GeosetMesh(node, 0)->Surfaces.Count(), 160);
  const int targets[] = {80, 40, 19};  // 50%, 25% and 12% of 160, as triangles
  for (int set = 1; set < 4; ++set) {
    SCOPED_TRACE(set);
    const int faces = model.GeosetMesh(node, set)->Surfaces.Count();
    EXPECT_LE(faces, targets[set - 1]);
    EXPECT_GE(faces, targets[set - 1] * 3 / 4);
  }
  EXPECT_EQ(CheckForGame(model, nullptr), std::vector<std::string>{});

  core.Services.Answers = {{"Set_3", "0"}};
  actViewLodGenerate(core.Core);
  EXPECT_EQ(core.Services.Errors.back(), "Set_3=0 is no percentage of the faces from above 0 to 100");
}

}  // namespace
