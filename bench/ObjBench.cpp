// OBJ import against tinyobjloader on the same generated meshes (bench/ObjFiles.h).
#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "bench/ChildPeakMemory.h"
#include "bench/FlatObj.h"
#include "formats/ObjImport.h"
#include "bench/ObjFiles.h"
#include "model/Model.h"

namespace {

void LoadOurs(const std::string& path, TModel*& model) {
  model = new TModel;
  ImportObj(*model, path);
}

void LoadTiny(const std::string& path, tinyobj::attrib_t*& attrib, std::vector<tinyobj::shape_t>*& shapes) {
  attrib = new tinyobj::attrib_t;
  shapes = new std::vector<tinyobj::shape_t>;
  std::vector<tinyobj::material_t> materials;
  std::string warn, err;
  tinyobj::LoadObj(attrib, shapes, &materials, &warn, &err, path.c_str(), nullptr, false);
}

void Report(benchmark::State& state, const std::string& path, double peak) {
  state.counters["PeakMiB"] = peak;
  state.counters["FileMiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
}

void BM_ObjImportOurs(benchmark::State& state) {
  const std::string& path = ObjFile(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    TModel* model;
    LoadOurs(path, model);
    benchmark::DoNotOptimize(model->Nodes[0]->Mesh->Surfaces.Count());
    state.PauseTiming();
    delete model;
    state.ResumeTiming();
  }
  Report(state, path, ChildPeakMemoryMiB([&] {
           TModel* model;
           LoadOurs(path, model);
         }));
}

void BM_ObjImportTinyObj(benchmark::State& state) {
  const std::string& path = ObjFile(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    tinyobj::attrib_t* attrib;
    std::vector<tinyobj::shape_t>* shapes;
    LoadTiny(path, attrib, shapes);
    benchmark::DoNotOptimize(attrib->vertices.size());
    state.PauseTiming();
    delete attrib;
    delete shapes;
    state.ResumeTiming();
  }
  Report(state, path, ChildPeakMemoryMiB([&] {
           tinyobj::attrib_t* attrib;
           std::vector<tinyobj::shape_t>* shapes;
           LoadTiny(path, attrib, shapes);
         }));
}

// The import against the flat-array reader, in one case: each read once per iteration, the
// ratios of their times and of their peak memories as counters (the goal: both within 3).
void BM_ObjImportAgainstFlat(benchmark::State& state) {
  const std::string& path = ObjFile(static_cast<int>(state.range(0)), state.range(1) != 0);
  using TClock = std::chrono::steady_clock;
  double ours = 0, flat = 0;
  for (auto _ : state) {
    auto start = TClock::now();
    TFlatObj* reference = new TFlatObj;
    ReadFlatObj(path, *reference);
    benchmark::DoNotOptimize(reference->Corners.size());
    flat += std::chrono::duration<double>(TClock::now() - start).count();
    start = TClock::now();
    TModel* model;
    LoadOurs(path, model);
    benchmark::DoNotOptimize(model->Nodes[0]->Mesh->Surfaces.Count());
    ours += std::chrono::duration<double>(TClock::now() - start).count();
    state.PauseTiming();
    delete model;
    delete reference;
    state.ResumeTiming();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["flat_ms"] = flat / n * 1000;
  state.counters["ours_ms"] = ours / n * 1000;
  state.counters["time_ratio"] = ours / flat;
  const double flatPeak = ChildPeakMemoryMiB([&] {
    TFlatObj reference;
    ReadFlatObj(path, reference);
  });
  const double ourPeak = ChildPeakMemoryMiB([&] {
    TModel* model;
    LoadOurs(path, model);
  });
  state.counters["flat_MiB"] = flatPeak;
  state.counters["ours_MiB"] = ourPeak;
  state.counters["memory_ratio"] = ourPeak / flatPeak;
}

void Cases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"faces", "textured"});
  for (int faces : {100000, 1000000})
    for (int textured : {0, 1}) b->Args({faces, textured});
  b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
}

}  // namespace

BENCHMARK(BM_ObjImportTinyObj)->Apply(Cases);
BENCHMARK(BM_ObjImportOurs)->Apply(Cases);
BENCHMARK(BM_ObjImportAgainstFlat)
    ->ArgNames({"faces", "textured"})
    ->Args({1111216, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
