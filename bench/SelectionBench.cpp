#include <benchmark/benchmark.h>

#include "camera/Camera.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

// One mesh of n vertices spread over a 1000 x 1000 grid filling a 400 x 300 Top view.
struct TBigMesh {
  explicit TBigMesh(int n) : Core(Services), View(MakeViewTransform(DefaultCameras()[0], 400, 300)) {
    TNode* node = Core.Model->AddNode();
    node->SetMesh(Core.Model->NewMesh());
    Mesh = node->Mesh.get();
    Mesh->Vertices.Reserve(static_cast<size_t>(n));
    const TVector low = ScreenToWorld(View, 0, 299), high = ScreenToWorld(View, 399, 0);
    for (int i = 0; i < n; ++i) {
      TVertex* v = Mesh->AddVertex();
      v->World = {low.X + (high.X - low.X) * (i % 1000) / 999.0, low.Y + (high.Y - low.Y) * (i / 1000 % 1000) / 999.0, 0};
    }
  }
  THeadlessServices Services;
  TCore Core;
  TViewTransform View;
  TMesh* Mesh;
};

void BM_SelectVerticesInRect(benchmark::State& state) {
  TBigMesh big(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    // Half the window: every other drag selects, the next deselects.
    benchmark::DoNotOptimize(big.Core.SelectVerticesInRect(0, 0, 199, 299, big.View));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SelectVerticesInRect)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Select all, then invert: toggles every vertex twice, one property refresh per gesture.
void BM_ToggleAllVertices(benchmark::State& state) {
  TBigMesh big(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    for (TVertex* v : big.Mesh->Vertices) big.Core.ToggleVertex(v, false);
    big.Core.Changed(chProperties);
    for (TVertex* v : big.Mesh->Vertices) big.Core.ToggleVertex(v, false);
    big.Core.Changed(chProperties);
    benchmark::DoNotOptimize(big.Core.Vertices.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_ToggleAllVertices)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Deselecting half of a full selection leaves holes that the next ordered read squeezes out.
void BM_DeselectHalfThenRead(benchmark::State& state) {
  TBigMesh big(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    big.Core.Vertices.Clear();
    for (TVertex* v : big.Mesh->Vertices) big.Core.ToggleVertex(v, false);
    state.ResumeTiming();
    big.Core.SelectVerticesInRect(0, 0, 199, 299, big.View);
    TVertices selected;
    big.Core.EditMode = emVertex;
    big.Core.GetSelectedVertices(selected);
    benchmark::DoNotOptimize(selected.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DeselectHalfThenRead)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
