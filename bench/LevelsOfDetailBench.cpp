// Models with one and with four levels of detail of the same meshes: reading, writing and
// Update must cost at most four times as much for four sets; switching sets costs no copy.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "bench/GridModel.h"
#include "editing/LevelsOfDetail.h"
#include "document/Core.h"
#include "formats/ThreeDo.h"
#include "services/HeadlessServices.h"

namespace {

// The grid of about `vertices` vertices, in `sets` sets that are copies of one another.
void BuildSets(TModel& model, int64_t vertices, int sets) {
  BuildGrid(model, SideFor(vertices));
  while (model.GeosetCount() < sets) model.AddGeoset();
  model.Update();
}

std::string TempFile(const char* name) {
  return (std::filesystem::temp_directory_path() / ("zarn-bench-" + std::to_string(::getpid()) + name)).string();
}

// Args: vertices per set, sets.
void BM_WriteSets(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildSets(*core.Model, state.range(0), static_cast<int>(state.range(1)));
  const std::string path = TempFile("-sets.3do");
  for (auto _ : state) Save3DOFile(*core.Model, path);
  std::filesystem::remove(path);
}

void BM_ReadSets(benchmark::State& state) {
  const std::string path = TempFile("-sets-read.3do");
  {
    THeadlessServices services;
    TCore core(services);
    BuildSets(*core.Model, state.range(0), static_cast<int>(state.range(1)));
    Save3DOFile(*core.Model, path);
  }
  for (auto _ : state) {
    THeadlessServices services;
    TCore core(services);
    Load3DOFile(*core.Model, path);
    if (!services.Errors.empty()) state.SkipWithError(services.Errors[0].c_str());
    state.PauseTiming();
    core.Model->Clear();
    state.ResumeTiming();
  }
  std::filesystem::remove(path);
}

void BM_UpdateSets(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildSets(*core.Model, state.range(0), static_cast<int>(state.range(1)));
  for (auto _ : state) core.Model->Update();
}

// A game character's shape: 40 nodes, 20 of them with a mesh of 289 vertices, four sets; the choice the drop-down
// makes, from the fourth set to the first and back.
void BM_ChooseLevelOfDetail(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  for (int i = 0; i < 20; ++i) BuildGrid(*core.Model, 17);  // two nodes each, one with a mesh
  while (core.Model->GeosetCount() < 4) core.Model->AddGeoset();
  int set = 0;
  for (auto _ : state) ChooseLevelOfDetail(core, set = 3 - set);
}

void SetArgs(benchmark::internal::Benchmark* b) {
  for (int64_t vertices : {62'500, 250'000})
    for (int64_t sets : {1, 4}) b->Args({vertices, sets});
  b->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_WriteSets)->Apply(SetArgs);
BENCHMARK(BM_ReadSets)->Apply(SetArgs);
BENCHMARK(BM_UpdateSets)->Apply(SetArgs);
BENCHMARK(BM_ChooseLevelOfDetail)->Unit(benchmark::kMicrosecond);

}  // namespace
