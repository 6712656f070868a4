// Editing commands on large meshes: each must stay linear in what it touches.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "editing/DeleteOps.h"
#include "editing/EditCommands.h"
#include "editing/Primitives.h"
#include "editing/SelectCommands.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

struct TSession {
  THeadlessServices Services;
  TCore Core{Services};
};

// A grid of quads in one node: (n + 1)^2 vertices, n^2 faces.
TMesh& GridMesh(TCore& core, int n) {
  TNode* node = core.Model->AddNode();
  TMesh* mesh = node->SetMesh(core.Model->NewMesh());
  mesh->Vertices.Reserve(static_cast<size_t>(n + 1) * (n + 1));
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i <= n; ++i) mesh->AddVertex()->Position = {double(i), double(j), 0};
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      TFace* f = mesh->AddFace();
      const int k = j * (n + 1) + i;
      for (int c : {k, k + 1, k + n + 2, k + n + 1}) f->AddVertex(mesh->Vertices[c]);
    }
  return *mesh;
}

void BM_SelectAllVertices(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  const int n = static_cast<int>(state.range(0));
  GridMesh(core, n);
  core.EditMode = emVertex;
  for (auto _ : state) actSelAll(core);
  state.SetItemsProcessed(state.iterations() * (n + 1LL) * (n + 1));
}
BENCHMARK(BM_SelectAllVertices)->Arg(499)->Arg(999)->Unit(benchmark::kMillisecond);

void BM_InvertVertices(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  const int n = static_cast<int>(state.range(0));
  GridMesh(core, n);
  core.EditMode = emVertex;
  for (auto _ : state) actSelInvert(core);
  state.SetItemsProcessed(state.iterations() * (n + 1LL) * (n + 1));
}
BENCHMARK(BM_InvertVertices)->Arg(499)->Arg(999)->Unit(benchmark::kMillisecond);

void BM_ExtrudeFaces(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto session = std::make_unique<TSession>();
    TMesh& mesh = GridMesh(session->Core, n);
    session->Core.EditMode = emSurface;
    for (TFace* f : mesh.Surfaces) session->Core.Surfaces.Add(f);
    state.ResumeTiming();
    actEditExtrudeFace(session->Core);
    state.PauseTiming();
    session.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n * n);
}
BENCHMARK(BM_ExtrudeFaces)->Arg(100)->Arg(141)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_DeleteVertices(benchmark::State& state) {
  const int n = 999;
  const int k = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto session = std::make_unique<TSession>();
    TMesh& mesh = GridMesh(session->Core, n);
    std::vector<TVertex*> doomed;
    for (int i = 0; i < k; ++i) doomed.push_back(mesh.Vertices[i * (mesh.Vertices.Count() / k)]);
    state.ResumeTiming();
    DeleteVertices(session->Core, doomed);
    state.PauseTiming();
    session.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * k);
}
BENCHMARK(BM_DeleteVertices)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The Primitive menu's cylinder, from the typed side count to the updated model.
void BM_PrimCylinder(benchmark::State& state) {
  const int sides = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto session = std::make_unique<TSession>();
    session->Services.Answers = {{"Sides", std::to_string(sides)}};
    state.ResumeTiming();
    actPrimCylind(session->Core);
    state.PauseTiming();
    if (session->Core.Model->Nodes.Count() != 1) state.SkipWithError("the cylinder was refused");
    session.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * sides);
}
BENCHMARK(BM_PrimCylinder)->Arg(40000)->Arg(400000)->Unit(benchmark::kMillisecond);

}  // namespace
