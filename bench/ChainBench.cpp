// Hierarchies of 8,000 and 80,000 nodes in one parent chain, both directions: reading the
// file, updating world positions, filling the node tree, saving and deleting nodes. Every hierarchy walk is
// meant to be linear, so the larger size should cost about ten times the smaller.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "ChainModel.h"
#include "editing/DeleteOps.h"
#include "document/Core.h"
#include "formats/ThreeDo.h"
#include "services/HeadlessServices.h"
#include "document/PlainNodeTree.h"

namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("zarn-bench-" + std::to_string(::getpid()) + "-" + name))
      .string();
}

// The chain file of each size and direction, written once per process.
const std::string& ChainFile(int count, bool reversed) {
  static std::map<std::pair<int, bool>, std::string> files;
  auto& path = files[{count, reversed}];
  if (path.empty()) {
    path = TempPath("chain-" + std::to_string(count) + (reversed ? "-up" : "-down") + ".3do");
    THeadlessServices services;
    TCore core(services);
    BuildChain(*core.Model, count, reversed);
    TPlainNodeTree tree;
    FillNodeTree(*core.Model, tree);  // child and sibling columns as the editor would save them
    Save3DOFile(*core.Model, path);
    std::atexit([] {
      for (auto& [key, p] : files) std::filesystem::remove(p);
    });
  }
  return path;
}

void BM_ChainRead(benchmark::State& state) {
  const std::string& path = ChainFile(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    THeadlessServices services;
    TCore core(services);
    Load3DOFile(*core.Model, path);  // the link pass and the Update that ends every read
    state.PauseTiming();
    if (!services.Errors.empty() || core.Model->Nodes.Count() != state.range(0)) {
      state.SkipWithError("the chain did not read whole");
      break;
    }
    core.Model->Clear();
    state.ResumeTiming();
  }
}

void BM_ChainUpdate(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildChain(*core.Model, static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) core.Model->Update();
}

void BM_ChainFillTree(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildChain(*core.Model, static_cast<int>(state.range(0)), state.range(1) != 0);
  TPlainNodeTree tree;
  for (auto _ : state) FillNodeTree(*core.Model, tree);
}

void BM_ChainSave(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildChain(*core.Model, static_cast<int>(state.range(0)), state.range(1) != 0);
  TPlainNodeTree tree;
  FillNodeTree(*core.Model, tree);
  const std::string path = TempPath("chain-save.3do");
  for (auto _ : state) Save3DOFile(*core.Model, path);  // an Update, then the text streamed out
  std::filesystem::remove(path);
}

// Deleting the spine of a comb: half the nodes in one chain, each holding a leaf that stays
// and must find its nearest surviving ancestor above the whole deleted chain.
void BM_ChainDelete(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    THeadlessServices services;
    TCore core(services);
    TModel& model = *core.Model;
    BuildChain(model, count / 2, state.range(1) != 0);
    std::vector<TNode*> spine = model.Nodes.Pointers();
    for (TNode* n : spine) model.AddNode()->Parent = n;
    state.ResumeTiming();
    DeleteNodes(core, spine);
    state.PauseTiming();
    core.Model->Clear();
    state.ResumeTiming();
  }
}

// Arguments: node count, then 0 for each node the parent of the next, 1 for the reverse.
void ChainSizes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"nodes", "reversed"})->Unit(benchmark::kMillisecond)->UseRealTime();
  for (int reversed : {0, 1})
    for (int count : {8'000, 80'000}) b->Args({count, reversed});
}

}  // namespace

BENCHMARK(BM_ChainRead)->Apply(ChainSizes);
BENCHMARK(BM_ChainUpdate)->Apply(ChainSizes);
BENCHMARK(BM_ChainFillTree)->Apply(ChainSizes);
BENCHMARK(BM_ChainSave)->Apply(ChainSizes);
BENCHMARK(BM_ChainDelete)->Apply(ChainSizes);
