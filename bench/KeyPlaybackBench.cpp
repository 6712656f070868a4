// What one frame of animation playback costs: the pose of the frame worked out from the
// keyframes, and the world positions and normals placed through it (ShowPose, as the
// timeline does at every tick, without the drawing). A game character of 40 nodes must take
// a small part of a screen frame; the 1,000,000-vertex grid shows the cost per vertex.
#include <benchmark/benchmark.h>

#include <cmath>

#include "CharacterModel.h"
#include "GridModel.h"
#include "document/Core.h"
#include "document/ShownPose.h"
#include "model/KeyPose.h"
#include "services/HeadlessServices.h"

namespace {

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
