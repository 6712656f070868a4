#include <benchmark/benchmark.h>

#include "app/PropertyPanel.h"
#include "bench/BenchApp.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

// A million selected vertices and faces (each face on three of them); one of them is
// deselected and selected again before each refresh, as a click in the view does.
struct TSelectedMillion {
  TSelectedMillion() : Core(Services), Panel((BenchApp(), Core)) {
    TMesh* mesh = Core.Model->AddNode()->SetMesh(Core.Model->NewMesh());
    constexpr int n = 1000000;
    mesh->Vertices.Reserve(n);
    mesh->Surfaces.Reserve(n);
    for (int i = 0; i < n; ++i) Core.ToggleVertex(mesh->AddVertex(), false);
    for (int i = 0; i < n; ++i) {
      TFace* face = mesh->AddFace();
      for (int k = 0; k < 3; ++k) face->AddVertex(mesh->Vertices[(i + k) % n]);
      Core.ToggleSurface(face, false);
    }
    Core.ToggleNode(Core.Model->Nodes[0], false);
  }
  THeadlessServices Services;
  TCore Core;
  TPropertyPanel Panel;
};

void BM_PanelRefreshAfterToggle(benchmark::State& state) {
  static TSelectedMillion big;
  big.Core.EditMode = static_cast<TEditMode>(state.range(0));
  big.Panel.ShowPage(big.Core.EditMode);
  TMesh& mesh = *big.Core.Model->Nodes[0]->Mesh;
  int next = 0;
  for (auto _ : state) {
    if (big.Core.EditMode == emVertex) big.Core.ToggleVertex(mesh.Vertices[next], false);
    else big.Core.ToggleSurface(mesh.Surfaces[next], false);
    big.Panel.UpdateProperties();
    if (big.Core.EditMode == emVertex) big.Core.ToggleVertex(mesh.Vertices[next], false);
    else big.Core.ToggleSurface(mesh.Surfaces[next], false);
    big.Panel.UpdateProperties();
    next = (next + 1) % 1000;
  }
  state.SetLabel("two toggles and two refreshes per iteration");
}
BENCHMARK(BM_PanelRefreshAfterToggle)->Arg(emNode)->Arg(emSurface)->Arg(emVertex)->Unit(benchmark::kMicrosecond);

}  // namespace
