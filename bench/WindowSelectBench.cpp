// The main window on big models, through its own actions and the program's own services:
// Select All over a grid of 1,000,000 vertices end to end (the command, the property panel,
// the tree and the viewport's redraw), and how soon Import of a 1.1-million-face OBJ file
// shows its progress bar. Needs a display (run it under xvfb-run).
#include <benchmark/benchmark.h>

#include <QAction>
#include <QProgressBar>
#include <QWindow>
#include <chrono>
#include <memory>

#include "BenchApp.h"
#include "bench/WindowRig.h"
#include "app/MainWindow.h"
#include "app/QtServices.h"
#include "app/StatusProgress.h"
#include "bench/ObjFiles.h"
#include "document/Core.h"
#include "view/Builder.h"
#include "view/GLArea.h"

namespace {

using TClock = std::chrono::steady_clock;

// A side x side grid of vertices in one mesh, one quad face per cell.
void BuildGrid(TModel& model, int side) {
  TMesh* mesh = model.AddNode()->SetMesh(model.NewMesh());
  mesh->Vertices.Reserve(static_cast<size_t>(side) * side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) mesh->AddVertex()->Position = {x / double(side), y / double(side), 0};
  for (int y = 0; y + 1 < side; ++y)
    for (int x = 0; x + 1 < side; ++x) {
      TFace* face = mesh->AddFace();
      for (int corner : {y * side + x, y * side + x + 1, (y + 1) * side + x + 1, (y + 1) * side + x})
        face->AddVertex(mesh->Vertices[corner]);
    }
  model.Update();
}

// The program's services, except that the import's file name is given, and the moment the
// progress bar first shows is noted.
class TBenchServices : public TQtServices {
 public:
  std::string AskOpenFileName(const std::vector<std::string>&, const std::string&) override { return FileName; }
  void StepProgress(uint64_t done) override {
    TQtServices::StepProgress(done);
    if (FirstShown == TClock::time_point() && MainWindow()->Progress().Bar()->isVisible()) FirstShown = TClock::now();
  }
  std::string FileName;
  TClock::time_point FirstShown;
};

using TRig = TWindowRig<TBenchServices>;

void BM_WindowSelectAll(benchmark::State& state) {
  if (!qEnvironmentVariableIsSet("DISPLAY")) return state.SkipWithError("no display: run under xvfb-run");
  TRig rig;
  if (!rig.Ready(state)) return;
  BuildGrid(*rig.Core->Model, 1000);
  // As File > Open leaves a model: the history starts from it.
  rig.Core->ResetHistory();
  rig.Window->Builder()->ModelReplaced();
  rig.Window->Builder()->SetEditMode(static_cast<TEditMode>(state.range(0)));
  rig.TimeSelectAll(state);
}
BENCHMARK(BM_WindowSelectAll)
    ->ArgName("mode")
    ->Arg(emVertex)
    ->Arg(emSurface)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// A frame of the window's Top view with every face selected, in each view mode: what is left
// of the view's pace after Select All.
void BM_WindowSelectedFrame(benchmark::State& state) {
  if (!qEnvironmentVariableIsSet("DISPLAY")) return state.SkipWithError("no display: run under xvfb-run");
  TRig rig;
  if (!rig.Ready(state)) return;
  BuildGrid(*rig.Core->Model, 1000);
  rig.Core->ResetHistory();
  TViewportFrame& frame = *rig.Window->Builder();
  frame.ModelReplaced();
  frame.SetEditMode(emSurface);
  frame.Cameras->Current().Rec.ViewMode = static_cast<unsigned char>(state.range(0));
  frame.tacCamerasChange();
  rig.Window->Action("actSelAll")->trigger();
  QApplication::processEvents();
  for (auto _ : state) frame.Redraw(false);
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["selected"] = rig.Core->SelectedCount();
}
BENCHMARK(BM_WindowSelectedFrame)->ArgName("mode")->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);

// From the menu command to the first showing of the bar, and to the end of the import.
void BM_WindowImportFirstProgress(benchmark::State& state) {
  if (!qEnvironmentVariableIsSet("DISPLAY")) return state.SkipWithError("no display: run under xvfb-run");
  TRig rig;
  if (!rig.Ready(state)) return;
  rig.Services.FileName = ObjFile(static_cast<int>(state.range(0)), false);
  for (auto _ : state) {
    rig.Window->actFileNewExecute();
    rig.Services.FirstShown = {};
    const TClock::time_point start = TClock::now();
    rig.Window->Action("actFileImport")->trigger();
    state.counters["first_progress_ms"] =
        std::chrono::duration<double, std::milli>(rig.Services.FirstShown - start).count();
  }
  state.counters["faces"] = rig.Core->Model->Nodes[0]->Mesh->Surfaces.Count();
}
BENCHMARK(BM_WindowImportFirstProgress)->Arg(1100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
