#include <benchmark/benchmark.h>

#include <memory>

#include "bench/GridModel.h"
#include "editing/FitGameLimits.h"
#include "editing/GameCheck.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

// Fit to Game Limits on a grid of 100,000 and 1,000,000 vertices cut into meshes of at most
// 512 vertices: a sort of the faces and one pass building the pieces, so about linear. Each
// iteration fits a fresh model; building it is not timed. The counter says whether the check
// then passes (1).
void BM_FitGameLimits(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  bool passes = false;
  size_t nodes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto services = std::make_unique<THeadlessServices>();
    auto core = std::make_unique<TCore>(*services);
    BuildGrid(*core->Model, side);
    state.ResumeTiming();
    FitGameLimits(*core->Model);
    state.PauseTiming();
    passes = CheckForGame(*core->Model, nullptr).empty();
    nodes = static_cast<size_t>(core->Model->Nodes.Count());
    core.reset();  // freeing a million vertices is no part of the command
    state.ResumeTiming();
  }
  state.counters["check_passes"] = passes ? 1 : 0;
  state.counters["nodes"] = static_cast<double>(nodes);
  state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_FitGameLimits)->Arg(316)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
