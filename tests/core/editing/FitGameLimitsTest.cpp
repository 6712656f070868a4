// Fit to Game Limits: big faces become fans, big meshes become sibling nodes that fit, and
// nothing of a face is lost on the way; afterwards the game check finds no limit breached.

#include <algorithm>
#include <cmath>

#include "editing/FitGameLimits.h"
#include "editing/GameCheck.h"
#include "editing/Step.h"
#include "tests/core/editing/Grids.h"

namespace {

// Every face as its corners' positions and texture coordinates, its type and material, in a
// sorted list: what a cut must keep, whichever mesh each face lands in.
std::vector<std::string> Faces(const TModel& model) {
  std::vector<std::string> out;
  for (const TNode* n : model.Nodes)
    if (n->Mesh)
      for (const TFace* f : n->Mesh->Surfaces) {
        std::string s = f->Material->Name + " " + std::to_string(f->FaceType);
        for (int k = 0; k < f->Vertices.Count(); ++k)
          s += " " + FormatFloat6(f->Vertices[k]->Position.X) + "," + FormatFloat6(f->Vertices[k]->Position.Y) + "/" +
               FormatFloat6(f->TXVertices[k].U) + "," + FormatFloat6(f->TXVertices[k].V);
        out.push_back(s);
      }
  std::sort(out.begin(), out.end());
  return out;
}

TEST(FitGameLimits, AFaceOfMoreThanTwentyFourCornersBecomesAFanSharingItsFirstCorner) {
  // The first corner, then corners `from` to `to`.
  const auto fan = [](int from, int to) {
    std::vector<int> corners{0};
    for (int i = from; i <= to; ++i) corners.push_back(i);
    return corners;
  };
  const struct { int Corners; std::vector<std::vector<int>> Faces; } rows[] = {
      {24, {fan(1, 23)}}, {25, {fan(1, 23), fan(23, 24)}}, {50, {fan(1, 23), fan(23, 45), fan(45, 49)}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Corners);
    TModel model;
    TNode* node = AddMeshNode(model, "disc");
    TFace* face = node->Mesh->AddFace();
    for (int i = 0; i < row.Corners; ++i) {
      node->Mesh->AddVertex()->Position = {std::cos(i * 0.1), std::sin(i * 0.1), 0};
      face->TXVertices[face->AddVertex(node->Mesh->Vertices[i])] = {static_cast<float>(i), 0};
    }
    face->FaceType = 3;
    EXPECT_EQ(FitGameLimits(model), row.Corners > 24 ? 1 : 0);
    ASSERT_EQ(model.Nodes.Count(), 1);
    ASSERT_EQ(node->Mesh->Surfaces.Count(), static_cast<int>(row.Faces.size()));
    for (size_t f = 0; f < row.Faces.size(); ++f) {
      const TFace& got = *node->Mesh->Surfaces[static_cast<int>(f)];
      EXPECT_EQ(CoreFixture::Corners(got), row.Faces[f]);
      for (int k = 0; k < got.Vertices.Count(); ++k) EXPECT_EQ(got.TXVertices[k].U, row.Faces[f][static_cast<size_t>(k)]);
      EXPECT_EQ(got.FaceType, 3);
    }
    EXPECT_EQ(CheckForGame(model, nullptr), std::vector<std::string>{});
  }
}

TEST(FitGameLimits, ABigMeshBecomesSiblingNodesThatFitAndKeepEveryFace) {
  TModel model;
  TNode* root = AddMeshNode(model, "root");
  TNode* grid = AddGrid(model, "a_name_of_thirty_characters_xy", 40, 40);  // 1681 vertices, 1600 faces, 6400 corners
  grid->Parent = root;
  grid->Position = {1, 2, 3};
  grid->Rotation = {10, 20, 30};
  grid->Pivot = {0.5, 0, 0};
  grid->NodeType = ntHead;
  grid->Mesh->GeometryMode = 3;
  for (TFace* f : grid->Mesh->Surfaces) f->FaceType = grid->Mesh->Surfaces.IndexOf(f) % 3;
  const std::vector<std::string> before = Faces(model);
  ASSERT_NE(CheckForGame(model, nullptr), std::vector<std::string>{});

  EXPECT_EQ(FitGameLimits(model), 1);
  EXPECT_EQ(CheckForGame(model, nullptr), std::vector<std::string>{});
  EXPECT_EQ(Faces(model), before);
  // 6400 corners in pieces of at most 768 corners: at least 9 meshes.
  const int pieces = model.Nodes.Count() - 1;
  EXPECT_GE(pieces, 9);
  EXPECT_LE(pieces, 11) << "faces close in space share their vertices";
  for (int i = 1; i < model.Nodes.Count(); ++i) {
    const TNode& n = *model.Nodes[i];
    SCOPED_TRACE(n.Name);
    const std::string want = i == 1 ? "a_name_of_thirty_characters_xy"
                             : i < 10 ? "a_name_of_thirty_characters_x_" + std::to_string(i)
                                      : "a_name_of_thirty_characters__" + std::to_string(i);
    EXPECT_EQ(n.Name, want) << "31 characters at most";
    EXPECT_EQ(n.Parent, root);
    EXPECT_EQ(n.Position, (TVector{1, 2, 3}));
    EXPECT_EQ(n.Rotation, (TVector{10, 20, 30}));
    EXPECT_EQ(n.Pivot, (TVector{0.5, 0, 0}));
    EXPECT_EQ(n.NodeType, ntHead);
    EXPECT_EQ(n.Mesh->GeometryMode, 3);
  }
  EXPECT_EQ(FitGameLimits(model), 0) << "what fits stays as it is";
}

TEST(FitGameLimits, EveryLevelOfDetailIsFitAndTheMenuCommandIsOneUndoStep) {
  TTestCore core;
  TModel& model = core.Model();
  AddGrid(model, "g", 4, 4);  // fits in both sets
  const TNode* big = AddGrid(model, "big", 30, 30);  // 961 vertices, 900 faces
  model.AddGeoset();
  // The second set's mesh of the first node is made too big.
  model.SetGeosetMesh(*model.Nodes[0], 1, model.GeosetMesh(*big, 0)->Clone());
  model.DeleteNode(1);
  core.Core.ResetHistory();
  const std::string saved = SavedText(model);

  RunStep(core.Core, "Fit to Game Limits", [&] { return actFitGameLimits(core.Core); });
  EXPECT_EQ(CheckForGame(model, nullptr), std::vector<std::string>{});
  ASSERT_GE(model.Nodes.Count(), 5);
  EXPECT_EQ(model.Nodes[0]->Mesh->Surfaces.Count(), 16) << "the set that fitted keeps its mesh";
  for (int i = 1; i < model.Nodes.Count(); ++i) EXPECT_EQ(model.Nodes[i]->Mesh->Surfaces.Count(), 0) << i;
  int faces = 0;
  for (const TNode* n : model.Nodes) faces += model.GeosetMesh(*n, 1)->Surfaces.Count();
  EXPECT_EQ(faces, 900);

  core.Core.Undo();
  EXPECT_EQ(SavedText(model), saved);
}

}  // namespace
