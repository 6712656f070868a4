// Undo and redo of every editing action: the text a save writes and the selections come back
// exactly as they were before the step and after it; no action throws a model's texture
// mapping away; and what each leaves is saved and read back as the same model.

#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "editing/Actions.h"
#include "editing/GameCheck.h"
#include "editing/MaterialEdits.h"
#include "editing/PropertyFields.h"
#include "editing/Step.h"
#include "editing/TextureCommands.h"
#include "editing/ToolEdits.h"
#include "document/ModelState.h"
#include "tests/core/LevelsOfDetailModel.h"
#include "tests/core/TestCore.h"

namespace {

struct TModelMaker {
  const char* Name;
  std::function<void(TTestCore&)> Make;
};

const std::vector<TModelMaker>& Models() {
  static const std::vector<TModelMaker> makers = {
      {"sample", [](TTestCore& t) { ASSERT_TRUE(Load3DOFile(t.Model(), ZARN_SAMPLES_DIR "/fighter.3do")); }},
      {"generated", [](TTestCore& t) {
         // The plane in quads enough that Reduce and Generate find faces to take.
         t.Services.Answers = {{"Subdivide_X", "4"}, {"Subdivide_Y", "4"}};
         for (const char* prim : {"actPrimCube", "actPrimCylind", "actPrimDummy", "actPrimPlane", "actPrimCone"})
           FindEditAction(prim)->Run(t.Core);
         t.Model().Nodes[1]->Parent = t.Model().Nodes[0];  // a hierarchy to walk and cut
         t.Model().Nodes[3]->Parent = t.Model().Nodes[1];
         t.Model().Update();
       }},
      {"sample with light of its own on every vertex", [](TTestCore& t) {
         ASSERT_TRUE(Load3DOFile(t.Model(), ZARN_SAMPLES_DIR "/fighter.3do"));
         float light = 0;
         for (TNode* n : t.Model().Nodes)
           if (n->Mesh)
             for (TVertex* v : n->Mesh->Vertices) v->Intensity = light += 0.125f;
       }},
      {"three levels of detail, the second shown", [](TTestCore& t) {
         ASSERT_TRUE(Load3DOFile(t.Model(), ZARN_SAMPLES_DIR "/fighter.3do"));
         MakeLevelsOfDetail(t.Model(), 3);
         t.Model().ChooseGeoset(1);
       }},
  };
  return makers;
}

// A selection each mode's commands can work on, in an order that is not the model's; the
// last two vertex selections are a diagonal and an edge of the first mesh's first face, for
// Split and Insert.
enum TSelectionKind { skNodes, skSurfaces, skVertices, skDiagonal, skEdge };

void SelectSome(TCore& core, TSelectionKind kind) {
  const TEditMode mode = kind == skNodes ? emNode : kind == skSurfaces ? emSurface : emVertex;
  core.EditMode = mode;
  TModel& model = *core.Model;
  TMesh& a = *model.Nodes[0]->Mesh;
  TMesh& b = *model.Nodes[1]->Mesh;
  if (mode == emNode)
    for (int i : {1, 0}) core.ToggleNode(model.Nodes[i]);
  if (mode == emSurface)
    for (TFace* f : {b.Surfaces[1], a.Surfaces[0], b.Surfaces[0]}) core.ToggleSurface(f);
  if (kind == skVertices)
    for (TVertex* v : {a.Vertices[2], a.Vertices[0], a.Vertices[1], b.Vertices[3]}) core.ToggleVertex(v);
  if (kind == skDiagonal)
    for (TVertex* v : {a.Surfaces[0]->Vertices[2], a.Surfaces[0]->Vertices[0]}) core.ToggleVertex(v);
  if (kind == skEdge)
    for (TVertex* v : {a.Surfaces[0]->Vertices[0], a.Surfaces[0]->Vertices[1]}) core.ToggleVertex(v);
}

bool IsSelectOrCopy(std::string_view action) { return action.starts_with("actSel") || action == "actEditCopy"; }
// Actions that write files only, and Fit to Game Limits, which these models already meet
// (FitGameLimitsTest undoes it on one that does not).
bool ChangesNoModelHere(std::string_view action) {
  return IsSelectOrCopy(action) || action == "actFileNewMaterial" || action == "actFileSaveToContainer" ||
         action == "actFitGameLimits";
}

// The refusals the selections and models here meet; any other error is a fault. The sample
// given as their file is no picture and no container, and every edge of its meshes is a seam,
// so Generate finds no face to take.
bool Refusal(const TModel& model, std::string_view action, const std::string& error) {
  return error.starts_with("Only works in") || error.starts_with("Failed to") ||
         error == "Select the surfaces (or nodes) to map first" || action.starts_with("actFile") ||
         action == "actViewLodGenerate" || (action.starts_with("actViewLod") && model.GeosetCount() == 1);
}

// What a save keeps of a model: `b` was read from the text `a` saved.
void ExpectSameModels(TModel& a, TModel& b) {
  ASSERT_EQ(a.Nodes.Count(), b.Nodes.Count());
  ExpectNear(b.InsertOffset, a.InsertOffset);
  ASSERT_EQ(a.GeosetCount(), b.GeosetCount());
  for (int i = 0; i < a.Nodes.Count(); ++i) {
    const TNode& x = *a.Nodes[i];
    const TNode& y = *b.Nodes[i];
    SCOPED_TRACE("node " + std::to_string(i) + " " + x.Name);
    EXPECT_EQ(x.Name, y.Name);
    EXPECT_EQ(x.Flags, y.Flags);
    EXPECT_EQ(x.NodeType, y.NodeType);
    EXPECT_TRUE(!x.Parent || a.Nodes.Contains(x.Parent)) << "a parent outside the model";
    EXPECT_EQ(a.Nodes.IndexOf(x.Parent), b.Nodes.IndexOf(y.Parent));
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

// Runs `step`; undo must give back the text and selection from before, redo those after. True when it made a step.
bool UndoesAndRedoesExactly(TTestCore& t, const std::string& caption, const std::function<void()>& step) {
  const std::string before = SavedText(t.Model());
  const TSelectionState selected = TakeSelectionState(t.Core);
  step();
  const std::string after = SavedText(t.Model());
  const TSelectionState afterSelected = TakeSelectionState(t.Core);
  EXPECT_EQ(t.Core.History.CanUndo(), after != before);
  EXPECT_EQ(t.Core.History.Modified(), after != before);
  if (!t.Core.History.CanUndo()) return false;
  EXPECT_EQ(t.Core.History.Count(), 1u);
  EXPECT_EQ(t.Core.History.UndoCaption(), caption);
  t.Core.Undo();
  EXPECT_EQ(SavedText(t.Model()), before);
  EXPECT_EQ(TakeSelectionState(t.Core), selected);
  EXPECT_FALSE(t.Core.History.Modified());
  t.Core.Redo();
  EXPECT_EQ(SavedText(t.Model()), after);
  EXPECT_EQ(TakeSelectionState(t.Core), afterSelected);
  EXPECT_TRUE(t.Core.History.Modified());
  // Saved and read back, it is the same model.
  t.Model().Update();
  TTestCore read;
  Parse3DO(read.Model(), SavedText(t.Model(), true));
  EXPECT_TRUE(read.Services.Errors.empty()) << read.Services.Errors.front();
  ExpectSameModels(t.Model(), read.Model());
  return true;
}

// Every mesh is trusted by its revision, so a command that changes a mesh without saying so
// fails; and meshes are cut into chunks of a few vertices and faces, so that steps share and
// write back chunks as big meshes do.
struct TSmallChunksTrusted {
  explicit TSmallChunksTrusted(size_t chunk)
      : Trusted(std::exchange(TMeshState::TrustRevisionFrom, 0)), Chunk(std::exchange(TMeshState::ChunkSize, chunk)) {}
  ~TSmallChunksTrusted() {
    TMeshState::TrustRevisionFrom = Trusted;
    TMeshState::ChunkSize = Chunk;
  }
  size_t Trusted, Chunk;
};

// A corner by its vertex and its two neighbours, whichever way round: what a flip keeps.
struct TCornerKey {
  const TVertex *V, *Low, *High;
  auto operator<=>(const TCornerKey&) const = default;
};

TCornerKey KeyOf(const TFace& face, int k) {
  const TVertex *prev = face.PrevVertex(k), *next = face.NextVertex(k);
  return {face.Vertices[k], std::min(prev, next), std::max(prev, next)};
}

// The coordinates of every corner before an action, to check after it that every corner it
// did not make keeps its coordinate and every corner it made got a defined one. The Texture
// commands change the faces they work on, and only those.
class TTexturesKept {
 public:
  TTexturesKept(TCore& core, const std::string& action) : Model(*core.Model), Action(action) {
    if (action.starts_with("actTex")) Mapped = TextureFaces(core);
    for (const TNode* node : Model.Nodes)
      if (node->Mesh) Vertices.insert(node->Mesh->Vertices.begin(), node->Mesh->Vertices.end());
    for (const TFace* face : Faces())
      for (int k = 0; k < face->Vertices.Count(); ++k) {
        const TUV uv{face->TXVertices[k].U, face->TXVertices[k].V};
        const TVector& p = face->Vertices[k]->Position;
        Corners[KeyOf(*face, k)].insert(uv);
        AtVertex[face->Vertices[k]].insert(uv);
        AtPlace[{face->Mesh, {p.X, p.Y, p.Z}}].insert(uv);
      }
  }

  void Check() const {
    for (const TFace* face : Faces()) {
      ASSERT_EQ(face->TXVertices.Count(), face->Vertices.Count());
      for (int k = 0; k < face->Vertices.Count(); ++k) {
        const TTXVertex& t = face->TXVertices[k];
        const TUV uv{t.U, t.V};
        ASSERT_TRUE(std::isfinite(t.U) && std::isfinite(t.V));
        const TVertex* v = face->Vertices[k];
        const TVector& p = v->Position;
        if (const auto kept = Corners.find(KeyOf(*face, k)); kept != Corners.end() && Vertices.count(v)) {
          EXPECT_TRUE(kept->second.count(uv)) << "a kept corner changed to " << t.U << "," << t.V;
        } else if (Vertices.count(v)) {
          // A corner made at a vertex that was there takes a coordinate that vertex had.
          ASSERT_TRUE(AtVertex.count(v));
          EXPECT_TRUE(AtVertex.at(v).count(uv)) << "a new corner of an old vertex got " << t.U << "," << t.V;
        } else if (Action == "actEditInsertVx") {
          const TTXVertex& a = face->TXVertices[k > 0 ? k - 1 : face->Vertices.Count() - 1];
          const TTXVertex& b = face->TXVertices[(k + 1) % face->Vertices.Count()];
          EXPECT_EQ(uv, (TUV{(a.U + b.U) / 2, (a.V + b.V) / 2}));
        } else if (Action == "actEditExtrudeFace") {
          const auto place = AtPlace.find({face->Mesh, {p.X, p.Y, p.Z}});
          ASSERT_NE(place, AtPlace.end());
          EXPECT_TRUE(place->second.count(uv)) << "a cap or side corner got " << t.U << "," << t.V;
        }
      }
    }
  }

 private:
  using TUV = std::pair<float, float>;
  std::vector<const TFace*> Faces() const {
    std::vector<const TFace*> faces;
    for (const TNode* node : Model.Nodes)
      if (node->Mesh)
        for (const TFace* f : node->Mesh->Surfaces)
          if (std::find(Mapped.begin(), Mapped.end(), f) == Mapped.end()) faces.push_back(f);
    return faces;
  }
  const TModel& Model;
  const std::string Action;
  std::vector<TFace*> Mapped;
  std::set<const TVertex*> Vertices;
  std::map<TCornerKey, std::multiset<TUV>> Corners;
  std::map<const TVertex*, std::set<TUV>> AtVertex;
  std::map<std::pair<const TMesh*, std::tuple<double, double, double>>, std::set<TUV>> AtPlace;
};

TEST(History, EveryActionUndoesAndRedoesExactlyAndKeepsTheTextureMapping) {
  std::set<std::string> stepped;
  for (size_t chunk : {TMeshState::ChunkSize, size_t{3}})
  for (const TModelMaker& maker : Models())
    for (TSelectionKind kind : {skNodes, skSurfaces, skVertices, skDiagonal, skEdge})
      for (const TEditAction& action : EditActions()) {
        SCOPED_TRACE(std::string(maker.Name) + " " + action.Name + " on selection " + std::to_string(kind));
        const TSmallChunksTrusted small(chunk);
        TTestCore t;
        maker.Make(t);
        t.Core.ResetHistory();
        SelectSome(t.Core, kind);
        FindEditAction("actEditCopy")->Run(t.Core);  // something to paste
        t.Services.Answers = {{"X", "0.5"}, {"Y", "0.25"}, {"Z", "2"}, {"Around_X", "0.1"}, {"Insert_Offset", "1 2 3"},
                             {"DU", "3"}, {"DV", "-2"}, {"SU", "2"}, {"SV", "0.5"}};
        t.Services.FileNames = {ZARN_SAMPLES_DIR "/fighter.3do"};
        const TTexturesKept textures(t.Core, action.Name);
        const bool ready = CheckForGame(t.Model(), nullptr).empty();
        if (UndoesAndRedoesExactly(t, action.Name, [&] {
              RunStep(t.Core, action.Name, [&] { return action.Run(t.Core); });
              textures.Check();
              for (const std::string& e : t.Services.Errors)
                EXPECT_TRUE(Refusal(t.Model(), action.Name, e)) << e;
              if (ready) {
                EXPECT_EQ(CheckForGame(t.Model(), nullptr), std::vector<std::string>{});
              }
            }))
          stepped.insert(action.Name);
      }
  // Every action that changes a model changed one here; the Select actions change none.
  for (const TEditAction& action : EditActions())
    EXPECT_EQ(stepped.count(action.Name), ChangesNoModelHere(action.Name) ? 0u : 1u) << action.Name;
}

// Tool drags as the viewport runs them (the press begins, every pointer move adds, the release
// ends) under every lock combination (all three hold the selection still), with the Shift
// variant, in every mode; and the node tree's edits, of which refused ones make no step.
TEST(History, ToolAndTreeEditsUndoAndRedoExactly) {
  const auto drag = [](TToolMode tool, std::function<void(TCore&)> increment) {
    return [=](TCore& c, const char*) {
      c.BeginStep();
      for (int move = 0; move < 3; ++move) increment(c);
      EndToolDrag(c, tool);
    };
  };
  const auto tree = [](std::function<void(TCore&, TOwnedNodes&)> edit) {
    return [=](TCore& c, const char* caption) {
      RunStep(c, caption, [&] {
        edit(c, c.Model->Nodes);
        return TCommandResult{};
      });
    };
  };
  const struct {
    const char* Caption;
    bool Changes, Lockable;
    std::function<void(TCore&, const char*)> Run;
  } edits[] = {
      {"Move", true, true, drag(tmMove, [](TCore& c) { MoveSelection(c, {0.5, 0.25, 2}, false); })},
      {"Move", true, true, drag(tmMove, [](TCore& c) { MoveSelection(c, {0.5, 0.25, 2}, true); })},
      {"Rotate", true, true, drag(tmRotate, [](TCore& c) { RotateSelection(c, {10, 20, 30}); })},
      {"Scale", true, true, drag(tmScale, [](TCore& c) { ScaleSelection(c, {1.5, 0.5, 2}); })},
      {"Rename Node", true, false, tree([](TCore&, TOwnedNodes& n) { RenameNode(*n[1], "renamed"); })},
      {"Rename Node", false, false, tree([](TCore&, TOwnedNodes& n) { RenameNode(*n[1], "two words"); })},
      {"Reparent Node", true, false, tree([](TCore&, TOwnedNodes& n) { ReparentNode(*n[3], nullptr); })},
      {"Reparent Node", false, false, tree([](TCore&, TOwnedNodes& n) { ReparentNode(*n[0], n[3]); })},
  };
  for (const TModelMaker& maker : Models())
    for (TSelectionKind kind : {skNodes, skSurfaces, skVertices})
      for (int locks = 0; locks < 8; ++locks)
        for (const auto& edit : edits) {
          SCOPED_TRACE(std::string(maker.Name) + " edit " + std::to_string(&edit - edits) + " selection " +
                       std::to_string(kind) + " locks " + std::to_string(locks));
          const TSmallChunksTrusted small(3);
          TTestCore t;
          maker.Make(t);
          t.Core.ResetHistory();
          SelectSome(t.Core, kind);
          t.Core.LockX = locks & 1;
          t.Core.LockY = locks & 2;
          t.Core.LockZ = locks & 4;
          EXPECT_EQ(UndoesAndRedoesExactly(t, edit.Caption, [&] { edit.Run(t.Core, edit.Caption); }),
                    edit.Changes && !(edit.Lockable && locks == 7));
        }
}

// Every field of the property panel and the materials dialog's edits, with meshes trusted by
// their revisions and cut into small chunks: a field that changed a mesh without moving its
// revision would come back wrong. Values the panel refuses make no step.
TEST(History, PropertyAndMaterialEditsUndoAndRedoExactly) {
  const std::map<std::string, std::vector<std::pair<std::string, bool>>> values = {
      {"Type", {{"Head", true}}}, {"Position", {{"0.5,-1,2", true}}}, {"Pivot", {{"1,2,3", true}}},
      {"Rotation", {{"10,20,30", true}}}, {"MeshName", {{"hull", true}, {"two words", false}}},
      {"Geo", {{"3", true}}}, {"Light", {{"1", true}}}, {"Tex", {{"2", true}}},
      {"Material", {{"metal.mat", true}, {"absent.mat", false}}}, {"Extralight", {{"0.75", true}}},
      {"TwoSided", {{"1", true}}}, {"Translucent", {{"1", true}}}, {"Collides", {{"0", true}}},
  };
  std::set<std::string> tried;
  for (const TModelMaker& maker : Models())
    for (const TPropertyField& field : PropertyFields())
      for (const auto& [value, changes] : values.at(field.Name)) {
        SCOPED_TRACE(std::string(maker.Name) + " " + field.Name + "=" + value);
        const TSmallChunksTrusted small(3);
        TTestCore t;
        maker.Make(t);
        AddProjectMaterial(t.Core, "metal.mat");
        t.Core.ResetHistory();
        t.Core.EditMode = field.Mode;
        SelectSome(t.Core, field.Mode == emNode ? skNodes : skSurfaces);
        const std::string caption = std::string("prop:") + field.Name;
        EXPECT_EQ(UndoesAndRedoesExactly(t, caption, [&] { RunStep(t.Core, caption, [&] { return field.Apply(t.Core, value); }); }),
                  changes);
        tried.insert(field.Name);
      }
  EXPECT_EQ(tried.size(), values.size());
  for (const TModelMaker& maker : Models()) {
    SCOPED_TRACE(maker.Name);
    const TSmallChunksTrusted small(3);
    TTestCore t;
    maker.Make(t);
    t.Core.ResetHistory();
    EXPECT_TRUE(UndoesAndRedoesExactly(t, "Add Material", [&] {
      RunStep(t.Core, "Add Material", [&] { return AddMaterialToModel(t.Core, "added.mat"); });
    }));
    t.Core.ResetHistory();
    EXPECT_TRUE(UndoesAndRedoesExactly(t, "Delete Material", [&] {
      RunStep(t.Core, "Delete Material", [&] {
        DeleteProjectMaterial(t.Core, t.Model().Materials.Get(0));
        return TCommandResult{};
      });
    }));
  }
}

// The oldest steps go beyond a hundred steps or beyond the byte bound; what is left still
// undoes exactly, and the newest step always stays.
TEST(History, TheOldestStepsGoFirst) {
  TTestCore t;
  t.Core.ResetHistory();
  std::vector<std::string> texts{SavedText(t.Model())};
  for (int i = 0; i < 105; ++i) {
    RunStep(t.Core, "Dummy", [&] { return FindEditAction("actPrimDummy")->Run(t.Core); });
    texts.push_back(SavedText(t.Model()));
  }
  EXPECT_EQ(t.Core.History.Count(), THistory::kMaxSteps);
  while (t.Core.History.CanUndo()) t.Core.Undo();
  EXPECT_EQ(SavedText(t.Model()), texts[5]);
  while (t.Core.History.CanRedo()) t.Core.Redo();
  EXPECT_EQ(SavedText(t.Model()), texts.back());

  t.Core.History.MaxBytes = t.Core.History.Bytes() / 10;
  RunStep(t.Core, "Cube", [&] { return FindEditAction("actPrimCube")->Run(t.Core); });
  EXPECT_LE(t.Core.History.Bytes(), t.Core.History.MaxBytes);
  EXPECT_LT(t.Core.History.Count(), 20u);
  t.Core.History.MaxBytes = 0;
  RunStep(t.Core, "Cube", [&] { return FindEditAction("actPrimCube")->Run(t.Core); });
  EXPECT_EQ(t.Core.History.Count(), 1u);
  EXPECT_EQ(t.Core.History.UndoCaption(), "Cube");
}

}  // namespace
