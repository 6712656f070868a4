// Frame times of the viewport on generated models of about 10k and 100k faces: a frame that
// replays the compiled display list (every camera move) and one that rebuilds it (every
// change to the model). Needs a display (run it under xvfb-run).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>
#include <memory>

#include "BenchApp.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"
#include "view/Builder.h"
#include "view/GLArea.h"

namespace {

// A side x side grid of vertices in one mesh, one quad face per cell.
void BuildQuadGrid(TModel& model, int side) {
  TNode* node = model.AddNode();
  node->Name = "grid";
  TMesh* mesh = node->SetMesh(model.NewMesh());
  const double step = 1.0 / side;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) mesh->AddVertex()->Position = {x * step, y * step, 0.01 * ((x + y) % 3)};
  for (int y = 0; y + 1 < side; ++y)
    for (int x = 0; x + 1 < side; ++x) {
      TFace* face = mesh->AddFace();
      for (int corner : {y * side + x, y * side + x + 1, (y + 1) * side + x + 1, (y + 1) * side + x}) {
        face->AddVertex(mesh->Vertices[corner]);
        face->TXVertices.Add({});
      }
    }
  model.Update();
}

// One application and one shown viewport frame for the whole run.
struct TViewportRig {
  TViewportRig() {
    BenchApp();
    Core = std::make_unique<TCore>(Services);
    Frame = std::make_unique<TViewportFrame>(*Core, nullptr);
    Frame->resize(800, 600);
    Frame->show();
    for (int i = 0; i < 200 && !Frame->windowHandle()->isExposed(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
    Frame->Start();
  }
  bool Ready() const { return Frame->glaMain->Active(); }
  void Load(int side) {
    Core->Model->Clear();
    BuildQuadGrid(*Core->Model, side);
    Frame->ModelReplaced();
  }

  THeadlessServices Services;
  std::unique_ptr<TCore> Core;
  std::unique_ptr<TViewportFrame> Frame;
};

TViewportRig& Rig() {
  static TViewportRig rig;
  return rig;
}

void Frames(benchmark::State& state, bool rebuild) {
  if (!qEnvironmentVariableIsSet("DISPLAY")) {
    state.SkipWithError("no display: run under xvfb-run");
    return;
  }
  TViewportRig& rig = Rig();
  if (!rig.Ready()) {
    state.SkipWithError("no OpenGL context");
    return;
  }
  const int side = static_cast<int>(state.range(0));
  rig.Load(side);
  for (auto _ : state) rig.Frame->Redraw(rebuild);
  int faces = 0;
  for (const TNode* n : rig.Core->Model->Nodes) faces += n->Mesh ? n->Mesh->Surfaces.Count() : 0;
  state.counters["faces"] = faces;
}

void BM_FrameReplay(benchmark::State& state) { Frames(state, false); }
void BM_FrameRebuild(benchmark::State& state) { Frames(state, true); }

// 101 x 101 vertices give 10,000 faces, 317 x 317 give 99,856.
BENCHMARK(BM_FrameReplay)->Arg(101)->Arg(317)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_FrameRebuild)->Arg(101)->Arg(317)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
