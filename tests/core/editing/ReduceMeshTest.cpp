// Mesh > Reduce and View > Level of Detail > Generate: fewer faces and never more, the borders,
// seams and materials kept, every corner's texture coordinates one the face had, and a model
// the game loads still loaded.

#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "editing/Actions.h"
#include "editing/GameCheck.h"
#include "editing/ReduceMesh.h"
#include "editing/Step.h"
#include "tests/core/LevelsOfDetailModel.h"
#include "tests/core/editing/Grids.h"

namespace {

// A closed ring of rings (a torus) of n x m quads, texture coordinates around it.
void AddTorus(TModel& model, int n, int m) {
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
}

// A 12 x 12 grid of quads whose right half is a checkerboard of bumps.
void AddHalfBumpyGrid(TModel& model) {
  for (TVertex* v : AddGrid(model, "grid", 12, 12)->Mesh->Vertices) {
    const int x = static_cast<int>(std::lround(v->Position.X * 100)), y = static_cast<int>(std::lround(v->Position.Y * 100));
    if (x > 6) v->Position.Z = 0.002 * ((x + y) % 2);
  }
}

void LoadFighter(TModel& model) { ASSERT_TRUE(Load3DOFile(model, ZARN_SAMPLES_DIR "/fighter.3do")); }

// A count per level of detail over every face of every mesh.
std::vector<int> PerSet(const TModel& model, int (*count)(const TFace&)) {
  std::vector<int> out(static_cast<size_t>(model.GeosetCount()));
  for (int set = 0; set < model.GeosetCount(); ++set)
    for (const TNode* n : model.Nodes)
      if (const TMesh* mesh = model.GeosetMesh(*n, set))
        for (const TFace* f : mesh->Surfaces) out[static_cast<size_t>(set)] += count(*f);
  return out;
}
// The game counts one texture vertex per corner.
int TextureVertices(const TFace& f) { return f.TXVertices.Count(); }
int Polygon(const TFace& f) { return f.Vertices.Count() > 3; }

// The faces of each mesh of the shown level of detail, in node order.
std::vector<int> FacesPerMesh(const TModel& model) {
  std::vector<int> out;
  for (const TNode* n : model.Nodes)
    if (n->Mesh) out.push_back(n->Mesh->Surfaces.Count());
  return out;
}

// Reduce as the menu and `reduce:N` run it, every mesh of the model to `Faces`.
TEST(ReduceMesh, NeverRaisesAMeshsFacesOrBreaksTheGamesLimits) {
  const auto quads = [](TModel& m) { AddGrid(m, "grid", 12, 12); };
  const auto hexagons = [](TModel& m) { AddGrid(m, "grid", 8, 16, 2); };
  const struct {
    const char* Name;
    std::function<void(TModel&)> Make;
    int Faces;
    int Left, TextureVertices, Polygons;  // over the model after
    size_t Lines;                         // meshes named as kept above the count
    const char* First = "";               // the first of those lines
  } cases[] = {
      {"Triangles", [](TModel& m) { AddGrid(m, "grid", 10, 10, 1, true); }, 100, 100, 300, 0, 0},
      {"Quads", quads, 60, 60, 180, 0, 0},
      // The simplifier takes every edge that costs no shape at once: one face less turns the
      // flat grid into triangles, yet fewer corners than its quads had.
      {"QuadsLessOne", quads, 143, 142, 426, 0, 0},
      // The flat half goes first; most quads of the bumpy half are left whole.
      {"QuadsHalfBumpy", AddHalfBumpyGrid, 130, 130, 438, 48, 0},
      // More than it has asks for nothing: no quad becomes two triangles.
      {"QuadsAskedForMore", quads, 200, 144, 576, 144, 0},
      // The locked outline of 48 vertices takes 46 triangles.
      {"Hexagons", [](TModel& m) { AddGrid(m, "grid", 6, 12, 2); }, 30, 46, 138, 0, 1,
       "Mesh 'Mesh' (node 0): 72 faces could be lowered only to 46, not to 30, without moving its "
       "borders or the seams between materials, texture coordinates or face flags"},
      // 768 texture vertices, the most the game loads, in faces that 4 triangles each would break.
      {"HexagonsAtTheLimit", hexagons, 120, 120, 360, 0, 0},
      {"HexagonsAtTheLimitAskedForMore", hexagons, 300, 128, 768, 128, 0},
      {"TorusAndGrid", [](TModel& m) { AddTorus(m, 16, 10); AddGrid(m, "grid", 4, 4); }, 100, 116, 366, 18, 0},
      // Every edge of the sample's meshes is a seam: none can be lowered, each is named.
      {"FighterToTen", LoadFighter, 10, 42, 192, 42, 0},
      {"FighterToFour", LoadFighter, 4, 42, 192, 42, 5,
       "Mesh 'hull' (node 0): its 6 faces could not be lowered toward 4 without moving its borders or "
       "the seams between materials, texture coordinates or face flags, so it was left as it was"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestCore t;
    c.Make(t.Model());
    ASSERT_EQ(CheckForGame(t.Model(), nullptr), std::vector<std::string>{});
    const std::vector<int> had = FacesPerMesh(t.Model());
    const std::string before = SavedText(t.Model());
    t.Services.Output.clear();
    t.Services.Answers = {{"Faces", std::to_string(c.Faces)}};
    RunStep(t.Core, "Reduce", [&] { return FindEditAction("actMeshReduce")->Run(t.Core); });
    const std::vector<int> left = FacesPerMesh(t.Model());
    for (size_t i = 0; i < had.size(); ++i) EXPECT_LE(left[i], had[i]) << "mesh " << i;
    EXPECT_EQ(FacesPerSet(t.Model())[0], c.Left);
    EXPECT_EQ(PerSet(t.Model(), TextureVertices)[0], c.TextureVertices);
    EXPECT_EQ(PerSet(t.Model(), Polygon)[0], c.Polygons);
    EXPECT_EQ(CheckForGame(t.Model(), nullptr), std::vector<std::string>{});
    ASSERT_EQ(t.Services.Output.size(), c.Lines);
    EXPECT_EQ(c.Lines ? t.Services.Output[0] : "", c.First);
    EXPECT_EQ(left == had ? SavedText(t.Model()) : before, before) << "left exactly as it was";
  }
}

// A grid of 20 x 20 quads, the left half "stone.mat", the right half "metal.mat" with texture
// coordinates 100 further on, so that the middle column is a seam.
TEST(ReduceMesh, KeepsBordersSeamsAndMaterials) {
  TTestCore core;
  TMesh& mesh = *AddGrid(core.Model(), "grid", 20, 20)->Mesh;  // 441 vertices, 400 quads
  for (TFace* f : mesh.Surfaces) {
    const bool right = f->Vertices[0]->Position.X >= 0.1 - 1e-9;
    f->Material = core.Model().Materials.FindOrAdd(right ? "metal.mat" : "stone.mat");
    for (int k = 0; k < 4 && right; ++k) f->TXVertices[k].U += 100;
  }
  EXPECT_EQ(ReduceMesh(mesh, 200), 200);
  std::set<std::pair<double, double>> kept;
  for (const TVertex* v : mesh.Vertices) kept.insert({v->Position.X, v->Position.Y});
  for (int i = 0; i <= 20; ++i) {
    SCOPED_TRACE(i);
    for (const auto& border : {std::pair{i * 0.01, 0.0}, std::pair{i * 0.01, 0.2}, std::pair{0.0, i * 0.01}, std::pair{0.2, i * 0.01}})
      EXPECT_TRUE(kept.count(border)) << "border vertex " << border.first << "," << border.second;
  }
  for (const TFace* f : mesh.Surfaces) {
    double centre = 0;
    for (const TVertex* v : f->Vertices) centre += v->Position.X / f->Vertices.Count();
    const bool left = centre < 0.1;
    EXPECT_EQ(f->Material->Name, left ? "stone.mat" : "metal.mat");
    for (int k = 0; k < f->Vertices.Count(); ++k) {
      const TVector& p = f->Vertices[k]->Position;
      // The seam stays where it was: no face reaches over it.
      EXPECT_TRUE(left ? p.X <= 0.1 + 1e-9 : p.X >= 0.1 - 1e-9);
      EXPECT_FLOAT_EQ(f->TXVertices[k].U, static_cast<float>(p.X * 100 + (left ? 0 : 100)));
      EXPECT_FLOAT_EQ(f->TXVertices[k].V, static_cast<float>(p.Y * 100));
    }
  }
}

TEST(ReduceMesh, TheMenuCommandReducesTheSelectedNodesAndIsOneUndoStep) {
  TTestCore core;
  AddTorus(core.Model(), 24, 12);  // 288 quads
  AddTorus(core.Model(), 24, 12);
  core.Services.Output.clear();
  core.Core.Nodes.Add(core.Model().Nodes[1]);
  core.Core.ResetHistory();
  const std::string before = SavedText(core.Model());
  core.Services.Answers = {{"Faces", "100"}};
  RunStep(core.Core, "Reduce", [&] { return actMeshReduce(core.Core); });
  EXPECT_EQ(core.Model().Nodes[0]->Mesh->Surfaces.Count(), 288) << "not selected";
  EXPECT_EQ(core.Model().Nodes[1]->Mesh->Surfaces.Count(), 100);
  core.Core.Undo();
  EXPECT_EQ(SavedText(core.Model()), before);

  // The seams of a torus's texture hold it above a face count this low.
  core.Services.Answers = {{"Faces", "1"}};
  RunStep(core.Core, "Reduce", [&] { return actMeshReduce(core.Core); });
  EXPECT_EQ(core.Services.Output, std::vector<std::string>{"Mesh 'Mesh' (node 1): 288 faces could be lowered only to 8, "
                                                           "not to 1, without moving its borders or the seams between "
                                                           "materials, texture coordinates or face flags"});

  core.Services.Answers = {{"Faces", "0"}};
  actMeshReduce(core.Core);
  EXPECT_EQ(core.Services.Errors.back(), "Faces=0 must be 1 or more");
}

// Generate as the menu and `lod:generate` run it, with the dialog's 50, 25 and 12 percent or
// the share answered.
TEST(GenerateLevelsOfDetail, EachSetIsSmallerThanTheOneBeforeAndLoadsInTheGame) {
  const auto torus = [](TModel& m) { AddTorus(m, 16, 10); };
  const struct {
    const char* Name;
    std::function<void(TModel&)> Make;
    std::vector<int> Faces, TextureVertices;  // per level of detail over all meshes
    std::vector<std::string> Told;            // the output, or the refusal when no set was made
    std::map<std::string, std::string> Answers = {};
  } cases[] = {
      {"Torus", torus, {160, 80, 40, 18}, {640, 240, 120, 54}, {}},
      // A locked outline of 64 vertices takes 62 triangles: the fourth set could be no smaller.
      {"HexagonsAtTheLimit",
       [](TModel& m) { AddGrid(m, "grid", 8, 16, 2); },
       {128, 64, 62},
       {768, 192, 186},
       {"Mesh 'Mesh' (node 0), level of detail 3: 64 faces could be lowered only to 62, not to 32, "
        "without moving its borders or the seams between materials, texture coordinates or face flags",
        "Level of detail 4 could not be made smaller than level of detail 3, so the model has 3 levels "
        "of detail"}},
      // 16 quads in an outline of 16 vertices, which takes 14 triangles.
      {"QuadGrid",
       [](TModel& m) { AddGrid(m, "grid", 4, 4); },
       {16, 14},
       {64, 42},
       {"Mesh 'Mesh' (node 0), level of detail 2: 16 faces could be lowered only to 14, not to 8, "
        "without moving its borders or the seams between materials, texture coordinates or face flags",
        "Level of detail 3 could not be made smaller than level of detail 2, so the model has 2 levels "
        "of detail"}},
      {"Fighter", LoadFighter, {42}, {192},
       {"No mesh could lose a face without moving its borders or the seams between materials, texture "
        "coordinates or face flags, so no level of detail smaller than the first could be made"}},
      {"NoPercentage", torus, {160}, {640}, {"Set_3=0 is no percentage of the faces from above 0 to 100"},
       {{"Set_3", "0"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestCore t;
    c.Make(t.Model());
    ASSERT_EQ(CheckForGame(t.Model(), nullptr), std::vector<std::string>{});
    const std::string before = SavedText(t.Model());
    t.Services.Output.clear();
    t.Services.Answers = c.Answers;
    RunStep(t.Core, "lod:generate", [&] { return FindEditAction("actViewLodGenerate")->Run(t.Core); });
    EXPECT_EQ(FacesPerSet(t.Model()), c.Faces);  // each set smaller than the one before
    EXPECT_EQ(PerSet(t.Model(), TextureVertices), c.TextureVertices);
    EXPECT_EQ(CheckForGame(t.Model(), nullptr), std::vector<std::string>{});
    EXPECT_EQ(t.Model().CurrentGeoset(), 0);
    EXPECT_EQ(t.Services.Errors.empty() ? t.Services.Output : t.Services.Errors, c.Told);
    EXPECT_EQ(t.Services.Errors.empty() ? before : SavedText(t.Model()), before) << "a refusal changes nothing";
  }
}

}  // namespace
