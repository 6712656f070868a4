// After any editing command, writing the model and reading it back gives the same model.
#include <map>

#include "editing/Actions.h"
#include "editing/Step.h"
#include "tests/core/LevelsOfDetailModel.h"
#include "tests/core/TestCore.h"

namespace {

struct TCase {
  std::string Action;
  TEditMode Mode;
  int Sets;  // levels of detail; with several, the second is shown
};

std::string PrintCase(const ::testing::TestParamInfo<TCase>& info) {
  return info.param.Action + "_" + std::to_string(info.param.Mode) + "_" + std::to_string(info.param.Sets);
}

std::vector<TCase> AllCases() {
  std::vector<TCase> cases;
  for (const TEditAction& a : EditActions())
    for (TEditMode mode : {emNode, emSurface, emVertex})
      for (int sets : {1, 3}) cases.push_back({a.Name, mode, sets});
  return cases;
}

void ExpectSameModels(TModel& a, TModel& b) {
  ASSERT_EQ(a.Nodes.Count(), b.Nodes.Count());
  std::map<const TNode*, int> indexA, indexB;
  for (int i = 0; i < a.Nodes.Count(); ++i) {
    indexA[a.Nodes[i]] = i;
    indexB[b.Nodes[i]] = i;
  }
  ExpectNear(b.InsertOffset, a.InsertOffset);
  ASSERT_EQ(a.GeosetCount(), b.GeosetCount());
  for (int i = 0; i < a.Nodes.Count(); ++i) {
    const TNode& x = *a.Nodes[i];
    const TNode& y = *b.Nodes[i];
    SCOPED_TRACE("node " + std::to_string(i) + " " + x.Name);
    EXPECT_EQ(x.Name, y.Name);
    EXPECT_EQ(x.Flags, y.Flags);
    EXPECT_EQ(x.NodeType, y.NodeType);
    EXPECT_EQ(x.Parent ? indexA[x.Parent] : -1, y.Parent ? indexB[y.Parent] : -1);
    ExpectNear(y.Position, x.Position);
    ExpectNear(y.Rotation, x.Rotation);
    ExpectNear(y.Pivot, x.Pivot);
    for (int set = 0; set < a.GeosetCount(); ++set) {
      SCOPED_TRACE("level of detail " + std::to_string(set));
      // Every set holds a mesh for the same nodes.
      ASSERT_EQ(a.GeosetMesh(x, set) == nullptr, x.Mesh == nullptr);
      ASSERT_EQ(a.GeosetMesh(x, set) == nullptr, b.GeosetMesh(y, set) == nullptr);
      if (!x.Mesh) continue;
      TMesh& m = *a.GeosetMesh(x, set);
      TMesh& n = *b.GeosetMesh(y, set);
      EXPECT_EQ(m.Name, n.Name);
      ASSERT_EQ(m.Vertices.Count(), n.Vertices.Count());
      for (int v = 0; v < m.Vertices.Count(); ++v) ExpectNear(n.Vertices[v]->Position, m.Vertices[v]->Position);
      ASSERT_EQ(m.Surfaces.Count(), n.Surfaces.Count());
      for (int f = 0; f < m.Surfaces.Count(); ++f) {
        const TFace& p = *m.Surfaces[f];
        const TFace& q = *n.Surfaces[f];
        EXPECT_EQ(p.Material->Name, q.Material->Name);
        EXPECT_EQ(p.FaceType, q.FaceType);
        EXPECT_EQ(p.GeometryMode, q.GeometryMode);
        EXPECT_EQ(CoreFixture::Corners(p), CoreFixture::Corners(q));
        ASSERT_EQ(p.TXVertices.Count(), q.TXVertices.Count());
        for (int t = 0; t < p.TXVertices.Count(); ++t) {
          EXPECT_NEAR(p.TXVertices[t].U, q.TXVertices[t].U, 1e-5);
          EXPECT_NEAR(p.TXVertices[t].V, q.TXVertices[t].V, 1e-5);
        }
      }
    }
  }
}

class EditRoundTrip : public CoreFixture, public ::testing::WithParamInterface<TCase> {
 protected:
  // A selection worth working on in each mode: two nodes (one with a parent when the sample
  // has one), two surfaces, or two corners of one face across from each other.
  void SelectSome() {
    TNode* second = Model().Nodes.Count() > 1 ? Model().Nodes[1] : nullptr;
    Core.ToggleNode(Model().Nodes.Last());
    if (second && second != Model().Nodes.Last()) Core.ToggleNode(second);
    for (TNode* n : Model().Nodes) {
      if (!n->Mesh || n->Mesh->Surfaces.Count() < 2) continue;
      Core.ToggleSurface(n->Mesh->Surfaces[0]);
      Core.ToggleSurface(n->Mesh->Surfaces[1]);
      TFace* f = n->Mesh->Surfaces[0];
      Core.ToggleVertex(f->Vertices[0]);
      Core.ToggleVertex(f->Vertices[f->Vertices.Count() / 2]);
      break;
    }
  }
};

TEST_P(EditRoundTrip, WriteAndReadBackGivesTheSameModel) {
  ASSERT_TRUE(Model().LoadFromFile(ZARN_SAMPLES_DIR "/fighter.3do"));
  ASSERT_TRUE(Services.Errors.empty());
  if (GetParam().Sets > 1) {
    MakeLevelsOfDetail(Model(), GetParam().Sets);
    Model().ChooseGeoset(1);
  }
  RefillTree();
  SelectSome();
  Core.EditMode = GetParam().Mode;
  Services.Answers = {{"X", "10"}, {"Y", "20"}, {"Z", "1.5"}, {"Insert_Offset", "0 0.1 0"}, {"Sides", "5"}};
  Services.FileNames = {ZARN_SAMPLES_DIR "/fighter.3do"};
  if (GetParam().Action == "actEditPaste") {
    Core.EditMode = emNode;
    FindEditAction("actEditCopy")->Run(Core);
    Core.EditMode = GetParam().Mode;
  }
  RunStep(Core, GetParam().Action, [&] { FindEditAction(GetParam().Action)->Run(Core); });
  // Which errors each command may give here, History checks.
  RefillTree();
  Model().Update();
  const std::string text = SavedText(Model(), true);

  TTestCore other;
  other.Model().Parse3DO(text);
  EXPECT_TRUE(other.Services.Errors.empty()) << other.Services.Errors.front();
  ExpectSameModels(Model(), other.Model());
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, EditRoundTrip, ::testing::ValuesIn(AllCases()), PrintCase);

}  // namespace
