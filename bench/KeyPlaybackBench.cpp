// What one frame of animation playback costs: the pose of the frame worked out from the
// keyframes, and the world positions and normals placed through it (ShowPose, as the
// timeline does at every tick, without the drawing). A game character of 40 nodes must take
// a small part of a screen frame; the 1,000,000-vertex grid shows the cost per vertex.
#include <benchmark/benchmark.h>

#include <cmath>

#include "GridModel.h"
#include "document/Core.h"
#include "document/ShownPose.h"
#include "model/KeyPose.h"
#include "services/HeadlessServices.h"

namespace {

// Every node of the model driven through `frames` frames, an entry every 4 frames with
// position and rotation deltas, as the game's walk and run cycles are.
TKeyAnimation EveryNode(const TModel& model, int frames) {
  TKeyAnimation key;
  key.Frames = frames;
  key.Fps = 30;
  key.Joints = model.Nodes.Count();
  for (int i = 0; i < model.Nodes.Count(); ++i) {
    TKeyNode node;
    node.Index = i;
    node.MeshName = model.Nodes[i]->Name;
    for (int f = 0; f < frames; f += 4) {
      TKeyEntry e;
      e.Frame = f;
      e.Flags = 3;
      e.Position = model.Nodes[i]->Position;
      e.Rotation = {10 * std::sin(f * 0.2 + i), 5.0 * i, 3 * std::cos(f * 0.1)};
      e.DeltaPosition = {0.0001, 0, 0.0002};
      e.DeltaRotation = {1, -0.5, 0.25};
      node.Entries.push_back(e);
    }
    key.Nodes.push_back(std::move(node));
  }
  return key;
}

// A character as the game's are put together: a torso chain, head, arms and legs of several
// nodes each, 40 nodes in all, each mesh a closed band of 48 vertices (1,920 vertices).
void BuildCharacter(TModel& model) {
  for (int i = 0; i < 40; ++i) {
    TNode* node = model.AddNode();
    node->Name = "n" + std::to_string(i);
    // Five limbs of eight nodes each hang from the first node of the torso.
    if (i % 8 != 0) node->Parent = model.Nodes[i - 1];
    else if (i > 0) node->Parent = model.Nodes[0];
    node->Position = {0.01 * (i % 8), 0.002 * (i / 8), 0.02};
    node->Pivot = {0, 0, 0.001};
    TMesh* mesh = node->SetMesh(model.NewMesh());
    for (int r = 0; r < 4; ++r)
      for (int k = 0; k < 12; ++k)
        mesh->AddVertex()->Position = {0.005 * std::cos(k * 0.5236), 0.005 * std::sin(k * 0.5236), 0.004 * r};
    for (int r = 0; r + 1 < 4; ++r)
      for (int k = 0; k < 12; ++k) {
        TFace* f = mesh->AddFace();
        for (const int v : {r * 12 + k, r * 12 + (k + 1) % 12, (r + 1) * 12 + (k + 1) % 12, (r + 1) * 12 + k})
          f->AddVertex(mesh->Vertices[v]);
      }
  }
  model.Update();
}

void PlayFrames(benchmark::State& state, TCore& core, const TKeyAnimation& key) {
  double frame = 0;
  for (auto _ : state) {
    frame += 0.5;  // 60 ticks a second of a 30-frames-a-second animation
    ShowPose(core, PoseAt(*core.Model, key, frame));
  }
  long long vertices = 0;
  for (const TNode* n : core.Model->Nodes)
    if (n->Mesh) vertices += n->Mesh->Vertices.Count();
  state.counters["nodes"] = core.Model->Nodes.Count();
  state.counters["vertices"] = static_cast<double>(vertices);
  state.counters["frames_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_KeyPlaybackCharacter(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildCharacter(*core.Model);
  PlayFrames(state, core, EveryNode(*core.Model, 64));
}
BENCHMARK(BM_KeyPlaybackCharacter)->Unit(benchmark::kMicrosecond);

void BM_KeyPlaybackMillionVertices(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildGrid(*core.Model, SideFor(state.range(0)));
  PlayFrames(state, core, EveryNode(*core.Model, 64));
}
BENCHMARK(BM_KeyPlaybackMillionVertices)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The pose alone, without placing the vertices: what a frame costs before the world pass.
void BM_KeyPoseCharacter(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildCharacter(*core.Model);
  const TKeyAnimation key = EveryNode(*core.Model, 64);
  double frame = 0;
  for (auto _ : state) benchmark::DoNotOptimize(PoseAt(*core.Model, key, frame += 0.5));
}
BENCHMARK(BM_KeyPoseCharacter)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The world pass through the pose alone, without the normals ShowPose works out after it.
void BM_KeyPlaceOnly(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  if (state.range(0) == 0)
    BuildCharacter(*core.Model);
  else
    BuildGrid(*core.Model, SideFor(state.range(0)));
  const TKeyAnimation key = EveryNode(*core.Model, 64);
  double frame = 0;
  for (auto _ : state) PlacePosed(*core.Model, PoseAt(*core.Model, key, frame += 0.5));
}
// 0: the 40-node character.
BENCHMARK(BM_KeyPlaceOnly)->Arg(0)->Arg(1'000'000)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
