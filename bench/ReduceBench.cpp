#include <benchmark/benchmark.h>

#include <memory>

#include "bench/GridModel.h"
#include "editing/ReduceMesh.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

// Mesh > Reduce to half the faces on a grid of 100,000 and 1,000,000 vertices: the corners
// gathered once, meshoptimizer's edge collapses, the mesh rebuilt once. Building and freeing
// the model are not timed.
void BM_ReduceMesh(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  int faces = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto services = std::make_unique<THeadlessServices>();
    auto core = std::make_unique<TCore>(*services);
    BuildGrid(*core->Model, side);
    TMesh& mesh = *core->Model->Nodes[1]->Mesh;
    const int target = mesh.Surfaces.Count() / 2;
    state.ResumeTiming();
    faces = ReduceMesh(mesh, target);
    state.PauseTiming();
    core.reset();
    state.ResumeTiming();
  }
  state.counters["faces_left"] = faces;
  state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_ReduceMesh)->Arg(316)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
