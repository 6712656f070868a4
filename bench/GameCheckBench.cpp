#include <benchmark/benchmark.h>

#include "bench/GridModel.h"
#include "editing/GameCheck.h"
#include "document/MaterialLookup.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

// The check before every save, on a model far beyond what the game loads: each face and
// vertex is looked at once, and the breaches are few lines however large the mesh.
void BM_CheckForGame(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  const int side = static_cast<int>(state.range(0));
  BuildGrid(*core.Model, side);
  for (auto _ : state) benchmark::DoNotOptimize(CheckForGame(*core.Model, MaterialFinder(core)));
  state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_CheckForGame)->Arg(316)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
