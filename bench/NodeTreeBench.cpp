// Filling the window's node tree with a chain of 8,000 and 80,000 nodes, both directions, up
// to the first painting (the tree lays its rows out then). Needs a display (run it under
// xvfb-run).
#include <benchmark/benchmark.h>

#include <QWindow>

#include "BenchApp.h"
#include "ChainModel.h"
#include "app/NodeTreeView.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

void BM_NodeTreeViewFill(benchmark::State& state) {
  if (!qEnvironmentVariableIsSet("DISPLAY")) {
    state.SkipWithError("no display: run under xvfb-run");
    return;
  }
  BenchApp();
  THeadlessServices services;
  TCore core(services);
  BuildChain(*core.Model, static_cast<int>(state.range(0)), state.range(1) != 0);
  TNodeTreeView tree(core);
  tree.resize(200, 600);
  tree.show();
  for (int i = 0; i < 200 && !tree.windowHandle()->isExposed(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
  if (!tree.windowHandle()->isExposed()) {
    state.SkipWithError("the tree was never shown");
    return;
  }
  for (auto _ : state) {
    FillNodeTree(*core.Model, tree);  // a refill, as after every change of the hierarchy
    tree.viewport()->repaint();
  }
  state.counters["items"] = tree.ItemCount();
}

}  // namespace

BENCHMARK(BM_NodeTreeViewFill)
    ->ArgNames({"nodes", "reversed"})
    ->Args({8'000, 0})
    ->Args({80'000, 0})
    ->Args({8'000, 1})
    ->Args({80'000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
