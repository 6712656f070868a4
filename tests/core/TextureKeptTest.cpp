// No editing action throws a model's texture mapping away: every corner it did not make keeps
// its coordinate, every corner it makes gets a defined one, and undo gives the file back.
#include <cmath>
#include <map>
#include <set>

#include "editing/Actions.h"
#include "editing/Step.h"
#include "editing/TextureCommands.h"
#include "tests/core/TestCore.h"

namespace {

const std::string kFighter = std::string(ZARN_SAMPLES_DIR) + "/fighter.3do";

using TUV = std::pair<float, float>;

// A corner by its vertex and its two neighbours, whichever way round: what a flip keeps.
struct TCornerKey {
  const TVertex *V, *Low, *High;
  auto operator<=>(const TCornerKey&) const = default;
};

TCornerKey KeyOf(const TFace& face, int k) {
  const TVertex* prev = face.PrevVertex(k);
  const TVertex* next = face.NextVertex(k);
  return {face.Vertices[k], std::min(prev, next), std::max(prev, next)};
}

struct TMapping {
  std::map<TCornerKey, std::multiset<TUV>> Corners;
  std::map<const TVertex*, std::set<TUV>> AtVertex;
  std::map<std::pair<const TMesh*, std::tuple<double, double, double>>, std::set<TUV>> AtPlace;
};

std::vector<TFace*> AllFaces(TModel& model) {
  std::vector<TFace*> faces;
  for (TNode* node : model.Nodes)
    if (node->Mesh) faces.insert(faces.end(), node->Mesh->Surfaces.begin(), node->Mesh->Surfaces.end());
  return faces;
}

TMapping Snapshot(TModel& model, const std::vector<TFace*>& leaveOut) {
  TMapping m;
  for (TFace* face : AllFaces(model)) {
    if (std::find(leaveOut.begin(), leaveOut.end(), face) != leaveOut.end()) continue;
    for (int k = 0; k < face->Vertices.Count(); ++k) {
      const TUV uv{face->TXVertices[k].U, face->TXVertices[k].V};
      const TVector& p = face->Vertices[k]->Position;
      m.Corners[KeyOf(*face, k)].insert(uv);
      m.AtVertex[face->Vertices[k]].insert(uv);
      m.AtPlace[{face->Mesh, {p.X, p.Y, p.Z}}].insert(uv);
    }
  }
  return m;
}

// How the selection is set up before an action runs.
enum class TPick { Nodes, Surfaces, VertexEdge, VertexAcross, VertexFace };

struct TPickCase {
  TPick Pick;
  const char* Name;
};

class TextureKept : public ::testing::TestWithParam<TPickCase> {
 protected:
  void SetUp() override { Clipboard = CopiedFirstNode(); }

  // A fresh core holding the sample, so that no action can hide behind another.
  void Load() {
    Fresh = std::make_unique<TTestCore>();
    ASSERT_TRUE(T().Model().LoadFromFile(kFighter));
    T().Core.ResetHistory();
  }
  TTestCore& T() { return *Fresh; }

  std::string CopiedFirstNode() {
    TTestCore other;
    other.Model().LoadFromFile(kFighter);
    other.Core.ToggleNode(other.Model().Nodes[0]);
    FindEditAction("actEditCopy")->Run(other.Core);
    return other.Services.Clipboard;
  }

  // The first quad of the first mesh, where every pick finds what it needs.
  TFace* Quad() {
    for (TFace* face : AllFaces(T().Model()))
      if (face->Vertices.Count() == 4) return face;
    return nullptr;
  }

  void Pick(TPick pick) {
    TCore& core = T().Core;
    TFace* quad = Quad();
    ASSERT_NE(quad, nullptr);
    switch (pick) {
      case TPick::Nodes:
        core.EditMode = emNode;
        for (TNode* node : T().Model().Nodes)
          if (node->Mesh && core.Nodes.Count() < 2) core.ToggleNode(node);
        break;
      case TPick::Surfaces:
        core.EditMode = emSurface;
        for (TFace* face : quad->Mesh->Surfaces)
          if (core.Surfaces.Count() < 3) core.ToggleSurface(face);
        break;
      case TPick::VertexEdge:
      case TPick::VertexAcross:
        core.EditMode = emVertex;
        core.ToggleVertex(quad->Vertices[0]);
        core.ToggleVertex(quad->Vertices[pick == TPick::VertexEdge ? 1 : 2]);
        break;
      case TPick::VertexFace:
        core.EditMode = emVertex;
        for (TVertex* v : quad->Vertices) core.ToggleVertex(v);
        break;
    }
  }

  std::unique_ptr<TTestCore> Fresh;
  std::string Clipboard;
};

bool Defined(const TTXVertex& t) { return std::isfinite(t.U) && std::isfinite(t.V); }

TEST_P(TextureKept, EveryActionKeepsTheCoordinatesItDidNotMakeAndUndoGivesTheFileBack) {
  for (const TEditAction& action : EditActions()) {
    SCOPED_TRACE(action.Name);
    Load();
    const std::string before = SavedText(T().Model());
    Pick(GetParam().Pick);
    T().Services.FileNames = {kFighter};
    T().Services.Clipboard = Clipboard;
    const std::string name = action.Name;
    // The Texture commands change the faces they work on, and only those.
    const std::vector<TFace*> mapped = name.starts_with("actTex") ? TextureFaces(T().Core) : std::vector<TFace*>{};
    const TMapping old = Snapshot(T().Model(), mapped);
    const std::set<const TVertex*> oldVertices = [&] {
      std::set<const TVertex*> all;
      for (TNode* node : T().Model().Nodes)
        if (node->Mesh) all.insert(node->Mesh->Vertices.begin(), node->Mesh->Vertices.end());
      return all;
    }();
    RunStep(T().Core, name, [&] { action.Run(T().Core); });
    for (TFace* face : AllFaces(T().Model())) {
      if (std::find(mapped.begin(), mapped.end(), face) != mapped.end()) continue;
      ASSERT_EQ(face->TXVertices.Count(), face->Vertices.Count());
      for (int k = 0; k < face->Vertices.Count(); ++k) {
        const TTXVertex& t = face->TXVertices[k];
        const TUV uv{t.U, t.V};
        ASSERT_TRUE(Defined(t));
        const TVertex* v = face->Vertices[k];
        if (auto kept = old.Corners.find(KeyOf(*face, k)); kept != old.Corners.end() && oldVertices.count(v)) {
          EXPECT_TRUE(kept->second.count(uv)) << "a kept corner changed to " << t.U << "," << t.V;
        } else if (oldVertices.count(v)) {
          // A corner made at a vertex that was there takes a coordinate that vertex had.
          ASSERT_TRUE(old.AtVertex.count(v));
          EXPECT_TRUE(old.AtVertex.at(v).count(uv)) << "a new corner of an old vertex got " << t.U << "," << t.V;
        } else if (name == "actEditInsertVx") {
          const TTXVertex& a = face->TXVertices[k > 0 ? k - 1 : face->Vertices.Count() - 1];
          const TTXVertex& b = face->TXVertices[(k + 1) % face->Vertices.Count()];
          EXPECT_EQ(t.U, (a.U + b.U) / 2);
          EXPECT_EQ(t.V, (a.V + b.V) / 2);
          EXPECT_FALSE(t.U == 0 && t.V == 0);
        } else if (name == "actEditExtrudeFace") {
          const TVector& p = v->Position;
          const auto place = old.AtPlace.find({face->Mesh, {p.X, p.Y, p.Z}});
          ASSERT_NE(place, old.AtPlace.end());
          EXPECT_TRUE(place->second.count(uv)) << "a cap or side corner got " << t.U << "," << t.V;
        }
      }
    }
    if (T().Core.History.CanUndo()) T().Core.Undo();
    EXPECT_TRUE(SavedText(T().Model()) == before) << "undo did not give the file back";
  }
}

INSTANTIATE_TEST_SUITE_P(Picks, TextureKept,
                         ::testing::Values(TPickCase{TPick::Nodes, "Nodes"}, TPickCase{TPick::Surfaces, "Surfaces"},
                                           TPickCase{TPick::VertexEdge, "VertexEdge"},
                                           TPickCase{TPick::VertexAcross, "VertexAcross"},
                                           TPickCase{TPick::VertexFace, "VertexFace"}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
