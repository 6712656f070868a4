// Poses of KEY animations at worked frames, and the world placement they give a model.

#include <tuple>

#include "formats/KeyReader.h"
#include "model/KeyPose.h"
#include "model/WorldFrames.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/KeyFiles.h"
#include "tests/core/TestCore.h"

using key_test::TwoNodeKey;

namespace {

TKeyAnimation ReadText(const std::string& text) {
  const fmt_test::TTempDir dir;
  return ReadKeyFile(dir.Write("walk.key", text));
}

// Node 0 "torso" at the origin with a vertex at (0.1, 0, 0); node 1 "head", its child, at
// (0, 0, 0.1) with a vertex at (0, 0.02, 0); both at rest turned by nothing.
void TwoNodeModel(TModel& model) {
  AddMeshNode(model, "torso", {{0.1, 0, 0}});
  TNode* head = AddMeshNode(model, "head", {{0, 0.02, 0}});
  head->Parent = model.Nodes[0];
  head->Position = {0, 0, 0.1};
  model.Update();
}

TEST(KeyPose, WrapsFramesIntoTheAnimation) {
  // -1e-20 would round up to 20 itself.
  for (const auto& [frame, frames, wrapped] : std::vector<std::tuple<double, int, double>>{
           {5, 20, 5}, {25, 20, 5}, {20, 20, 0}, {-1, 20, 19}, {-40, 20, 0}, {-1e-20, 20, 0}, {3.5, 1, 0.5}})
    EXPECT_EQ(WrapFrame(frame, frames), wrapped) << frame;
}

TEST(KeyPose, GivesTheWorkedValuesAtEachFrame) {
  TModel model;
  TwoNodeModel(model);
  const TKeyAnimation key = ReadText(TwoNodeKey());
  const struct { const char* Case; int Node; double Frame; TVector Position, Rotation; } cases[] = {
      {"AtTheFirstEntry", 0, 0, {0, 0, 0}, {0, 0, 0}},
      {"DeltasOnBoth", 0, 5, {0.05, 0, 0}, {0, 45, 0}},
      {"BetweenEntries", 0, 9.5, {0.095, 0, 0}, {0, 85.5, 0}},
      {"AtTheSecondEntry", 0, 10, {0.1, 0, 0}, {0, 90, 0}},
      {"AfterTheLastWithoutDeltas", 0, 12, {0.1, 0, 0}, {0, 90, 0}},
      {"WrappedPastTheEnd", 0, 25, {0.05, 0, 0}, {0, 45, 0}},
      {"WrappedBeforeTheStart", 0, -1, {0.1, 0, 0}, {0, 90, 0}},
      {"AtTheEndIsTheStart", 0, 20, {0, 0, 0}, {0, 0, 0}},
      // One entry at frame 4 with flags 2: the rotation moves, the position stays.
      {"RotationDeltaOnly", 1, 5, {0, 0, 0.1}, {60, 0, 0}},
      {"BeforeTheFirstEntry", 1, 2, {0, 0, 0.1}, {-30, 0, 0}},
      {"AfterTheLastEntry", 1, 19, {0, 0, 0.1}, {480, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    const TNodePose pose = PoseAt(model, key, c.Frame);
    ASSERT_EQ(pose.size(), 2u);
    const TNodeOverride& o = pose[static_cast<size_t>(c.Node)];
    EXPECT_TRUE(o.Posed);
    ExpectNear(o.Position, c.Position, 1e-9);
    ExpectNear(o.Rotation, c.Rotation, 1e-9);
  }
  EXPECT_FALSE(KeyNodeAt(TKeyNode{}, 3).Posed) << "a node without entries";
}

std::vector<TVector> Worlds(const TModel& model) {
  std::vector<TVector> out;
  for (const TNode* n : model.Nodes)
    for (const TVertex* v : n->Mesh->Vertices) out.push_back(v->World);
  return out;
}

TEST(KeyPose, PlacesTheModelAsTheRestPoseWouldBePlacedAndKeepsWhatItDoesNotDrive) {
  TModel model;
  TwoNodeModel(model);
  const std::string saved = SavedText(model);
  const TNodePose pose = PoseAt(model, ReadText(TwoNodeKey()), 5);
  PlacePosed(model, pose);
  // torso: yaw 45 then x 0.05 takes (0.1, 0, 0) to (0.05 + 0.0707107, 0.0707107, 0);
  // head: pitch 60 takes (0, 0.02, 0) to (0, 0.01, 0.0173205), plus (0, 0, 0.1), then the
  // torso's yaw 45 and move.
  ExpectNear(Worlds(model), {{0.1207107, 0.0707107, 0}, {0.0429289, 0.0070711, 0.1173205}}, 1e-7);
  ExpectNear(model.Nodes[1]->Mesh->WorldOffset, 0.05, 0, 0.1);
  ExpectNear(TWorldFrames(model, nullptr).NodePosition(*model.Nodes[1]), 0, 0, 0.1);
  ExpectNear(TWorldFrames(model, &pose).NodePosition(*model.Nodes[1]), 0.05, 0, 0.1);
  // Posing never changed the nodes; the rest pose comes back with the next world pass.
  EXPECT_EQ(SavedText(model), saved);
  model.UpdateWorld();
  ExpectNear(Worlds(model), {{0.1, 0, 0}, {0, 0.02, 0.1}});

  // An empty pose, nodes at or beyond JOINTS and a model node the key does not name keep their
  // rest values; a key node the model lacks is left out.
  model.Nodes[1]->Rotation = {30, 60, 0};
  model.Update();
  const std::vector<TVector> rest = Worlds(model);
  PlacePosed(model, {});
  ExpectNear(Worlds(model), rest, 0);

  model.Nodes[1]->Rotation = {0, 0, 90};
  const TNodePose jointed = PoseAt(model, ReadText(TwoNodeKey("1")), 5);
  EXPECT_TRUE(jointed[0].Posed);
  EXPECT_FALSE(jointed[1].Posed);
  PlacePosed(model, jointed);
  // head: roll 90 of its own takes (0, 0.02, 0) nowhere; (0, 0.02, 0.1) under the torso's yaw 45 and move.
  ExpectNear(Worlds(model)[1], {0.05 - 0.0141421, 0.0141421, 0.1}, 1e-7);

  TNode* tail = AddMeshNode(model, "tail", {{0, 0, -0.05}});
  tail->Position = {0.01, 0, 0};
  model.Update();
  const TNodePose tailed = PoseAt(model, ReadText(TwoNodeKey()), 10);
  ASSERT_EQ(tailed.size(), 3u);
  EXPECT_FALSE(tailed[2].Posed);
  PlacePosed(model, tailed);
  ExpectNear(Worlds(model)[2], 0.01, 0, -0.05);
  ExpectNear(Worlds(model)[0], 0.1, 0.1, 0, 1e-9);  // torso: yaw 90 and x 0.1

  TModel torso;
  AddMeshNode(torso, "torso", {{0.1, 0, 0}});
  torso.Update();
  const TNodePose one = PoseAt(torso, ReadText(TwoNodeKey()), 5);
  ASSERT_EQ(one.size(), 1u);
  PlacePosed(torso, one);
  ExpectNear(Worlds(torso)[0], 0.1207107, 0.0707107, 0, 1e-7);
}

}  // namespace
