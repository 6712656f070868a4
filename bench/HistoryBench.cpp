// Undo history: what a step costs to take and to undo, on a game-sized model and on the
// million-vertex grid.
#include <benchmark/benchmark.h>

#include "bench/GridModel.h"
#include "editing/Actions.h"
#include "editing/Step.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

// The million-vertex grid, or a game-sized one (740 vertices), with a small second mesh
// beside it: a step touches either the grid or the small mesh.
struct THistoryModel {
  explicit THistoryModel(int side) {
    BuildGrid(*Core.Model, side);
    FindEditAction("actPrimCube")->Run(Core);
    Core.Model->Update();
    Core.ResetHistory();
    Core.EditMode = emVertex;
  }
  // Selects every vertex of the grid (node 1) or of the cube (node 2).
  void Select(int node) {
    Core.ClearSelection();
    for (TVertex* v : Core.Model->Nodes[node]->Mesh->Vertices) Core.ToggleVertex(v, false);
  }
  THeadlessServices Services;
  TCore Core{Services};
};

const std::map<std::string, std::string> kAnswers = {{"X", "0.001"}, {"Y", "0"}, {"Z", "0"}};

// The command alone, and the command run as a step: the difference is what taking the step
// costs. range(0): grid side; range(1): the node whose vertices are moved.
void BM_Translate(benchmark::State& state, bool asStep) {
  THistoryModel m(static_cast<int>(state.range(0)));
  m.Select(static_cast<int>(state.range(1)));
  m.Services.Answers = kAnswers;
  for (auto _ : state) {
    if (asStep)
      RunStep(m.Core, "Translate", [&] { return FindEditAction("actEditTranslate")->Run(m.Core); });
    else
      FindEditAction("actEditTranslate")->Run(m.Core);
  }
  state.counters["step_KiB"] = static_cast<double>(m.Core.History.LastStepBytes()) / 1024;
  state.counters["history_MiB"] = static_cast<double>(m.Core.History.Bytes()) / (1 << 20);
}
BENCHMARK_CAPTURE(BM_Translate, command, false)->Args({27, 1})->Args({1000, 1})->Args({1000, 2})
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Translate, step, true)->Args({27, 1})->Args({1000, 1})->Args({1000, 2})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

// One undo and one redo of a translation of the node's vertices.
void BM_UndoRedo(benchmark::State& state) {
  THistoryModel m(static_cast<int>(state.range(0)));
  m.Select(static_cast<int>(state.range(1)));
  m.Services.Answers = kAnswers;
  RunStep(m.Core, "Translate", [&] { return FindEditAction("actEditTranslate")->Run(m.Core); });
  for (auto _ : state) {
    m.Core.Undo();
    m.Core.Redo();
  }
  state.SetLabel("one undo and one redo per iteration");
}
BENCHMARK(BM_UndoRedo)->Args({27, 1})->Args({1000, 1})->Args({1000, 2})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
