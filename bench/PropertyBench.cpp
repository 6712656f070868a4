#include <benchmark/benchmark.h>

#include "editing/PropertyEdits.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"
#include "tests/core/ChangeCounter.h"

namespace {

// n selected triangles of one mesh, over a model with two materials.
struct TSelectedFaces {
  explicit TSelectedFaces(int n) : Core(Services) {
    Core.Model->Materials.FindOrAdd("dflt.mat");
    Core.Model->Materials.FindOrAdd("hull.mat");
    TNode* node = Core.Model->AddNode();
    TMesh* mesh = node->SetMesh(Core.Model->NewMesh());
    for (int i = 0; i < 3; ++i) mesh->AddVertex();
    mesh->Surfaces.Reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      TFace* face = mesh->AddFace();
      for (int k = 0; k < 3; ++k) face->AddVertex(mesh->Vertices[k]);
      Core.ToggleSurface(face, false);
    }
    Core.EditMode = emSurface;
  }
  THeadlessServices Services;
  TCore Core;
  TChangeCounter Changes{Core};
};

// Each iteration flips the value, so every surface changes every time.
void BM_PropertyChange(benchmark::State& state, void (*change)(TCore&, bool)) {
  TSelectedFaces faces(static_cast<int>(state.range(0)));
  bool on = false;
  for (auto _ : state) change(faces.Core, on = !on);
  state.counters["rebuilds_per_change"] = static_cast<double>(faces.Changes.Rebuilds) / state.iterations();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Flag(TCore& core, bool on) { SetSurfaceFlag(core, ftTwoSided, on); }
void Material(TCore& core, bool on) { SetSurfaceMaterial(core, on ? "HULL.MAT" : "dflt.mat"); }
void Mode(TCore& core, bool on) { SetSurfaceMode(core, TRenderMode::Geometry, on ? 3 : 4); }

BENCHMARK_CAPTURE(BM_PropertyChange, flag, Flag)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PropertyChange, material, Material)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PropertyChange, mode, Mode)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The first selected object after the first of a million was deselected, as the property
// panel asks for it after each toggle.
void BM_FirstAfterToggle(benchmark::State& state) {
  TSelectedFaces faces(static_cast<int>(state.range(0)));
  const std::vector<TFace*> all(faces.Core.Surfaces.Items());
  size_t next = 0;
  for (auto _ : state) {
    faces.Core.ToggleSurface(all[next], false);
    benchmark::DoNotOptimize(faces.Core.Surfaces.First());
    faces.Core.ToggleSurface(all[next], false);
    next = (next + 1) % all.size();
  }
}
BENCHMARK(BM_FirstAfterToggle)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
